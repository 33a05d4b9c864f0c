#version 330 core
// One point light over a surface whose textures scroll and ripple with "time" (seconds):
// "diffuseMap" (unit 3) scrolls at "DiffScroll" and "bumpMap" (unit 2, a height map)
// at "BumpScroll" hundredths of the texture per second; both are displaced by sine
// waves of "Distort" cycles per texture moving at "DistortSpeed" radians per second.
// The Phong highlight towards "fvEyePosition" is scaled by "SpecularGain".
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 uv;

uniform sampler2D diffuseMap;
uniform sampler2D bumpMap;
uniform vec4 Ambient;
uniform vec4 Diffuse;
uniform vec4 Specular;
uniform vec4 LightColor;
uniform float SpecularPower;
uniform float SpecularGain;
uniform float LightIntensity;
uniform vec3 fvLightPosition;
uniform float DiffScroll;
uniform float BumpScroll;
uniform vec2 Distort;
uniform vec2 DistortSpeed;
uniform vec3 fvEyePosition;
uniform float time;

out vec4 fragColor;

const float kRippleAmplitude = 0.01;
const float kTwoPi = 6.28318531;
const float kBumpHeight = 0.1;  // world units for a full-scale height step

vec2 ripple(vec2 at) {
  return kRippleAmplitude * sin(at.yx * Distort * kTwoPi + time * DistortSpeed);
}

// Bump mapping from screen-space derivatives of position and height.
vec3 bumpedNormal(vec3 n, float height) {
  vec3 dpdx = dFdx(worldPosition);
  vec3 dpdy = dFdy(worldPosition);
  vec3 r1 = cross(dpdy, n);
  vec3 r2 = cross(n, dpdx);
  float det = dot(dpdx, r1);
  if (abs(det) < 1e-12) return n;
  vec3 gradient = sign(det) * (dFdx(height) * r1 + dFdy(height) * r2);
  return normalize(abs(det) * n - gradient);
}

void main() {
  vec2 diffuseUv = uv + vec2(DiffScroll * 0.01 * time, 0.0);
  vec2 bumpUv = uv + vec2(0.0, BumpScroll * 0.01 * time);
  diffuseUv += ripple(diffuseUv);
  bumpUv += ripple(bumpUv);

  vec3 n = normalize(worldNormal);
  if (!gl_FrontFacing) n = -n;
  n = bumpedNormal(n, texture(bumpMap, bumpUv).r * kBumpHeight);

  vec3 toLight = normalize(fvLightPosition - worldPosition);
  vec3 toEye = normalize(fvEyePosition - worldPosition);
  float lambert = max(dot(n, toLight), 0.0);
  vec3 radiance = LightColor.rgb * LightIntensity;
  float highlight = lambert > 0.0 ? pow(max(dot(reflect(-toLight, n), toEye), 0.0), SpecularPower)
                                  : 0.0;

  vec4 base = texture(diffuseMap, diffuseUv);
  vec3 color = base.rgb * (Ambient.rgb + Diffuse.rgb * radiance * lambert) +
               Specular.rgb * radiance * highlight * SpecularGain;
  fragColor = vec4(color, base.a * Diffuse.a);
}
