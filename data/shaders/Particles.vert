#version 330 core
// Particles: one point per position at location 0, projected with "MVP"; the point
// size is the fixed one set by the drawing code.
layout(location = 0) in vec3 position;

uniform mat4 MVP;

void main() {
  gl_Position = MVP * vec4(position, 1.0);
}
