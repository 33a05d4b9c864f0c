// OBJ reading: vertex lines, the entry forms of faces, dropped faces, groups, materials
// by name, ignored lines, the line-length limit, and files that are not regular or only
// claim their length.
#include "geometry/obj_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

ModelData parse(const std::string& text) {
  ModelData model;
  readObjText(text, "", model);
  return model;
}

std::vector<float> xyz(const Vec3& v) { return {v.x, v.y, v.z}; }

const std::string kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

TEST(ObjReader, VertexLinesTakeThreeNumbersAndZeroForMissingOrMalformedOnes) {
  const struct { const char* line; std::vector<float> position; } cases[] = {
      {"v 1 2", {1, 2, 0}},
      {"v 1 2 3 1", {1, 2, 3}},
      {"v 1 x 3", {1, 0, 0}},  // like a stream: after a failure, all fail
      {"v 1,5 2 3", {1, 0, 0}},  // the comma ends the number
      {"v +1 -2 .5", {1, -2, 0.5f}},
  };
  for (const auto& c : cases) {
    const ModelData model = parse(std::string(c.line) + "\n");
    ASSERT_EQ(model.positions.size(), 1u) << c.line;
    EXPECT_EQ(xyz(model.positions[0]), c.position) << c.line;
  }
  const ModelData model = parse("vt 0.25 0.5 9\nvn 0 0 -1\n");
  EXPECT_EQ((std::vector<float>{model.texCoords.at(0).x, model.texCoords[0].y}), (std::vector<float>{0.25f, 0.5f}));
  EXPECT_EQ(xyz(model.normals.at(0)), (std::vector<float>{0, 0, -1}));
}

// Which index of an entry is which depends on the record lists filled so far.
TEST(ObjReader, EntryFormsAndPrimitiveFollowTheRecordsAndTheCornerCount) {
  const std::string all = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nv 0 2 0\nvt 0 0\nvt 1 0\n"
                          "vt 0 1\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\n";
  const std::string normalsOnly = kTriangle + "vn 0 0 1\n";
  const struct {
    const std::string& records;
    const char* face;
    // Corners with a position, texture coordinate and normal; the primitive; the last
    // corner's three indices.
    std::vector<int> expected;
  } cases[] = {
      {all, "f 1/1/1 2/2/2 3/3/3", {3, 3, 3, kPrimitiveTriangles, 2, 2, 2}},
      {all, "f 1//1 2//2 3//3", {3, 0, 3, kPrimitiveTriangles, 2, -1, 2}},
      {normalsOnly, "f 1/1 2/1 3/1", {3, 0, 3, kPrimitiveTriangles, 2, -1, 0}},
      {all, "f 3/1/1 2/1 1", {3, 2, 1, kPrimitiveTriangles, 0, -1, -1}},
      {all, "f 1 2 3 4", {4, 0, 0, kPrimitiveQuads, 3, -1, -1}},
      {all, "f\t1\t2\t3\t4\t5", {5, 0, 0, kPrimitiveTriangleFan, 4, -1, -1}},
  };
  for (const auto& c : cases) {
    const ModelData model = parse(c.records + c.face + "\n");
    ASSERT_EQ(model.groups.at(0).faces.size(), 1u) << c.face;
    const Face& face = model.groups[0].faces[0];
    const Corner& last = model.corners.back();
    EXPECT_EQ((std::vector<int>{face.positionCount, face.texCoordCount, face.normalCount, face.primitive,
                                last.position, last.texCoord, last.normal}),
              c.expected)
        << c.face;
  }
}

TEST(ObjReader, FacesWithUnusableIndicesAreDroppedWhole) {
  const std::string records = kTriangle + "vt 0 0\nvn 0 0 1\n";
  for (const char* face : {"f 0/1/1 2/1/1 3/1/1", "f 1/1/1 -1/1/1 3/1/1", "f 1/1/1 2/1/1 4/1/1",
                           "f 1/2/1 2/1/1 3/1/1", "f 1/1/2 2/1/1 3/1/1", "f 1.5/1/1 2/1/1 3/1/1",
                           "f a/1/1 2/1/1 3/1/1", "f 1x/1/1 2/1/1 3/1/1", "f 1/1/1 2/1/1 3/b/1",
                           "f 99999999999999999999/1/1 2/1/1 3/1/1", "f"}) {
    SCOPED_TRACE(face);
    const ModelData model = parse(records + face + "\nf 1/1/1 2/1/1 3/1/1\n");
    EXPECT_EQ(model.droppedFaces, 1);
    ASSERT_EQ(model.groups[0].faces.size(), 1u);
    EXPECT_EQ(model.groups[0].faces[0].firstCorner, 0);  // nothing of the bad face is left
    EXPECT_EQ(model.corners.size(), 3u);
  }
  // Before any v line no index can name a record: the face refers to records read later.
  const ModelData early = parse("f 1 2 3\n" + kTriangle);
  EXPECT_EQ(early.droppedFaces, 1);
  EXPECT_TRUE(early.groups[0].faces.empty());
}

