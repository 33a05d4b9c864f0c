// quintaval-inspect, run as a demo author runs it: the real binary on files in a scratch
// directory, its JSON output parsed back and its messages read.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "support/temp_dir.h"

namespace quintaval {
namespace {

struct InspectRun {
  int status = -1;
  nlohmann::json output;
  std::string errors;  // standard error
};

std::string contentsOf(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

InspectRun inspect(const std::string& arguments) {
  const char* binary = std::getenv("QV_BINARY_DIR");
  InspectRun run;
  if (binary == nullptr) {
    ADD_FAILURE() << "QV_BINARY_DIR is not set";
    return run;
  }
  testing::TempDir errors;
  const std::string errorFile = (errors.path() / "stderr").string();
  const std::string command = std::string(binary) + "/bin/quintaval-inspect " + arguments + " 2>'" + errorFile + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string text;
  char block[4096];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, pipe)) > 0) text.append(block, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = nlohmann::json::parse(text, nullptr, false);
  run.errors = contentsOf(errorFile);
  return run;
}

class Inspect : public ::testing::Test {
 protected:
  std::string file(const std::string& name, const std::string& text) const {
    return "'" + dir.write(name, text).string() + "'";
  }
  testing::TempDir dir;
};

const std::string kCurve =
    "//Maya ASCII 2018 scene\ncreateNode transform -n \"b\";\n"
    "\tsetAttr \".t\" -type \"double3\" 0 1 0 ;\ncreateNode bezierCurve -n \"s\" -p \"b\";\n"
    "\tsetAttr -k off \".v\";\n\tsetAttr \".cc\" -type \"nurbsCurve\"\n\t\t3 1 0 no 3\n"
    "\t\t6 0 0 0 1 1 1\n\t\t4\n\t\t0 0 0\n\t\t1 0 0\n\t\t2 0 0\n\t\t3 0 0\n\t\t;\n"
    "createNode transform -n \"l\";\n\tsetAttr \".t\" -type \"double3\" 4 5 6 ;\n"
    "createNode pointLight -n \"p\" -p \"l\";\n\tsetAttr -k off \".v\";\n"
    "\tsetAttr \".in\" 2.5;\n\tsetAttr \".x\" 0;\n";

TEST_F(Inspect, ObjShowsRecordsGroupsMaterialsAndRanges) {
  file("Models/a.mtl", "newmtl red\nKd 1 0 0.1\nmap_Kd wood.jpg\n");
  const std::string obj = file("Models/m.obj",
                               "mtllib a.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\n"
                               "usemtl red\nf 1/1 2/1 3/1 4/1\ng top\nf 1/1 2/1 9/1\nf 1 2 3\n");
  const InspectRun run = inspect("obj " + obj);
  ASSERT_EQ(run.status, 0);
  const auto& json = run.output;
  EXPECT_EQ(json["positions"], 4);
  EXPECT_EQ(json["texCoords"], 1);
  EXPECT_EQ(json["droppedFaces"], 1);
  EXPECT_EQ(json["groups"][1]["name"], "top");
  EXPECT_EQ(json["groups"][1]["faces"], 1);
  EXPECT_EQ(json["materials"][0]["Kd"], nlohmann::json::array({1.0, 0.0, 0.1, 1.0}));
  EXPECT_EQ(json["materials"][0]["maps"]["Kd"], "wood.jpg");
  ASSERT_EQ(json["ranges"].size(), 2u);
  EXPECT_EQ(json["ranges"][0]["primitive"], 7);
  EXPECT_EQ(json["ranges"][0]["count"], 6);
  EXPECT_EQ(json["ranges"][1]["first"], 6);
  EXPECT_EQ(json["ranges"][1]["material"], "red");
  EXPECT_EQ(json["pointMode"], false);

  const InspectRun points = inspect("obj " + file("p.obj", "v 1 2 3\nf 1 1 1\n"));
  EXPECT_EQ(points.output["pointMode"], true);
}

TEST_F(Inspect, MayaShowsPathsAndLightsUnderTheirFileNames) {
  const InspectRun run = inspect("maya " + file("Maya/CamCurve.ma", kCurve));
  ASSERT_EQ(run.status, 0);
  const auto& path = run.output["paths"][0];
  EXPECT_EQ(path["name"], "CamCurve.ma");
  EXPECT_EQ(path["segments"], 1);
  EXPECT_EQ(path["controlPoints"][3], nlohmann::json::array({3.0, 1.0, 0.0}));
  const auto& light = run.output["pointLights"][0];
  EXPECT_EQ(light["position"], nlohmann::json::array({4.0, 5.0, 6.0}));
  EXPECT_EQ(light["intensity"], 2.5);
}

TEST_F(Inspect, PathGivesBothQueriesAtEachU) {
  const std::string ma = file("Maya/CamCurve.ma", kCurve);
  const InspectRun run = inspect("path " + ma + " --name CamCurve.ma --u 0 0.5 2");
  ASSERT_EQ(run.status, 0);
  const auto& points = run.output["points"];
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0]["curvePoint"], nlohmann::json::array({0.0, 1.0, 0.0}));
  EXPECT_NEAR(points[1]["pathPoint"][0].get<double>(), 1.5, 2e-3);
  EXPECT_NEAR(points[2]["curvePoint"][0].get<double>(), 3.0, 1e-3);

  const InspectRun unknown = inspect("path " + ma + " --name Other.ma --u 0.5");
  EXPECT_EQ(unknown.output["found"], false);
  EXPECT_EQ(unknown.output["points"][0]["pathPoint"], nlohmann::json::array({1.0, 1.0, 1.0}));
  EXPECT_EQ(inspect("path " + ma + " --u half").status, 2);
}

