// The fixture of every GL test: one hidden GL 3.3 core context per test suite (kWidth x
// kHeight, no multisampling; closing the X connection per test would let the X server
// reset and refuse the next test), a recording error reporter, and a scratch working
// directory whose Data/Shaders/ holds copies of the shipped GLSL sources, which a test may
// break, delete or put back. Each test starts on the window's framebuffer cleared to
// black, the full viewport, no program, blending, depth test or vertex attribute, texture
// unit 0 active and no GL error pending. With it come small read-backs of GL state, and
// <filesystem>, <string> and <vector>.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval::testing {

class GlFixture : public ::testing::Test {
 protected:
  struct Rgb { int r, g, b; };
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 180;

  static void SetUpTestSuite() { gl_ = new GlTestContext(kWidth, kHeight); }
  static void TearDownTestSuite() { delete gl_; }

  void SetUp() override {
    ASSERT_TRUE(gl_->ok()) << "no GL 3.3 core context";
    ASSERT_NE(std::getenv("QV_SOURCE_DIR"), nullptr) << "QV_SOURCE_DIR must name the source tree";
    shipped_ = std::filesystem::path(std::getenv("QV_SOURCE_DIR")) / "data/shaders";
    std::filesystem::create_directories(dir.path() / "Data");
    std::filesystem::copy(shipped_, dir.path() / "Data/Shaders");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    for (GLuint attribute = 0; attribute < 3; ++attribute) glDisableVertexAttribArray(attribute);
    glViewport(0, 0, kWidth, kHeight);
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    while (glGetError() != GL_NO_ERROR) continue;  // a previous test's deliberate failures leave errors
  }

  // Data/Shaders/<file> replaced by a source that does not compile, or put back.
  void breakShader(const std::string& file) const {
    dir.write("Data/Shaders/" + file, "#version 330 core\nvoid main() { this is not glsl; }\n");
  }
  void restoreShader(const std::string& file) const {
    // Removed first: MinGW's copy_file does not overwrite.
    std::filesystem::remove("Data/Shaders/" + file);
    std::filesystem::copy_file(shipped_ / file, "Data/Shaders/" + file);
  }

  // Every pixel of [x0, x1) x [y0, y1) of the current read framebuffer is `rgb`, give or
  // take `tolerance` per channel.
  static void expectRect(int x0, int y0, int x1, int y1, Rgb rgb, int tolerance = 1) {
    const auto pixels = GlTestContext::readPixels(x0, y0, x1 - x0, y1 - y0);
    int mismatches = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
      mismatches += std::abs(pixels[i] - rgb.r) > tolerance || std::abs(pixels[i + 1] - rgb.g) > tolerance ||
                    std::abs(pixels[i + 2] - rgb.b) > tolerance;
    }
    EXPECT_EQ(mismatches, 0) << "[" << x0 << ", " << x1 << ") x [" << y0 << ", " << y1 << "): first " << +pixels[0]
                             << "," << +pixels[1] << "," << +pixels[2] << ", not " << rgb.r << "," << rgb.g << "," << rgb.b;
  }
  static void expectPixel(int x, int y, Rgb rgb, int tolerance = 1) { expectRect(x, y, x + 1, y + 1, rgb, tolerance); }

  // One integer of GL state: GL_CURRENT_PROGRAM, GL_ACTIVE_TEXTURE and the like.
  static int glInteger(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
  }

  // The first `count` components of a program's uniform as floats (-99 where it has none).
  static std::vector<float> uniformValues(GLuint program, const char* name, std::size_t count) {
    std::vector<float> values(16, -99.0f);
    const GLint location = glGetUniformLocation(program, name);
    if (location >= 0) glGetUniformfv(program, location, values.data());
    return std::vector<float>(values.begin(), values.begin() + count);
  }

  // Level 0 of a texture: `count` RGBA texels as floats.
  static std::vector<float> texels(GLuint texture, int count = 1) {
    std::vector<float> values(4 * static_cast<std::size_t>(count), -1.0f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, values.data());
    return values;
  }

  RecordingReporter reporter;
  TempDir dir;
  ScopedWorkingDirectory workingDirectory{dir.path()};

 private:
  static inline GlTestContext* gl_ = nullptr;
  std::filesystem::path shipped_;
};

}  // namespace quintaval::testing
