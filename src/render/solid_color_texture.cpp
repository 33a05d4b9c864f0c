// One texel of GL_RGBA32F with nearest filtering and no mipmaps, so every lookup returns
// the stored value unchanged whatever the coordinates, wrap mode or level of detail.
#include "render/solid_color_texture.h"

#include <GL/glew.h>

namespace quintaval {

unsigned int makeSolidColorTexture(const Vec4& color) {
  const GLfloat texel[4] = {color.x, color.y, color.z, color.w};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, 1, 1, 0, GL_RGBA, GL_FLOAT, texel);
  return texture;
}

}  // namespace quintaval
