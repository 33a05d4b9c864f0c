// The shader support check. Core-profile contexts are created with glewExperimental,
// and some drivers (Mesa's llvmpipe among them) then list only one of the ARB program
// extensions or neither, so the context's own version decides as well.
#include "render/shader_support.h"

#include <GL/glew.h>

#include <cctype>
#include <cstring>

namespace quintaval {

namespace {

// Major version from a GL_VERSION string: "<major>.<minor>..." on desktop GL,
// "OpenGL ES <major>.<minor>..." on GLES. 0 when there is none.
int majorVersion(const char* versionString) {
  if (!versionString) return 0;
  const char* p = versionString;
  const char* esPrefix = "OpenGL ES";
  if (std::strncmp(p, esPrefix, std::strlen(esPrefix)) == 0) {
    p += std::strlen(esPrefix);
    while (*p && !std::isdigit(static_cast<unsigned char>(*p))) ++p;
  }
  int major = 0;
  bool any = false;
  while (std::isdigit(static_cast<unsigned char>(*p))) {
    major = major * 10 + (*p - '0');
    if (major > 1000) return 0;  // not a version number
    any = true;
    ++p;
  }
  if (!any || *p != '.') return 0;
  return major;
}

}  // namespace

bool shadersSupportedBy(bool vertexProgramExtension, bool fragmentProgramExtension,
                        const char* versionString) {
  if (vertexProgramExtension || fragmentProgramExtension) return true;
  return majorVersion(versionString) >= 2;
}

bool shadersSupported() {
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  return shadersSupportedBy(GLEW_ARB_vertex_program, GLEW_ARB_fragment_program, version);
}

}  // namespace quintaval
