// CPU side of the text overlay: the per-frame tessellation of one line, and the one-off
// parse of a script. Run: build/bench/text_bench
#include <benchmark/benchmark.h>

#include "text/glyph_mesh.h"
#include "text/text_script.h"

namespace {

using namespace quintaval;

// A long overlay line: 80 bytes, 480 vertices, rebuilt every frame.
void BM_BuildGlyphMesh(benchmark::State& state) {
  const std::string text(" The quick brown fox jumps over the lazy dog and keeps running to the end of it");
  GlyphMesh mesh;
  for (auto _ : state) {
    buildGlyphMesh(text, 24, 100, 50, mesh);
    benchmark::DoNotOptimize(mesh.positions.data());
  }
}
BENCHMARK(BM_BuildGlyphMesh);

void BM_ParseTextScript(benchmark::State& state) {
  std::string contents = "//Quintaval\n<placement> 100 50\n";
  for (int i = 0; i < 200; ++i) {
    contents += "<size> 24 <color> 1 0.5 0.25 1 Greetings to everyone at the party, line " + std::to_string(i) + " <end>\n";
  }
  TextScript script;
  for (auto _ : state) {
    parseTextScript(contents, script);
    benchmark::DoNotOptimize(script.lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * contents.size()));
}
BENCHMARK(BM_ParseTextScript);

}  // namespace

BENCHMARK_MAIN();
