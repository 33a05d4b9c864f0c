#version 330 core
// Overlay text: glyph corners in pixels with the origin at the lower left of the
// viewport; "x" and "y" are half the viewport's width and height, so the viewport
// centre maps to the clip-space origin.
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;

uniform int x;
uniform int y;

out vec2 uv;

void main() {
  vec2 halfSize = vec2(float(x), float(y));
  uv = texCoord;
  gl_Position = vec4((position - halfSize) / halfSize, 0.0, 1.0);
}
