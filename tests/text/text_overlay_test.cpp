// The overlay drawn with the program's Text shader and a font texture made here: every
// glyph cell is one colour naming its column (red) and row (green), so a pixel read
// back tells which cell was drawn there and at what alpha (over black).
#include "text/text_overlay.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/gl_test_context.h"
#include "support/recording_reporter.h"
#include "support/temp_dir.h"

namespace quintaval {
namespace {

struct Rgb {
  int r, g, b;
};
const Rgb kBlack{0, 0, 0};

Rgb glyph(unsigned char byte, float alpha) {
  auto channel = [alpha](int value) { return static_cast<int>(std::lround(value * alpha)); };
  return {channel(16 * (byte % 16) + 15), channel(16 * (byte / 16) + 15), channel(200)};
}

// 256 x 256 texels; grid row 0 is the image's top row, uploaded last (v = 1).
GLuint makeFontTexture() {
  std::vector<unsigned char> texels;
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      texels.insert(texels.end(), {static_cast<unsigned char>(16 * (x / 16) + 15),
                                   static_cast<unsigned char>(16 * (15 - y / 16) + 15), 200, 255});
    }
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return texture;
}

std::string shaderSource(const std::string& name) {
  std::ifstream in(std::string(std::getenv("QV_SOURCE_DIR")) + "/data/shaders/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every pixel of [x0, x1) x [y0, y1) has colour `expected`, give or take rounding.
void expectRect(int x0, int y0, int x1, int y1, Rgb expected) {
  auto pixels = testing::GlTestContext::readPixels(x0, y0, x1 - x0, y1 - y0);
  int mismatches = 0;
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    mismatches += std::abs(pixels[i] - expected.r) > 2 || std::abs(pixels[i + 1] - expected.g) > 2 ||
                  std::abs(pixels[i + 2] - expected.b) > 2;
  }
  EXPECT_EQ(mismatches, 0) << "in [" << x0 << ", " << x1 << ") x [" << y0 << ", " << y1 << "), first pixel "
                           << int(pixels[0]) << "," << int(pixels[1]) << "," << int(pixels[2]);
}

GLint glInt(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

class TextOverlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(context_.ok());
    dir_.write("Data/Shaders/Text.vert", shaderSource("Text.vert"));
    dir_.write("Data/Shaders/Text.frag", shaderSource("Text.frag"));
    glViewport(0, 0, 640, 360);
  }

  std::unique_ptr<TextOverlay> load(const std::string& script) {
    dir_.write("Data/Text/Text.txt", script);
    auto overlay = std::make_unique<TextOverlay>("Data/Text/Text.txt");
    overlay->setFontTexture(font_);
    return overlay;
  }

  testing::GlTestContext context_{640, 360};
  testing::TempDir dir_;
  testing::ScopedWorkingDirectory cwd_{dir_.path()};
  GLuint font_ = context_.ok() ? makeFontTexture() : 0;
  testing::RecordingReporter reporter_;
};

TEST_F(TextOverlayTest, HiThereSitsInItsCellsWithTheGlyphsOfTheGrid) {
  auto overlay = load("//Quintaval\n<placement> 100 50\nHi   there <end>\nLast <end>\n");
  EXPECT_EQ(overlay->lines()[0].text, " Hi there");
  overlay->drawLine(0.75f);
  // H is byte 72: column 8, row 4, in the cell after the leading space.
  expectRect(120, 50, 140, 70, glyph(8 + 4 * 16, 0.75f));
  expectRect(100, 50, 120, 70, glyph(' ', 0.75f));
  expectRect(260, 50, 280, 70, glyph('e', 0.75f));
  expectRect(280, 50, 290, 70, kBlack);
  expectRect(100, 70, 280, 72, kBlack);
  expectRect(98, 48, 280, 50, kBlack);
  EXPECT_TRUE(reporter_.messages().empty());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextOverlayTest, IntegerPartChoosesTheLineFractionTheAlphaAndTheLastLineNeverShows) {
  auto overlay = load("//Quintaval\n<size> 10 A <end>\nBB <end>\nCCC <end>\nDDDD <end>\n");
  glActiveTexture(GL_TEXTURE3);
  overlay->drawLine(2.25f);
  expectRect(10, 0, 40, 10, glyph('C', 0.25f));
  expectRect(40, 0, 60, 10, kBlack);
  EXPECT_EQ(glInt(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLint attributeEnabled = 1;
  glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &attributeEnabled);
  EXPECT_EQ(attributeEnabled, GL_FALSE);

  for (float t : {3.0f, 3.5f, 40.0f}) {
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(0);
    overlay->drawLine(t);
    expectRect(0, 0, 60, 20, kBlack);
    // It did draw, at alpha 0.
    EXPECT_EQ(static_cast<GLuint>(glInt(GL_CURRENT_PROGRAM)), overlay->textShader()->program) << t;
  }
}

TEST_F(TextOverlayTest, NegativeOrNotANumberTouchesNoGlState) {
  auto overlay = load("//Quintaval\nA <end>\nB <end>\n");
  glActiveTexture(GL_TEXTURE3);
  glEnable(GL_BLEND);
  glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  overlay->drawLine(-0.5f);
  overlay->drawLine(std::nanf(""));
  EXPECT_EQ(glInt(GL_CURRENT_PROGRAM), 0);
  EXPECT_EQ(glInt(GL_ARRAY_BUFFER_BINDING), 0);
  EXPECT_EQ(glInt(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  expectRect(0, 0, 40, 40, {51, 102, 153});
}

TEST_F(TextOverlayTest, BytesAboveTheGridDrawNothingAndKeepTheirPlace) {
  auto overlay = load("//Quintaval\n<size> 10 A\xC3\xA9" "B\xFF <end>\nLast <end>\n");
  overlay->drawLine(0.5f);
  expectRect(10, 0, 20, 10, glyph('A', 0.5f));
  expectRect(20, 0, 40, 10, kBlack);
  expectRect(40, 0, 50, 10, glyph('B', 0.5f));
  expectRect(50, 0, 70, 10, kBlack);
}

TEST_F(TextOverlayTest, PositionsAreWithinTheViewportSavedAtLoading) {
  glViewport(0, 40, 640, 280);  // letterboxed
  auto overlay = load("//Quintaval\n<placement> 100 50\nHi <end>\nLast <end>\n");
  overlay->drawLine(0.5f);
  expectRect(120, 90, 140, 110, glyph('H', 0.5f));
  expectRect(120, 88, 140, 90, kBlack);
}

TEST_F(TextOverlayTest, ShaderFailuresAndMissingScriptsDrawNothing) {
  dir_.write("Data/Shaders/Text.frag", "#version 330 core\nthis is not glsl\n");
  auto overlay = load("//Quintaval\nHello <end>\nLast <end>\n");
  EXPECT_EQ(reporter_.messages(), std::vector<std::string>{"Error compiling text shader"});
  ASSERT_EQ(overlay->lines().size(), 2u);
  EXPECT_TRUE(overlay->lines()[0].text.empty());
  overlay->drawLine(0.9f);

  // A vertex shader error is not reported, but the unlinked program is not used either.
  reporter_.clear();
  dir_.write("Data/Shaders/Text.frag", shaderSource("Text.frag"));
  dir_.write("Data/Shaders/Text.vert", "#version 330 core\nvoid main() { undefined(); }\n");
  overlay->loadTextScript("Data/Text/Text.txt");
  overlay->drawLine(0.9f);

  TextOverlay missing("Data/Text/Missing.txt");
  EXPECT_TRUE(missing.lines().empty());
  EXPECT_EQ(missing.textShader(), nullptr);
  missing.drawLine(0.5f);

  EXPECT_TRUE(reporter_.messages().empty());
  EXPECT_EQ(glInt(GL_CURRENT_PROGRAM), 0);
  expectRect(0, 0, 200, 40, kBlack);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace quintaval
