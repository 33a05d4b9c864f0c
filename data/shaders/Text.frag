#version 330 core
// A glyph cell of the font image "fontMap" (unit 0); the whole line fades with "alpha".
in vec2 uv;

uniform sampler2D fontMap;
uniform float alpha;

out vec4 fragColor;

void main() {
  vec4 glyph = texture(fontMap, uv);
  fragColor = vec4(glyph.rgb, glyph.a * alpha);
}
