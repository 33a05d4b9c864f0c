// Start-up image loading: a directory of 40 generated 1280x720 pictures (20 JPEG, 20 PNG)
// loaded through TextureLibrary (DevIL decode, GL upload, mipmaps), the same files
// decoded alone by ImageDecoder (DevIL, no GL), and decoded by stb_image as a peer
// decoder (same RGBA output and bottom-up row order, no GL). After the runs the times and
// the ratios to stb_image are printed.
//
// Needs a display for the GL run; headless:
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/assets_texture_load_bench
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#include <stb_image_write.h>

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "assets/image_decoder.h"
#include "assets/texture_library.h"
#include "platform/files/directory_listing.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kPicturesPerFormat = 20;

std::string gDirectory;  // ends with "/"
GLFWwindow* gWindow = nullptr;

// Smooth gradients, rings and a little noise: compresses roughly like a photograph
// rather than like a flat colour.
std::vector<unsigned char> makePicture(int seed) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
  unsigned state = 12345u + static_cast<unsigned>(seed) * 7919u;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      state = state * 1664525u + 1013904223u;
      int noise = static_cast<int>((state >> 24) & 15) - 8;
      float dx = static_cast<float>(x - kWidth / 2), dy = static_cast<float>(y - kHeight / 2);
      float ring = std::sin(std::sqrt(dx * dx + dy * dy) * 0.05f + static_cast<float>(seed));
      unsigned char* p = &pixels[(static_cast<std::size_t>(y) * kWidth + x) * 4];
      p[0] = static_cast<unsigned char>(std::clamp(x * 255 / kWidth + noise, 0, 255));
      p[1] = static_cast<unsigned char>(std::clamp(static_cast<int>(127 + 120 * ring) + noise, 0, 255));
      p[2] = static_cast<unsigned char>(std::clamp(y * 255 / kHeight + noise, 0, 255));
      p[3] = 255;
    }
  }
  return pixels;
}

void writePictures() {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / "quintaval-texture-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  gDirectory = dir.string() + "/";
  for (int i = 0; i < kPicturesPerFormat * 2; ++i) {
    std::vector<unsigned char> pixels = makePicture(i);
    char name[32];
    bool jpeg = i < kPicturesPerFormat;
    std::snprintf(name, sizeof name, "picture%02d.%s", i, jpeg ? "jpg" : "png");
    std::string path = gDirectory + name;
    if (jpeg) {
      stbi_write_jpg(path.c_str(), kWidth, kHeight, 4, pixels.data(), 90);
    } else {
      stbi_write_png(path.c_str(), kWidth, kHeight, 4, pixels.data(), kWidth * 4);
    }
  }
}

// Argument of the decode runs: which pictures to decode.
enum Formats { kBoth = 0, kJpegOnly = 1, kPngOnly = 2 };

std::vector<std::string> pictureNames(int formats) {
  std::vector<std::string> names;
  if (formats != kPngOnly) names = quintaval::listFilesWithExtension(gDirectory, ".jpg");
  if (formats != kJpegOnly) {
    for (std::string& name : quintaval::listFilesWithExtension(gDirectory, ".png")) {
      names.push_back(name);
    }
  }
  return names;
}

bool openContext() {
  if (!glfwInit()) return false;
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  gWindow = glfwCreateWindow(64, 64, "bench", nullptr, nullptr);
  if (!gWindow) return false;
  glfwMakeContextCurrent(gWindow);
  glewExperimental = GL_TRUE;
  return glewInit() == GLEW_OK;
}

void BM_TextureLibraryLoadDirectory(benchmark::State& state) {
  if (!gWindow) {
    state.SkipWithError("no GL context (run under xvfb-run)");
    return;
  }
  for (auto _ : state) {
    quintaval::TextureLibrary library;
    library.loadDirectory(gDirectory);
    glFinish();  // the upload and mipmap work is part of loading
    state.PauseTiming();
    if (library.count() != kPicturesPerFormat * 2u) state.SkipWithError("pictures failed to load");
    for (std::size_t i = 0; i < library.count(); ++i) {
      GLuint texture = library.entry(i).texture;
      glDeleteTextures(1, &texture);
    }
    state.ResumeTiming();
  }
}

