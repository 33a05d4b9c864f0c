// The shader support decision: either ARB extension, or a context of version 2.0 or
// newer, passes; only an old or unreadable context without either extension is refused.
#include "render/shader_support.h"

#include <gtest/gtest.h>

namespace quintaval {
namespace {

TEST(ShaderSupportTest, ExtensionsOrAModernContextPassAndNothingElse) {
  EXPECT_TRUE(shadersSupportedBy(true, false, "1.5"));
  EXPECT_TRUE(shadersSupportedBy(false, true, nullptr));
  EXPECT_FALSE(shadersSupportedBy(false, false, nullptr));
  for (const char* version :
       {"4.5 (Core Profile) Mesa 22.3.6", "3.3.0 NVIDIA 535.54", "2.0", "10.0", "OpenGL ES 3.2 Mesa 22.3.6"}) {
    EXPECT_TRUE(shadersSupportedBy(false, false, version)) << version;
  }
  for (const char* version : {"1.5", "1.1 Microsoft", "", "Mesa", "OpenGL ES-CM 1.1"}) {
    EXPECT_FALSE(shadersSupportedBy(false, false, version)) << version;
  }
}

}  // namespace
}  // namespace quintaval
