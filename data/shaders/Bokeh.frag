#version 330 core
// Lens blur of "filterMap" (unit 0): samples on a golden-angle spiral fill a disc, and
// bright samples weigh more, so highlights spread into round bokeh shapes instead of
// washing out as in a plain box blur.
in vec2 uv;

uniform sampler2D filterMap;

out vec4 fragColor;

const int kSamples = 48;
const float kRadiusPixels = 8.0;
const float kGoldenAngle = 2.39996323;

void main() {
  vec2 texel = 1.0 / vec2(textureSize(filterMap, 0));
  vec4 sum = vec4(0.0);
  float weightSum = 0.0;
  for (int i = 0; i < kSamples; ++i) {
    float r = sqrt((float(i) + 0.5) / float(kSamples)) * kRadiusPixels;
    float a = float(i) * kGoldenAngle;
    vec4 s = texture(filterMap, uv + vec2(cos(a), sin(a)) * r * texel);
    float w = 1.0 + 4.0 * pow(max(dot(s.rgb, vec3(0.299, 0.587, 0.114)), 0.0), 4.0);
    sum += s * w;
    weightSum += w;
  }
  fragColor = sum / weightSum;
}