TEST(ObjReader, GroupsAndTheDefaultGroup) {
  const ModelData model =
      parse(kTriangle + "f 1 2 3\ng wing\nf 1 2 3\ng default\nf 1 2 3\ng wing\nf 1 2 3\ng\n");
  ASSERT_EQ(model.groups.size(), 4u);
  EXPECT_EQ(model.groups[0].name, "");
  EXPECT_EQ(model.groups[0].faces.size(), 2u);
  EXPECT_EQ(model.groups[1].name, "wing");
  EXPECT_EQ(model.groups[2].name, "wing");  // a name used before still makes a new group
  EXPECT_EQ(model.groups[2].faces.size(), 1u);
  EXPECT_EQ(model.groups[3].name, "");
}

TEST(ObjReader, CommentsUnknownLinesAndLinesOf4096CharactersOrMore) {
  ModelData model = parse("# v 9 9 9\n#v 9 9 9\no thing\ns 1\nV 9 9 9\n\n   \nv 1 1 1\n  v 2 2 2\n");
  ASSERT_EQ(model.positions.size(), 2u);
  EXPECT_EQ(xyz(model.positions[1]), (std::vector<float>{2, 2, 2}));

  // 4095 characters are read; 4096 end the reading, keeping what was read.
  model = parse("v 1 2 3" + std::string(4095 - 7, ' ') + "\nv 4 5 6\n");
  EXPECT_EQ(model.positions.size(), 2u);
  EXPECT_EQ(model.stoppedAtLine, 0);
  model = parse("v 1 1 1\n# " + std::string(4094, 'x') + "\nv 2 2 2\n");
  EXPECT_EQ(model.positions.size(), 1u);
  EXPECT_EQ(model.stoppedAtLine, 2);
}

TEST(ObjFile, MtllibReadsItsLastWordFromTheModelsDirectory) {
  testing::TempDir dir;
  dir.write("Models/first.mtl", "newmtl first\n");
  dir.write("Models/second.mtl", "newmtl second\nKd 1 0 0\nnewmtl second\n");
  const auto path = dir.write("Models/m.obj", "mtllib first.mtl second.mtl\n" + kTriangle +
                                                  "usemtl second\nf 1 2 3\nusemtl missing\nf 1 2 3\n"
                                                  "mtllib missing.mtl\n");
  ModelData model;
  ASSERT_TRUE(readObjFile(path.string(), model));
  EXPECT_TRUE(model.loaded);
  EXPECT_EQ(model.fileName, path.string());
  ASSERT_EQ(model.materials.size(), 2u);  // a missing library adds nothing
  EXPECT_EQ(model.materials[0].name, "second");
  // usemtl takes the first material of the name; an unknown name keeps the current one;
  // before any known material, faces have none.
  EXPECT_EQ(model.groups[0].faces[0].material, 0);
  EXPECT_EQ(model.groups[0].faces[1].material, 0);
  EXPECT_EQ(parse(kTriangle + "usemtl nothing\nf 1 2 3\n").groups[0].faces[0].material, -1);
  // The directory part keeps its separator, of either kind.
  EXPECT_EQ(directoryOf("Data\\Models\\Land.obj"), "Data\\Models\\");
  EXPECT_EQ(directoryOf("Land.obj"), "");
}

TEST(ObjFile, AMissingFileOrADirectoryLeavesTheModelEmpty) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir.path() / "folder.obj");
  for (const char* name : {"none.obj", "folder.obj"}) {
    ModelData model;
    EXPECT_FALSE(readObjFile((dir.path() / name).string(), model)) << name;
    EXPECT_FALSE(model.loaded) << name;
    EXPECT_TRUE(model.groups.empty()) << name;
  }
}

// A sparse file claims 64 GiB and holds one triangle: the triangle is read, and the room
// reserved for records does not follow the claimed length.
TEST(ObjFile, ASparseFileReservesNoRoomForWhatItOnlyClaims) {
  testing::TempDir dir;
  const auto path = dir.write("sparse.obj", kTriangle + "f 1 2 3\n");
  std::filesystem::resize_file(path, std::uintmax_t{64} << 30);
  ModelData model;
  ASSERT_TRUE(readObjFile(path.string(), model));
  EXPECT_EQ(model.positions.size(), 3u);
  EXPECT_EQ(model.groups[0].faces.size(), 1u);
  EXPECT_EQ(model.stoppedAtLine, 5);  // the zeros that follow are one over-long line
  const std::size_t reserved =
      model.corners.capacity() * sizeof(Corner) + model.positions.capacity() * sizeof(Vec3) +
      model.normals.capacity() * sizeof(Vec3) + model.texCoords.capacity() * sizeof(Vec2);
  EXPECT_LT(reserved, std::size_t{256} << 20);
}

}  // namespace
}  // namespace quintaval
