// Fuzzer for OBJ text, through to the draw data a model uploads: every index must name a
// vertex that exists and every draw range must lie inside the index data, since GL would
// otherwise read beyond its buffers. mtllib names resolve inside a directory that does not
// exist, so the fuzzer never opens files of the machine.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "geometry/model_data.h"
#include "geometry/obj_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quintaval;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ModelData model;
  readObjText(text, "/nonexistent-quintaval-fuzz/", model);
  model.buildDrawData();

  if (model.drawsAsPoints()) {
    if (model.pointData.size() % 3 != 0) std::abort();
    return 0;
  }
  const std::size_t vertices = static_cast<std::size_t>(model.vertexCount);
  if (model.vertexData.size() != vertices * kFloatsPerVertex) std::abort();
  for (std::uint32_t index : model.indexData) {
    if (index >= vertices) std::abort();
  }
  for (const DrawRange& range : model.ranges) {
    if (range.first < 0 || range.count < 0 || range.count % 3 != 0) std::abort();
    if (static_cast<std::size_t>(range.first) + static_cast<std::size_t>(range.count) >
        model.indexData.size()) {
      std::abort();
    }
    volatile float shininess = model.materialAt(range.material).shininess;
    (void)shininess;
  }
  return 0;
}
