#version 330 core
// Matte models: the usual model attributes at locations 0, 1 and 2, lit per pixel in
// world space.
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec3 normal;

uniform mat4 MVP;
uniform mat4 M;

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 uv;

void main() {
  worldPosition = (M * vec4(position, 1.0)).xyz;
  worldNormal = mat3(M) * normal;
  uv = texCoord;
  gl_Position = MVP * vec4(position, 1.0);
}
