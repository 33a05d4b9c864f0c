// The overlay text renderer: shows one line of the text script at a time over the
// finished frame, in a bitmap font of 16 x 16 glyph cells, faded by an alpha.
//
// One float chooses the line and its opacity: drawLine(2.25) draws line 2 at alpha 0.25.
// Positions are pixels from the lower left corner of the viewport that was current when
// the script was loaded. Needs a current GL context for every operation; GL objects are
// never released. It draws with the shader library's "Text" program, which it builds.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "render/shader_library.h"
#include "text/glyph_mesh.h"
#include "text/text_script.h"

namespace quintaval {

class TextOverlay {
 public:
  // Reads the script at `path` and sets up drawing: saves the viewport, builds "Text" in
  // `shaders` and the two vertex buffers, and fills in every line's display text. A
  // missing or header-less script is silent and leaves no lines (and builds no program).
  // Reports "Vertex and fragment shaders not supported!" or "Error compiling text shader"
  // and then draws nothing.
  TextOverlay(const std::string& path, ShaderLibrary& shaders);
  TextOverlay(const TextOverlay&) = delete;
  TextOverlay& operator=(const TextOverlay&) = delete;

  // Author mode, after the script changed: its lines and placement are replaced by the
  // file's, keeping the program and buffers. False, with the old lines kept, when the
  // file cannot be read or has no "//Quintaval" header.
  bool rereadTextScript(const std::string& path);
  // The font image: 16 x 16 glyph cells, row 0 at the top of the image.
  void setFontTexture(unsigned int texture) { fontTexture_ = texture; }

  // Draws line trunc(t) at alpha t - trunc(t); t beyond the last line draws the last
  // line at alpha 0. Negative t, no lines or a failed set-up: no GL call at all. When it
  // draws it leaves the Text program current, texture unit 0 active and blending off.
  void drawLine(float t);

  const std::vector<TextLine>& lines() const { return lines_; }
  int placementX() const { return placementX_; }
  int placementY() const { return placementY_; }
  // True once the program compiled and the buffers exist.
  bool ready() const { return ready_; }

 private:
  void loadTextScript(const std::string& path);

  ShaderLibrary& shaders_;
  ShaderProgram* textShader_ = nullptr;  // "Text", once a script was read
  std::vector<TextLine> lines_;
  int placementX_ = 0;
  int placementY_ = 0;
  int viewport_[4] = {0, 0, 0, 0};  // x, y, width, height when the script was loaded
  unsigned int fontTexture_ = 0;
  unsigned int vertexBuffer_ = 0;
  unsigned int uvBuffer_ = 0;
  bool ready_ = false;
  GlyphMesh mesh_;  // rebuilt on every draw; kept only to reuse its storage
};

}  // namespace quintaval
