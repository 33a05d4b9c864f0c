#version 330 core
// Lit models: position, texture coordinate and normal at locations 0, 1 and 2.
// Lighting happens per pixel in world space ("M" places the model in the world);
// "V" gives the view-space depth used for distance haze.
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec3 normal;

uniform mat4 MVP;
uniform mat4 M;
uniform mat4 V;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 uv;
out float viewDepth;

void main() {
  vec4 world = M * vec4(position, 1.0);
  worldPosition = world.xyz;
  worldNormal = mat3(M) * normal;
  viewDepth = -(V * world).z;
  uv = texCoord;
  gl_Position = MVP * vec4(position, 1.0);
}
