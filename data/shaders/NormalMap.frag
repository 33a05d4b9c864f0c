#version 330 core
// Per-pixel lighting with a tangent-space normal map: "bumpMap" (unit 2) holds normals
// encoded as 0.5 + 0.5 * n; the tangent frame comes from screen-space derivatives of
// position and texture coordinate. A black texel (the placeholder of materials without
// a map) means "no map" and keeps the surface normal. The diffuse texture "diffuseMap"
// (unit 3) is lit by the ambient colour and three point lights, with a Phong highlight
// towards "fvEyePosition".
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

const float kHazeDensity = 0.002;

mat3 cotangentFrame(vec3 n) {
  vec3 dp1 = dFdx(worldPosition);
  vec3 dp2 = dFdy(worldPosition);
  vec2 duv1 = dFdx(uv);
  vec2 duv2 = dFdy(uv);
  vec3 dp2perp = cross(dp2, n);
  vec3 dp1perp = cross(n, dp1);
  vec3 t = dp2perp * duv1.x + dp1perp * duv2.x;
  vec3 b = dp2perp * duv1.y + dp1perp * duv2.y;
  float invmax = inversesqrt(max(max(dot(t, t), dot(b, b)), 1e-20));
  return mat3(t * invmax, b * invmax, n);
}

vec3 mappedNormal(vec3 n) {
  vec3 texel = texture(bumpMap, uv).rgb;
  if (dot(texel, texel) < 1e-6) return n;
  vec3 tangentNormal = texel * 2.0 - 1.0;
  vec3 mapped = cotangentFrame(n) * tangentNormal;
  return dot(mapped, mapped) > 1e-12 ? normalize(mapped) : n;
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
  if (!gl_FrontFacing) n = -n;
  n = mappedNormal(n);
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
