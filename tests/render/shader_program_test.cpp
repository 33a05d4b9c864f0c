// ShaderProgram against real GLSL compiles: what compileStatus reports for missing and
// broken sources, how unknown uniforms behave, and the bounded wait for source files.
#include "render/shader_program.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "render/render_fixture.h"

namespace quintaval {
namespace {

using testing::currentProgram;

constexpr const char* kGoodVertex =
    "#version 330 core\nlayout(location = 0) in vec3 position;\n"
    "void main() { gl_Position = vec4(position, 1.0); }\n";
constexpr const char* kGoodFragment =
    "#version 330 core\nuniform vec4 tint;\nout vec4 fragColor;\n"
    "void main() { fragColor = tint; }\n";
constexpr const char* kBroken = "#version 330 core\nvoid main() { undeclared = 1; }\n";

class ShaderProgramTest : public testing::RenderFixture {
 protected:
  std::string write(const std::string& name, const std::string& text) {
    return dir.write(name, text).string();
  }
};

TEST_F(ShaderProgramTest, MissingFragmentFileLeavesNoProgramAndStatusZero) {
  const auto start = std::chrono::steady_clock::now();
  ShaderProgram program(write("a.vert", kGoodVertex), (dir.path() / "missing.frag").string());
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(program.compileStatus(), 0);
  EXPECT_EQ(program.program, 0u);
  EXPECT_NE(program.vertexShader, 0u);  // both shader objects exist regardless
  EXPECT_NE(program.fragmentShader, 0u);
  // The wait for the file is bounded.
  EXPECT_GE(waited, std::chrono::milliseconds(1500));
  EXPECT_LT(waited, std::chrono::seconds(10));
  EXPECT_TRUE(reporter.messages().empty());
}

TEST_F(ShaderProgramTest, StatusFollowsTheFragmentShaderOnly) {
  ShaderProgram brokenVertex(write("b.vert", kBroken), write("a.frag", kGoodFragment));
  EXPECT_EQ(brokenVertex.compileStatus(), 1);
  GLint linked = GL_TRUE;
  glGetProgramiv(brokenVertex.program, GL_LINK_STATUS, &linked);
  EXPECT_EQ(linked, GL_FALSE);

  ShaderProgram brokenFragment(write("a.vert", kGoodVertex), write("b.frag", kBroken));
  EXPECT_EQ(brokenFragment.compileStatus(), 0);
}

TEST_F(ShaderProgramTest, UnknownUniformChangesNothingAndReportsNothing) {
  ShaderProgram program(write("a.vert", kGoodVertex), write("a.frag", kGoodFragment));
  program.use();
  program.setUniform4f("tint", 0.25f, 0.5f, 0.75f, 1.0f);
  while (glGetError() != GL_NO_ERROR) {
  }
  program.setUniform1i("noSuchUniform", 7);
  program.setUniform1f("noSuchUniform", 7.0f);
  program.setUniform2f("noSuchUniform", 1.0f, 2.0f);
  program.setUniform3f("noSuchUniform", 1.0f, 2.0f, 3.0f);
  program.setUniform4f("noSuchUniform", 1.0f, 2.0f, 3.0f, 4.0f);
  program.setUniformMatrix4fv("noSuchUniform", Mat4(2.0f));
  EXPECT_EQ(glGetError(), GL_NO_ERROR);
  EXPECT_TRUE(reporter.messages().empty());

  GLfloat tint[4] = {};
  glGetUniformfv(program.program, glGetUniformLocation(program.program, "tint"), tint);
  EXPECT_EQ(tint[0], 0.25f);
  EXPECT_EQ(tint[1], 0.5f);
  EXPECT_EQ(tint[2], 0.75f);
  EXPECT_EQ(tint[3], 1.0f);

  EXPECT_EQ(currentProgram(), static_cast<int>(program.program));
  ShaderProgram::unuse();
  EXPECT_EQ(currentProgram(), 0);
}

TEST_F(ShaderProgramTest, SettersOnAProgramThatNeverLinkedLeaveNoGlError) {
  ShaderProgram missing((dir.path() / "none.vert").string(), write("a.frag", kGoodFragment));
  while (glGetError() != GL_NO_ERROR) {
  }
  missing.use();
  missing.setUniform4f("tint", 1.0f, 1.0f, 1.0f, 1.0f);
  missing.setUniformMatrix4fv("tint", Mat4());
  EXPECT_EQ(glGetError(), GL_NO_ERROR);
  EXPECT_EQ(currentProgram(), 0);
}

TEST_F(ShaderProgramTest, PicksUpASourceFileThatAppearsWhileWaiting) {
  const std::string vertex = write("a.vert", kGoodVertex);
  const auto late = dir.path() / "late.frag";
  std::thread writer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    // Written aside and renamed, as editors save, so it never appears half-written.
    std::filesystem::rename(dir.write("late.tmp", kGoodFragment), late);
  });
  ShaderProgram program(vertex, late.string());
  writer.join();
  EXPECT_EQ(program.compileStatus(), 1);
  EXPECT_NE(program.program, 0u);
}

TEST(ShaderSourceReadingTest, ReadsBytesUnchangedAndRefusesWhatIsNotAFile) {
  testing::TempDir dir;
  const std::string text = "line one\r\nline two\n\xff tail";
  const auto file = dir.write("crlf.glsl", text);
  const auto read = ShaderProgram::readTextFile(file.string());
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, text);

  EXPECT_EQ(ShaderProgram::readTextFile(dir.write("empty.glsl", "").string()), std::string());
  EXPECT_FALSE(ShaderProgram::readTextFile((dir.path() / "missing.glsl").string()).has_value());
  EXPECT_FALSE(ShaderProgram::readTextFile(dir.path().string()).has_value());
}

}  // namespace
}  // namespace quintaval
