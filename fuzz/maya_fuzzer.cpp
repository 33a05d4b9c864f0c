// Fuzzer for Maya ASCII scene text. Paths read from the text are also queried along their
// length, since their preparation and sampling index tables built from the read points.
#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/maya_scene.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaval;
  const std::string path = "Data/Maya/Fuzz.ma";
  MayaScene scene;
  scene.readMayaText(std::string_view(reinterpret_cast<const char*>(data), size), path);

  const std::string name = mayaObjectName(path);
  Vec3 sum;
  for (float u : {-1.0f, 0.0f, 0.25f, 0.5f, 0.999f, 1.0f, 2.0f}) {
    const Vec3 a = scene.curvePoint(name, u);
    const Vec3 b = scene.pathPoint(name, u);
    sum.x += a.x + b.x;
  }
  sum.y += scene.pointLightPosition(name).y + scene.pointLightColor(name).y +
           scene.pointLightIntensity(name) + scene.ambientLightColor(name).y;
  volatile float sink = sum.x + sum.y;
  (void)sink;
  return 0;
}
