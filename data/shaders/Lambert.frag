#version 330 core
// Lambert shading: "diffuseMap" (unit 3) tinted by "Diffuse" under one white point
// light at "fvLightPosition", plus "Ambient". The texture lookup wobbles with sine
// waves of "Distort" cycles per texture moving at "DistortSpeed" radians per second
// of "time".
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 uv;

uniform sampler2D diffuseMap;
uniform vec4 Ambient;
uniform vec4 Diffuse;
uniform vec3 fvLightPosition;
uniform vec2 Distort;
uniform vec2 DistortSpeed;
uniform float time;

out vec4 fragColor;

const float kWobbleAmplitude = 0.005;
const float kTwoPi = 6.28318531;

void main() {
  vec2 at = uv + kWobbleAmplitude * sin(uv.yx * Distort * kTwoPi + time * DistortSpeed);
  vec3 n = normalize(worldNormal);
  if (!gl_FrontFacing) n = -n;
  float lambert = max(dot(n, normalize(fvLightPosition - worldPosition)), 0.0);
  vec4 base = texture(diffuseMap, at);
  fragColor = vec4(base.rgb * (Ambient.rgb + Diffuse.rgb * lambert), base.a * Diffuse.a);
}
