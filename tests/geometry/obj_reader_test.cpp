// OBJ reading: vertex lines, the entry forms of faces, dropped faces, groups, materials
// by name, ignored lines, the line-length limit, and files that are not regular or only
// claim their length.
#include "geometry/obj_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

ModelData parse(const std::string& text) {
  ModelData model;
  readObjText(text, "", model);
  return model;
}

void expectVec3(const Vec3& v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, z);
}

const Face& onlyFace(const ModelData& model) {
  EXPECT_EQ(model.groups.size(), 1u);
  EXPECT_EQ(model.groups[0].faces.size(), 1u);
  return model.groups[0].faces[0];
}

TEST(ObjReader, VertexLinesTakeThreeNumbersAndZeroForMissingOnes) {
  const ModelData model = parse("v 1 2\nv 1 2 3 1\nvt 0.25 0.5 9\nvn 0 0 -1\n");
  ASSERT_EQ(model.positions.size(), 2u);
  expectVec3(model.positions[0], 1, 2, 0);
  expectVec3(model.positions[1], 1, 2, 3);
  ASSERT_EQ(model.texCoords.size(), 1u);
  EXPECT_FLOAT_EQ(model.texCoords[0].x, 0.25f);
  EXPECT_FLOAT_EQ(model.texCoords[0].y, 0.5f);
  expectVec3(model.normals.at(0), 0, 0, -1);
}

TEST(ObjReader, MalformedNumbersReadAsZeroFromThereOn) {
  const ModelData model =
      parse("v 1 x 3\nv 1,5 2 3\nv +1 -2 .5\nv inf nan 4\nv 2.5e1 1e50 7\nv 3;\n");
  ASSERT_EQ(model.positions.size(), 6u);
  expectVec3(model.positions[0], 1, 0, 0);  // like a stream: after a failure, all fail
  expectVec3(model.positions[1], 1, 0, 0);  // the comma ends the number
  expectVec3(model.positions[2], 1, -2, 0.5f);
  expectVec3(model.positions[3], 0, 0, 0);
  expectVec3(model.positions[4], 25, 0, 0);  // beyond the float range fails
  expectVec3(model.positions[5], 3, 0, 0);
}

TEST(ObjReader, EntryFormsFollowTheListsThatHoldRecords) {
  const std::string records = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                              "vn 0 0 1\nvn 0 0 1\nvn 0 0 1\n";
  const ModelData withAll = parse(records + "f 1/1/1 2/2/2 3/3/3\n");
  const Face& full = onlyFace(withAll);
  EXPECT_EQ(full.positionCount, 3);
  EXPECT_EQ(full.texCoordCount, 3);
  EXPECT_EQ(full.normalCount, 3);
  EXPECT_EQ(full.primitive, kPrimitiveTriangles);

  const ModelData noTex = parse(records + "f 1//1 2//2 3//3\n");
  const Face& face = onlyFace(noTex);
  EXPECT_EQ(face.positionCount, 3);
  EXPECT_EQ(face.texCoordCount, 0);
  EXPECT_EQ(face.normalCount, 3);
  EXPECT_EQ(noTex.corners[2].position, 2);
  EXPECT_EQ(noTex.corners[2].normal, 2);

  // With normals only, the number after one slash is the normal.
  const ModelData normalsOnly = parse("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1/1 2/1 3/1\n");
  EXPECT_EQ(onlyFace(normalsOnly).normalCount, 3);
  EXPECT_EQ(onlyFace(normalsOnly).texCoordCount, 0);
}

TEST(ObjReader, PrimitiveFollowsTheCornerCount) {
  const std::string points = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 2 0\n";
  auto faceOf = [&](const std::string& line) { return onlyFace(parse(points + line)); };
  EXPECT_EQ(faceOf("f 1 2 3\n").primitive, kPrimitiveTriangles);
  EXPECT_EQ(faceOf("f 1 2 3 4\n").primitive, kPrimitiveQuads);
  EXPECT_EQ(faceOf("f 1 2 3 4 5\n").primitive, kPrimitiveTriangleFan);
  // Tabs separate entries as spaces do.
  EXPECT_EQ(faceOf("f\t1\t2\t3\t4\n").positionCount, 4);
}

TEST(ObjReader, FacesWithUnusableIndicesAreDroppedWhole) {
  const std::string records = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n";
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
  const ModelData early = parse("f 1 2 3\nv 0 0 0\nv 1 0 0\nv 0 1 0\n");
  EXPECT_EQ(early.droppedFaces, 1);
  EXPECT_TRUE(early.groups[0].faces.empty());
}

