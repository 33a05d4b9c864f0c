// Fuzzer for MTL material text.
#include <cstdint>
#include <string_view>
#include <vector>

#include "geometry/mtl_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaval;
  std::vector<Material> materials;
  readMaterialText(std::string_view(reinterpret_cast<const char*>(data), size), materials);
  return 0;
}
