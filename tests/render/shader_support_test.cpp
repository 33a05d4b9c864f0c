// The shader support decision: either ARB extension, or a context of version 2.0 or
// newer, passes; only an old context without either extension is refused.
#include "render/shader_support.h"

#include <gtest/gtest.h>

namespace quintaval {
namespace {

TEST(ShaderSupportTest, EitherExtensionIsEnough) {
  EXPECT_TRUE(shadersSupportedBy(true, false, "1.5"));
  EXPECT_TRUE(shadersSupportedBy(false, true, "1.5"));
  EXPECT_TRUE(shadersSupportedBy(true, true, nullptr));
}

TEST(ShaderSupportTest, ModernContextsPassWithoutTheExtensions) {
  EXPECT_TRUE(shadersSupportedBy(false, false, "4.5 (Core Profile) Mesa 22.3.6"));
  EXPECT_TRUE(shadersSupportedBy(false, false, "3.3.0 NVIDIA 535.54"));
  EXPECT_TRUE(shadersSupportedBy(false, false, "2.0"));
  EXPECT_TRUE(shadersSupportedBy(false, false, "10.0"));
  EXPECT_TRUE(shadersSupportedBy(false, false, "OpenGL ES 3.2 Mesa 22.3.6"));
}

TEST(ShaderSupportTest, OldOrUnknownContextsWithoutExtensionsAreRefused) {
  EXPECT_FALSE(shadersSupportedBy(false, false, "1.5"));
  EXPECT_FALSE(shadersSupportedBy(false, false, "1.1 Microsoft"));
  EXPECT_FALSE(shadersSupportedBy(false, false, nullptr));
  EXPECT_FALSE(shadersSupportedBy(false, false, ""));
  EXPECT_FALSE(shadersSupportedBy(false, false, "Mesa"));
  EXPECT_FALSE(shadersSupportedBy(false, false, "OpenGL ES-CM 1.1"));
}

}  // namespace
}  // namespace quintaval
