#version 330 core
// Per-pixel lighting of a model: the diffuse texture "diffuseMap" (unit 3) lit by the
// ambient colour and three point lights (colour times intensity, no fall-off with
// distance), with a Phong highlight towards "fvEyePosition". "bumpMap" (unit 2) is a
// height map (red channel) that tilts the normal where the height changes; a constant
// map, such as the black placeholder of materials without one, leaves it untouched.
in vec3 worldPosition;
in vec3 worldNormal;
in vec2 uv;
in float viewDepth;

uniform sampler2D diffuseMap;
uniform sampler2D bumpMap;
uniform vec4 Ambient;
uniform vec4 Diffuse;
uniform vec4 Specular;
uniform float SpecularPower;
uniform vec3 fvEyePosition;
uniform vec4 LightColor1;
uniform float LightIntensity1;
uniform vec3 fvLightPosition1;
uniform vec4 LightColor2;
uniform float LightIntensity2;
uniform vec3 fvLightPosition2;
uniform vec4 LightColor3;
uniform float LightIntensity3;
uniform vec3 fvLightPosition3;

out vec4 fragColor;

const float kBumpHeight = 0.1;   // world units for a full-scale height step
const float kHazeDensity = 0.002;

// Bump mapping from screen-space derivatives of position and height, so no tangents
// are needed in the vertex data.
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

void addLight(vec3 n, vec3 toEye, vec3 lightPosition, vec4 color, float intensity,
              inout vec3 diffuse, inout vec3 specular) {
  vec3 toLight = normalize(lightPosition - worldPosition);
  float lambert = max(dot(n, toLight), 0.0);
  vec3 radiance = color.rgb * intensity;
  diffuse += radiance * lambert;
  if (lambert > 0.0) {
    float highlight = max(dot(reflect(-toLight, n), toEye), 0.0);
    specular += radiance * pow(highlight, SpecularPower);
  }
}

void main() {
  vec3 n = normalize(worldNormal);
  if (!gl_FrontFacing) n = -n;  // inside of closed shapes such as the sky sphere
  n = bumpedNormal(n, texture(bumpMap, uv).r * kBumpHeight);
  vec3 toEye = normalize(fvEyePosition - worldPosition);

  vec3 diffuseLight = vec3(0.0);
  vec3 specularLight = vec3(0.0);
  addLight(n, toEye, fvLightPosition1, LightColor1, LightIntensity1, diffuseLight, specularLight);
  addLight(n, toEye, fvLightPosition2, LightColor2, LightIntensity2, diffuseLight, specularLight);
  addLight(n, toEye, fvLightPosition3, LightColor3, LightIntensity3, diffuseLight, specularLight);

  vec4 base = texture(diffuseMap, uv);
  vec3 color = base.rgb * (Ambient.rgb + Diffuse.rgb * diffuseLight) +
               Specular.rgb * specularLight;
  float haze = 1.0 - exp(-kHazeDensity * max(viewDepth, 0.0));
  color = mix(color, Ambient.rgb, haze);
  fragColor = vec4(color, base.a * Diffuse.a);
}
