// ShaderProgram against real GLSL compiles: what compileStatus reports for broken and
// missing sources, what each setter sets, and that unknown names and an unlinked program
// leave no GL error.
#include "render/shader_program.h"

#include <chrono>

#include "support/gl_fixture.h"

namespace quintaval {
namespace {

constexpr const char* kVertex =
    "#version 330 core\nlayout(location = 0) in vec3 position;\nvoid main() { gl_Position = vec4(position, 1.0); }\n";
constexpr const char* kFragment =
    "#version 330 core\nuniform int i;\nuniform float f;\nuniform vec2 v2;\nuniform vec3 v3;\nuniform vec4 v4;\n"
    "uniform mat4 m;\nout vec4 color;\nvoid main() { color = v4 + vec4(v3, f) + vec4(v2, i, 0.0) + m[3]; }\n";
constexpr const char* kBroken = "#version 330 core\nvoid main() { undeclared = 1; }\n";

class ShaderProgramTest : public testing::GlFixture {
 protected:
  std::string write(const char* name, const char* text) const { return dir.write(name, text).string(); }

  // Sets each uniform of kFragment, then each setter once with a name the program lacks.
  static void setAll(const ShaderProgram& program) {
    Mat4 matrix;
    matrix.at(3, 1) = 9.0f;
    for (const char* name : {"i", "none"}) program.setUniform1i(name, 7);
    for (const char* name : {"f", "none"}) program.setUniform1f(name, 0.5f);
    for (const char* name : {"v2", "none"}) program.setUniform2f(name, 1, 2);
    for (const char* name : {"v3", "none"}) program.setUniform3f(name, 3, 4, 5);
    for (const char* name : {"v4", "none"}) program.setUniform4f(name, 6, 7, 8, 9);
    for (const char* name : {"m", "none"}) program.setUniformMatrix4fv(name, matrix);
  }
};

TEST_F(ShaderProgramTest, EverySetterSetsItsUniformAndUnknownNamesAreIgnored) {
  ShaderProgram program(write("a.vert", kVertex), write("a.frag", kFragment));
  program.use();
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), static_cast<int>(program.program));
  setAll(program);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  const std::pair<const char*, std::vector<float>> expected[] = {
      {"i", {7}}, {"f", {0.5f}}, {"v2", {1, 2}}, {"v3", {3, 4, 5}}, {"v4", {6, 7, 8, 9}}};
  for (const auto& [name, values] : expected) EXPECT_EQ(uniformValues(program.program, name, values.size()), values);
  EXPECT_EQ(uniformValues(program.program, "m", 16)[13], 9.0f);  // column-major, as given
  ShaderProgram::unuse();
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
  EXPECT_TRUE(reporter.messages().empty());
}

// Author mode's rebuild: a source that does not build keeps the running program and says
// why; one that builds takes its place with the old uniform values.
TEST_F(ShaderProgramTest, RebuildKeepsTheLastGoodProgramAndItsUniforms) {
  ShaderProgram program(write("r.vert", kVertex), write("r.frag", kFragment));
  program.use();
  setAll(program);
  const unsigned int good = program.program;
  write("r.frag", kBroken);
  EXPECT_FALSE(program.rebuild());
  EXPECT_EQ(program.program, good);
  EXPECT_NE(program.log().find("r.frag"), std::string::npos) << program.log();
  write("r.frag", kFragment);
  ASSERT_TRUE(program.rebuild());
  EXPECT_NE(program.program, good);
  EXPECT_TRUE(program.linked());
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), static_cast<int>(program.program));  // it was current
  EXPECT_EQ(uniformValues(program.program, "v3", 3), (std::vector<float>{3, 4, 5}));
  EXPECT_EQ(uniformValues(program.program, "i", 1), (std::vector<float>{7}));
  EXPECT_EQ(uniformValues(program.program, "m", 16)[13], 9.0f);
}

// The status is the fragment shader's alone: a broken vertex shader leaves it 1, unlinked.
TEST_F(ShaderProgramTest, StatusFollowsTheFragmentShaderOnly) {
  ShaderProgram brokenVertex(write("b.vert", kBroken), write("a.frag", kFragment));
  GLint linked = GL_TRUE;
  glGetProgramiv(brokenVertex.program, GL_LINK_STATUS, &linked);
  EXPECT_EQ(std::make_pair(brokenVertex.compileStatus(), linked), std::make_pair(1, GL_FALSE));
  EXPECT_EQ(ShaderProgram(write("a.vert", kVertex), write("b.frag", kBroken)).compileStatus(), 0);
}

// A missing file is waited for (an editor may be replacing it), boundedly, then leaves both
// shader objects but no program, whose use and setters do nothing (not even leave a GL error).
TEST_F(ShaderProgramTest, MissingSourceFileLeavesNoProgramAfterABoundedWait) {
  const auto start = std::chrono::steady_clock::now();
  ShaderProgram missing(write("a.vert", kVertex), "missing.frag");
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(1500));
  EXPECT_LT(waited, std::chrono::seconds(10));
  EXPECT_EQ(missing.compileStatus(), 0);
  EXPECT_EQ(missing.program, 0u);
  EXPECT_TRUE(missing.vertexShader != 0 && missing.fragmentShader != 0);
  missing.use();
  setAll(missing);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
  EXPECT_TRUE(reporter.messages().empty());
}

}  // namespace
}  // namespace quintaval