TEST(ObjReader, EntriesThatLeaveOutAnIndexGiveCornersWithoutIt) {
  const ModelData model =
      parse("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0.5 0.5\nvn 0 0 1\nf 1 2/1 3/1/1\n");
  const Face& face = onlyFace(model);
  EXPECT_EQ(face.positionCount, 3);
  EXPECT_EQ(face.texCoordCount, 2);
  EXPECT_EQ(face.normalCount, 1);
  EXPECT_EQ(model.corners[0].texCoord, -1);
  EXPECT_EQ(model.corners[0].normal, -1);
}

TEST(ObjReader, GroupsAndTheDefaultGroup) {
  const ModelData model = parse(
      "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\ng wing\nf 1 2 3\ng default\nf 1 2 3\n"
      "g wing\nf 1 2 3\ng\n");
  ASSERT_EQ(model.groups.size(), 4u);
  EXPECT_EQ(model.groups[0].name, "");
  EXPECT_EQ(model.groups[0].faces.size(), 2u);
  EXPECT_EQ(model.groups[1].name, "wing");
  EXPECT_EQ(model.groups[2].name, "wing");  // a name used before still makes a new group
  EXPECT_EQ(model.groups[2].faces.size(), 1u);
  EXPECT_EQ(model.groups[3].name, "");
}

TEST(ObjReader, CommentsAndUnknownLinesAreIgnored) {
  const ModelData model =
      parse("# v 9 9 9\n#v 9 9 9\no thing\ns 1\nV 9 9 9\n\n   \nv 1 1 1\n  v 2 2 2\n");
  ASSERT_EQ(model.positions.size(), 2u);
  expectVec3(model.positions[1], 2, 2, 2);
}

TEST(ObjReader, ALineOf4096CharactersEndsTheReading) {
  const std::string fits = "v 1 2 3" + std::string(4095 - 7, ' ');
  ModelData model = parse(fits + "\nv 4 5 6\n");
  EXPECT_EQ(model.positions.size(), 2u);
  EXPECT_EQ(model.stoppedAtLine, 0);

  std::string text;
  for (int i = 0; i < 9; ++i) text += "v 1 1 1\n";
  text += "# " + std::string(4998, 'x') + "\nv 2 2 2\n";
  model = parse(text);
  EXPECT_EQ(model.positions.size(), 9u);
  EXPECT_EQ(model.stoppedAtLine, 10);
}

class ObjFileTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
};

TEST_F(ObjFileTest, MtllibReadsItsLastWordFromTheModelsDirectory) {
  dir.write("Models/first.mtl", "newmtl first\n");
  dir.write("Models/second.mtl", "newmtl second\nKd 1 0 0\nnewmtl second\n");
  const auto path = dir.write("Models/m.obj",
                              "mtllib first.mtl second.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                              "usemtl second\nf 1 2 3\nusemtl missing\nf 1 2 3\n"
                              "mtllib missing.mtl\n");
  ModelData model;
  ASSERT_TRUE(readObjFile(path.string(), model));
  EXPECT_TRUE(model.loaded);
  EXPECT_EQ(model.fileName, path.string());
  ASSERT_EQ(model.materials.size(), 2u);
  EXPECT_EQ(model.materials[0].name, "second");
  // usemtl takes the first material of the name; an unknown name keeps the current one.
  EXPECT_EQ(model.groups[0].faces[0].material, 0);
  EXPECT_EQ(model.groups[0].faces[1].material, 0);
}

TEST_F(ObjFileTest, FacesBeforeAnyKnownMaterialHaveNone) {
  const auto path = dir.write("m.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl nothing\nf 1 2 3\n");
  ModelData model;
  ASSERT_TRUE(readObjFile(path.string(), model));
  EXPECT_EQ(model.groups[0].faces[0].material, -1);
}

TEST_F(ObjFileTest, AMissingFileOrADirectoryLeavesTheModelEmpty) {
  std::filesystem::create_directory(dir.path() / "folder.obj");
  for (const char* name : {"none.obj", "folder.obj"}) {
    SCOPED_TRACE(name);
    ModelData model;
    EXPECT_FALSE(readObjFile((dir.path() / name).string(), model));
    EXPECT_FALSE(model.loaded);
    EXPECT_TRUE(model.groups.empty());
  }
}

// A sparse file claims 64 GiB and holds one triangle: the triangle is read, and the room
// reserved for records does not follow the claimed length.
TEST_F(ObjFileTest, ASparseFileReservesNoRoomForWhatItOnlyClaims) {
  const auto path = dir.write("sparse.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
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

TEST(ObjReader, DirectoryPrefixKeepsItsSeparator) {
  EXPECT_EQ(directoryOf("Data/Models/Land.obj"), "Data/Models/");
  EXPECT_EQ(directoryOf("Data\\Models\\Land.obj"), "Data\\Models\\");
  EXPECT_EQ(directoryOf("Land.obj"), "");
}

}  // namespace
}  // namespace quintaval