void BM_DevilDecode(benchmark::State& state) {
  std::vector<std::string> names = pictureNames(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (const std::string& name : names) {
      quintaval::DecodedImage image;
      quintaval::ImageDecoder::decode(gDirectory + name, image);
      benchmark::DoNotOptimize(image.pixels.data());
    }
  }
}

void BM_StbImageDecode(benchmark::State& state) {
  std::vector<std::string> names = pictureNames(static_cast<int>(state.range(0)));
  stbi_set_flip_vertically_on_load(1);
  for (auto _ : state) {
    for (const std::string& name : names) {
      int width = 0, height = 0, channels = 0;
      unsigned char* pixels = stbi_load((gDirectory + name).c_str(), &width, &height, &channels, 4);
      benchmark::DoNotOptimize(pixels);
      stbi_image_free(pixels);
    }
  }
}

BENCHMARK(BM_TextureLibraryLoadDirectory)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DevilDecode)->Unit(benchmark::kMillisecond)->Iterations(5)->DenseRange(kBoth, kPngOnly);
BENCHMARK(BM_StbImageDecode)->Unit(benchmark::kMillisecond)->Iterations(5)->DenseRange(kBoth, kPngOnly);

// Console output as usual, and the wall and CPU time per iteration kept for the summary.
// On a busy machine the wall times swing; the CPU times (all threads of the process,
// the GL driver's included) hold better.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  struct Times {
    double wall = 0.0, cpu = 0.0;  // milliseconds
  };
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (!run.error_occurred) times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
  }
  Times find(const std::string& prefix) const {
    for (const auto& [name, t] : times) {
      if (name.rfind(prefix, 0) == 0) return t;
    }
    return {};
  }
  std::map<std::string, Times> times;
};

void printSummary(const SummaryReporter& reporter) {
  std::uintmax_t jpegBytes = 0, pngBytes = 0;
  for (const std::string& name : pictureNames(kJpegOnly)) jpegBytes += std::filesystem::file_size(gDirectory + name);
  for (const std::string& name : pictureNames(kPngOnly)) pngBytes += std::filesystem::file_size(gDirectory + name);
  std::printf("\n%d pictures of %dx%d (%d JPEG, %.1f MB; %d PNG, %.1f MB)\n", kPicturesPerFormat * 2,
              kWidth, kHeight, kPicturesPerFormat, jpegBytes / 1e6, kPicturesPerFormat, pngBytes / 1e6);
  std::printf("%-46s %10s %10s %12s %12s\n", "per directory", "wall ms", "CPU ms", "wall/stb", "CPU/stb");
  struct Row {
    const char* label;
    std::string run;
    std::string peer;  // the stb_image run it is compared with
  };
  const Row rows[] = {
      {"TextureLibrary::loadDirectory (upload, mips)", "BM_TextureLibraryLoadDirectory", "BM_StbImageDecode/0"},
      {"DevIL decode, JPEG and PNG", "BM_DevilDecode/0", "BM_StbImageDecode/0"},
      {"stb_image decode, JPEG and PNG", "BM_StbImageDecode/0", "BM_StbImageDecode/0"},
      {"DevIL decode, JPEG only", "BM_DevilDecode/1", "BM_StbImageDecode/1"},
      {"stb_image decode, JPEG only", "BM_StbImageDecode/1", "BM_StbImageDecode/1"},
      {"DevIL decode, PNG only", "BM_DevilDecode/2", "BM_StbImageDecode/2"},
      {"stb_image decode, PNG only", "BM_StbImageDecode/2", "BM_StbImageDecode/2"},
  };
  for (const Row& row : rows) {
    SummaryReporter::Times t = reporter.find(row.run + "/"), peer = reporter.find(row.peer + "/");
    if (t.wall <= 0.0 || peer.wall <= 0.0) continue;
    std::printf("%-46s %10.1f %10.1f %12.2f %12.2f\n", row.label, t.wall, t.cpu, t.wall / peer.wall,
                t.cpu / peer.cpu);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  writePictures();
  if (!openContext()) std::fprintf(stderr, "No GL context: the TextureLibrary run is skipped.\n");
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printSummary(reporter);

  if (gWindow) glfwDestroyWindow(gWindow);
  glfwTerminate();
  std::filesystem::remove_all(std::filesystem::path(gDirectory));
  benchmark::Shutdown();
  return 0;
}