TEST_F(Inspect, TextShowsTheScriptAndNamesTheFilesThePlayerWouldIgnore) {
  const std::string fixtures = std::string(std::getenv("QV_SOURCE_DIR")) + "/tests/tools/inspect/fixtures/";
  const InspectRun run = inspect("text '" + fixtures + "inspect_script.txt'");
  ASSERT_EQ(run.status, 0);
  nlohmann::json expected = nlohmann::json::parse(contentsOf(fixtures + "inspect_script.json"));
  expected["file"] = fixtures + "inspect_script.txt";
  EXPECT_EQ(run.output, expected);
  EXPECT_EQ(run.errors, "");

  const InspectRun lower = inspect("text " + file("lower.txt", "//quintaval\nHello <end>\n"));
  EXPECT_NE(lower.status, 0);
  EXPECT_NE(lower.errors.find("no \"//Quintaval\" header"), std::string::npos) << lower.errors;
  EXPECT_TRUE(lower.output.is_discarded());
  EXPECT_EQ(inspect("text").status, 2);
}

// A folder or a missing file, alone or after a good file: named with the reason, no JSON.
TEST_F(Inspect, EveryKindRefusesAPathThatIsNoReadableFile) {
  const std::string good = file("Maya/CamCurve.ma", kCurve) + " ";
  const struct {
    std::string path;
    std::string reason;
  } paths[] = {{(dir.path() / "Maya").string(), "Is a directory"},
               {(dir.path() / "missing").string(), "No such file or directory"}};
  for (const std::string kind : {"obj", "maya", "path", "text", "music"}) {
    for (const auto& [path, reason] : paths) {
      for (const std::string& before : {std::string(), kind == "maya" || kind == "path" ? good : ""}) {
        const InspectRun run = inspect(kind + " " + before + "'" + path + "'" + (kind == "path" ? " --u 0.5" : ""));
        SCOPED_TRACE(kind + " " + before + path);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find(path + ": cannot read: " + reason + "\n"), std::string::npos) << run.errors;
        EXPECT_TRUE(run.output.is_discarded());
      }
    }
  }
}

}  // namespace
}  // namespace quintaval
