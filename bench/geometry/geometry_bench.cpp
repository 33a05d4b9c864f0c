// Geometry benchmarks: the OBJ reader against tinyobjloader on one generated model of
// over a million triangles with positions, texture coordinates and normals (both read
// the same file from the page cache; MB/s and their ratio are printed at the end), the
// draw-data build, and the preparation of a 20-segment camera path.
//
//   build/bench/geometry_bench                      all of them
//   build/bench/geometry_bench --benchmark_filter=Obj
#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "geometry/camera_path.h"
#include "geometry/obj_reader.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGrid = 710;  // 709 x 709 quads, two triangles each: 1,005,362 faces

fs::path modelPath() { return fs::temp_directory_path() / "quintaval_bench_model.obj"; }

// A wavy grid, written with the precision exporters use.
void writeModel(const fs::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  std::fprintf(file, "# generated benchmark model\no grid\n");
  for (int y = 0; y < kGrid; ++y) {
    for (int x = 0; x < kGrid; ++x) {
      std::fprintf(file, "v %.6f %.6f %.6f\n", x * 0.1, std::sin(x * 0.05) * std::cos(y * 0.07),
                   y * -0.1);
    }
  }
  for (int y = 0; y < kGrid; ++y) {
    for (int x = 0; x < kGrid; ++x) {
      std::fprintf(file, "vt %.6f %.6f\n", x / double(kGrid - 1), y / double(kGrid - 1));
    }
  }
  for (int y = 0; y < kGrid; ++y) {
    for (int x = 0; x < kGrid; ++x) {
      const double nx = -std::cos(x * 0.05) * 0.05;
      const double nz = std::sin(y * 0.07) * 0.07;
      const double length = std::sqrt(nx * nx + 1.0 + nz * nz);
      std::fprintf(file, "vn %.6f %.6f %.6f\n", nx / length, 1.0 / length, nz / length);
    }
  }
  std::fprintf(file, "g grid\ns 1\n");
  for (int y = 0; y + 1 < kGrid; ++y) {
    for (int x = 0; x + 1 < kGrid; ++x) {
      const int a = y * kGrid + x + 1;
      const int b = a + 1;
      const int c = a + kGrid;
      const int d = c + 1;
      std::fprintf(file, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, b, b, b, d, d, d);
      std::fprintf(file, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, d, d, d, c, c, c);
    }
  }
  std::fclose(file);
}

std::int64_t modelBytes() { return static_cast<std::int64_t>(fs::file_size(modelPath())); }

void ObjReaderQuintaval(benchmark::State& state) {
  std::size_t faces = 0;
  for (auto _ : state) {
    quintaval::ModelData model;
    quintaval::readObjFile(modelPath().string(), model);
    faces = model.groups.back().faces.size();
    benchmark::DoNotOptimize(model.positions.data());
  }
  state.SetBytesProcessed(state.iterations() * modelBytes());
  state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(ObjReaderQuintaval)->Unit(benchmark::kMillisecond)->UseRealTime();

void ObjReaderTinyobjloader(benchmark::State& state) {
  std::size_t faces = 0;
  for (auto _ : state) {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn;
    std::string err;
    tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, modelPath().c_str(), nullptr,
                     false);
    faces = shapes.empty() ? 0 : shapes.back().mesh.num_face_vertices.size();
    benchmark::DoNotOptimize(attrib.vertices.data());
  }
  state.SetBytesProcessed(state.iterations() * modelBytes());
  state.counters["faces"] = static_cast<double>(faces);
}
BENCHMARK(ObjReaderTinyobjloader)->Unit(benchmark::kMillisecond)->UseRealTime();

void ObjDrawDataBuild(benchmark::State& state) {
  quintaval::ModelData model;
  quintaval::readObjFile(modelPath().string(), model);
  for (auto _ : state) {
    model.buildDrawData();
    benchmark::DoNotOptimize(model.vertexData.data());
  }
}
BENCHMARK(ObjDrawDataBuild)->Unit(benchmark::kMillisecond)->UseRealTime();

// Twenty segments winding through space, as a camera path might.
void PathPreparation20Segments(benchmark::State& state) {
  std::vector<quintaval::Vec3> points;
  for (int i = 0; i <= 60; ++i) {
    const float a = static_cast<float>(i) * 0.3f;
    points.push_back({std::cos(a) * 10.0f, static_cast<float>(i) * 0.5f, std::sin(a) * 8.0f});
  }
  for (auto _ : state) {
    quintaval::CameraPath path;
    path.controlPoints = points;
    path.prepareSegments();
    path.buildSampledPath();
    benchmark::DoNotOptimize(path.sampledPath.data());
  }
}
BENCHMARK(PathPreparation20Segments)->Unit(benchmark::kMillisecond);

// Keeps the wall-clock and CPU seconds per iteration of every run (the mean, when
// repeated) so that throughputs and ratios can be printed after the table. On a busy
// machine the CPU figure is the steadier one.
class ThroughputReporter : public benchmark::ConsoleReporter {
 public:
  struct Seconds {
    double real = 0.0;
    double cpu = 0.0;
  };
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
      const double scale = benchmark::GetTimeUnitMultiplier(run.time_unit);
      std::string name = run.run_name.function_name;
      seconds[name] = {run.GetAdjustedRealTime() / scale, run.GetAdjustedCPUTime() / scale};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, Seconds> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  writeModel(modelPath());
  ThroughputReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const double megabytes = static_cast<double>(modelBytes()) / 1e6;
  fs::remove(modelPath());

  const auto ours = reporter.seconds.find("ObjReaderQuintaval");
  const auto theirs = reporter.seconds.find("ObjReaderTinyobjloader");
  if (ours != reporter.seconds.end() && theirs != reporter.seconds.end()) {
    const auto& a = ours->second;
    const auto& b = theirs->second;
    std::printf("\nOBJ reading, %.1f MB file (1 MB = 10^6 bytes)\n", megabytes);
    std::printf("  wall clock: quintaval %.1f MB/s, tinyobjloader %.1f MB/s, ratio %.2f\n",
                megabytes / a.real, megabytes / b.real, b.real / a.real);
    std::printf("  CPU time:   quintaval %.1f MB/s, tinyobjloader %.1f MB/s, ratio %.2f\n",
                megabytes / a.cpu, megabytes / b.cpu, b.cpu / a.cpu);
  }
  return 0;
}
