#version 330 core
// Sine-wave effect over "filterMap" (unit 0): rows of the image sway sideways and
// bright interference bands drift over it. Wave lengths are set in window pixels
// through "resolution" (the window size) so the pattern looks the same at any size;
// "time" (seconds) moves it.
in vec2 uv;

uniform sampler2D filterMap;
uniform vec2 resolution;
uniform float time;

out vec4 fragColor;

const float kWaveLengthPixels = 48.0;
const float kSwayPixels = 6.0;
const float kTwoPi = 6.28318531;

void main() {
  vec2 pixel = uv * resolution;
  float sway = sin(pixel.y / kWaveLengthPixels * kTwoPi + time * 3.0) * kSwayPixels;
  vec2 at = (pixel + vec2(sway, 0.0)) / max(resolution, vec2(1.0));
  vec4 image = texture(filterMap, at);
  float bands = 0.5 + 0.5 * sin((pixel.x + pixel.y) / (2.0 * kWaveLengthPixels) * kTwoPi -
                                time * 2.0);
  fragColor = vec4(image.rgb * (0.85 + 0.3 * bands), image.a);
}
