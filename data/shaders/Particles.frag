#version 330 core
// A particle sprite: "diffuseMap" (unit 0) across the point, faded to nothing at the
// rim of a disc so the square point shape never shows. Drawn with additive blending
// weighted by the alpha written here.
uniform sampler2D diffuseMap;

out vec4 fragColor;

void main() {
  vec2 fromCentre = gl_PointCoord - 0.5;
  float disc = 1.0 - smoothstep(0.3, 0.5, length(fromCentre));
  vec4 sprite = texture(diffuseMap, gl_PointCoord);
  fragColor = vec4(sprite.rgb, sprite.a * disc);
}
