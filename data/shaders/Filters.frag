#version 330 core
// Image filters over "filterMap" (unit 0), chosen by "filterNumber":
//   0  the image itself;
//   1  two-tone: pixels brighter than "colorLine" take "colorValue1", the rest "colorValue2";
//   2  gradient map from "colorValue2" (dark) to "colorValue1" (bright);
//   3  a horizontal line at height "colorLine": "colorValue1" above it, the image below.
// Every filter is drawn at opacity "alpha".
in vec2 uv;

uniform sampler2D filterMap;
uniform int filterNumber;
uniform float alpha;
uniform float colorLine;
uniform vec4 colorValue1;
uniform vec4 colorValue2;

out vec4 fragColor;

void main() {
  vec4 color = texture(filterMap, uv);
  float luminance = dot(color.rgb, vec3(0.299, 0.587, 0.114));
  if (filterNumber == 1) {
    color = luminance > colorLine ? colorValue1 : colorValue2;
  } else if (filterNumber == 2) {
    color = vec4(mix(colorValue2.rgb, colorValue1.rgb, luminance), color.a);
  } else if (filterNumber == 3) {
    if (uv.y > colorLine) color = colorValue1;
  }
  fragColor = vec4(color.rgb, color.a * alpha);
}
