// Shared set-up for the rendering tests: a hidden GL 3.3 core context, a recording error
// reporter, and a scratch working directory whose Data/Shaders/ holds copies of the
// shipped GLSL sources, which a test may then break or remove one by one.
// One context serves the whole test suite: opening and closing the X connection per test
// lets the X server reset between tests, and a test starting during the reset finds no
// display. Each test starts from the default framebuffer, viewport and state.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval::testing {

class RenderFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Replaces Data/Shaders/<file> with a source that does not compile.
  void breakShader(const std::string& file) const;
  void removeShader(const std::string& file) const;
  // Puts the shipped Data/Shaders/<file> back.
  void restoreShader(const std::string& file) const;
  // Pixel (x, y) of the default framebuffer's back buffer, RGBA8.
  static std::vector<unsigned char> pixelAt(int x, int y);

  static constexpr int kWidth = 64;
  static constexpr int kHeight = 36;

  static GlTestContext* gl;
  RecordingReporter reporter;
  TempDir dir;
  std::unique_ptr<ScopedWorkingDirectory> workingDirectory;
};

// GL_CURRENT_PROGRAM, GL_BLEND and the like, read back.
int currentProgram();

}  // namespace quintaval::testing
