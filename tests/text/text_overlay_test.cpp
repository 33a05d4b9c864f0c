// The overlay drawn with the program's Text shader and a font texture made here: every
// glyph cell is one colour naming its column (red) and row (green), so a pixel read
// back tells which cell was drawn there and at what alpha (over black).
#include "text/text_overlay.h"

#include <cmath>

#include "support/gl_fixture.h"

namespace quintaval {
namespace {

class TextOverlayTest : public testing::GlFixture {
 protected:
  // One texel per glyph cell; grid row 0 is the image's top row, uploaded last (v = 1).
  void SetUp() override {
    GlFixture::SetUp();
    std::vector<unsigned char> texels;
    for (int i = 0; i < 256; ++i) texels.insert(texels.end(), {cellColour(i % 16), cellColour(15 - i / 16), 200, 255});
    glGenTextures(1, &font_);
    glBindTexture(GL_TEXTURE_2D, font_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 16, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  }
  static unsigned char cellColour(int index) { return static_cast<unsigned char>(16 * index + 15); }

  // An overlay over `script`, with a shader library of its own (shaders()).
  std::unique_ptr<TextOverlay> load(const std::string& script) {
    dir.write("Data/Text/Text.txt", script);
    libraries_.push_back(std::make_unique<ShaderLibrary>());
    auto overlay = std::make_unique<TextOverlay>("Data/Text/Text.txt", shaders());
    overlay->setFontTexture(font_);
    return overlay;
  }
  ShaderLibrary& shaders() { return *libraries_.back(); }

  // `text` in square cells of `size` from (x, y) at `alpha`: each byte its glyph's colour,
  // bytes from 128 on nothing; the cell after the text is black.
  static void expectText(int x, int y, int size, const std::string& text, float alpha) {
    const auto channel = [alpha](int value) { return static_cast<int>(std::lround(value * alpha)); };
    for (std::size_t i = 0; i <= text.size(); ++i) {
      const unsigned char byte = i < text.size() ? text[i] : 128;
      const Rgb glyph{channel(cellColour(byte % 16)), channel(cellColour(byte / 16)), channel(200)};
      expectRect(x + size * int(i), y, x + size * int(i + 1), y + size, byte < 128 ? glyph : kBlack, 2);
    }
  }

  static constexpr Rgb kBlack{0, 0, 0};
  GLuint font_ = 0;
  std::vector<std::unique_ptr<ShaderLibrary>> libraries_;
};

// Placed in pixels from the lower left of the viewport current at loading: the whole
// window, then a letterbox band from y = 40.
TEST_F(TextOverlayTest, HiThereSitsInItsCellsWithinTheViewportOfLoading) {
  const std::string script = "//Quintaval\n<placement> 100 50\nHi   there <end>\nLast <end>\n";
  auto overlay = load(script);
  overlay->drawLine(0.75f);
  expectText(100, 50, 20, " Hi there", 0.75f);
  expectRect(100, 70, 280, 72, kBlack);
  expectRect(98, 48, 280, 50, kBlack);
  glViewport(0, 40, kWidth, kHeight - 80);
  auto letterboxed = load(script);
  glClear(GL_COLOR_BUFFER_BIT);
  letterboxed->drawLine(0.5f);
  expectText(100, 90, 20, " Hi there", 0.5f);
  expectRect(100, 88, 280, 90, kBlack);
  EXPECT_TRUE(reporter.messages().empty());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A draw leaves unit 0 active, blending off and the attributes disabled, the program
// current. Bytes from 128 on (here a UTF-8 "é" and 0xFF) have no glyph but keep their cell.
TEST_F(TextOverlayTest, IntegerPartChoosesTheLineFractionTheAlphaAndTheLastLineNeverShows) {
  auto overlay = load("//Quintaval\n<size> 10 A <end>\nBB <end>\nC\xC3\xA9" "C\xFF <end>\nDDDD <end>\n");
  glActiveTexture(GL_TEXTURE3);
  overlay->drawLine(2.25f);
  expectText(0, 0, 10, " C\xC3\xA9" "C\xFF", 0.25f);
  EXPECT_EQ(glInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLint attributeEnabled = 1;
  glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &attributeEnabled);
  EXPECT_EQ(attributeEnabled, GL_FALSE);
  for (float t : {3.0f, 3.5f, 40.0f}) {
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(0);
    overlay->drawLine(t);
    expectRect(0, 0, 60, 20, kBlack);
    EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), static_cast<int>(shaders().find("Text")->program)) << t;  // drew at 0
  }
}

// Negative or not-a-number times, a missing script and a program that did not compile
// (reported) or link (not reported) draw nothing and touch no GL state.
TEST_F(TextOverlayTest, NothingToDrawTouchesNoGlState) {
  auto overlay = load("//Quintaval\nA <end>\nB <end>\n");
  breakShader("Text.frag");
  auto broken = load("//Quintaval\nHello <end>\nLast <end>\n");
  EXPECT_EQ(reporter.messages(), std::vector<std::string>{"Error compiling text shader"});
  EXPECT_TRUE(broken->lines().size() == 2 && broken->lines()[0].text.empty());  // no display text
  ShaderLibrary none;
  TextOverlay missing("Data/Text/Missing.txt", none);
  EXPECT_TRUE(missing.lines().empty());
  EXPECT_EQ(none.count(), 0u);
  glActiveTexture(GL_TEXTURE3);
  glEnable(GL_BLEND);
  glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  overlay->drawLine(-0.5f);
  overlay->drawLine(std::nanf(""));
  broken->drawLine(0.9f);
  missing.drawLine(0.5f);
  restoreShader("Text.frag");
  breakShader("Text.vert");
  auto unlinked = load("//Quintaval\nHello <end>\n");
  unlinked->drawLine(0.9f);
  EXPECT_EQ(reporter.messages().size(), 1u);
  EXPECT_EQ(glInteger(GL_CURRENT_PROGRAM), 0);
  EXPECT_EQ(glInteger(GL_ARRAY_BUFFER_BINDING), 0);
  EXPECT_EQ(glInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  expectRect(0, 0, 200, 40, {51, 102, 153});
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace quintaval
