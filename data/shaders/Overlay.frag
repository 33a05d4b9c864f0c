#version 330 core
// Screen overlay: "filterMap" (unit 0) laid over the frame with a soft vignette that
// darkens the corners, and the texture's own alpha deciding how much of the frame
// beneath shows through.
in vec2 uv;

uniform sampler2D filterMap;

out vec4 fragColor;

void main() {
  vec4 overlay = texture(filterMap, uv);
  vec2 fromCentre = uv - 0.5;
  float vignette = 1.0 - smoothstep(0.35, 0.75, length(fromCentre));
  fragColor = vec4(overlay.rgb * vignette, overlay.a);
}
