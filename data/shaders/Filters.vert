#version 330 core
// Full-screen quad of the post-processor: positions arrive in clip space and are
// shifted by "offset" (clip units); texture coordinate (0, 0) is the lower left.
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;

uniform vec2 offset;

out vec2 uv;

void main() {
  uv = texCoord;
  gl_Position = vec4(position.xy + offset, position.z, 1.0);
}
