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

// Console output as usual, and the mean wall time per run kept for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (!run.error_occurred) milliseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> milliseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  writePictures();
  if (!openContext()) std::fprintf(stderr, "No GL context: the TextureLibrary run is skipped.\n");
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  auto find = [&](const char* prefix) {
    for (const auto& [name, ms] : reporter.milliseconds) {
      if (name.rfind(prefix, 0) == 0) return ms;
    }
    return 0.0;
  };
  double library = find("BM_TextureLibraryLoadDirectory");
  double devil = find("BM_DevilDecode/0");
  double stb = find("BM_StbImageDecode/0");
  std::uintmax_t jpegBytes = 0, pngBytes = 0;
  for (const std::string& name : pictureNames(kJpegOnly)) jpegBytes += std::filesystem::file_size(gDirectory + name);
  for (const std::string& name : pictureNames(kPngOnly)) pngBytes += std::filesystem::file_size(gDirectory + name);
  std::printf("\n%d pictures of %dx%d (%d JPEG, %.1f MB; %d PNG, %.1f MB), wall time per directory:\n",
              kPicturesPerFormat * 2, kWidth, kHeight, kPicturesPerFormat, jpegBytes / 1e6,
              kPicturesPerFormat, pngBytes / 1e6);
  if (library > 0) std::printf("  TextureLibrary::loadDirectory (DevIL + GL upload + mipmaps): %8.1f ms\n", library);
  if (devil > 0) std::printf("  DevIL decode only:                                         %8.1f ms\n", devil);
  if (stb > 0) std::printf("  stb_image decode only:                                     %8.1f ms\n", stb);
  if (stb > 0 && library > 0) std::printf("  ratio TextureLibrary / stb_image: %.2f\n", library / stb);
  if (stb > 0 && devil > 0) std::printf("  ratio DevIL decode / stb_image decode: %.2f\n", devil / stb);
  double devilJpeg = find("BM_DevilDecode/1"), stbJpeg = find("BM_StbImageDecode/1");
  double devilPng = find("BM_DevilDecode/2"), stbPng = find("BM_StbImageDecode/2");
  if (stbJpeg > 0 && devilJpeg > 0) {
    std::printf("  JPEG only: DevIL %.1f ms, stb_image %.1f ms, ratio %.2f\n", devilJpeg, stbJpeg,
                devilJpeg / stbJpeg);
  }
  if (stbPng > 0 && devilPng > 0) {
    std::printf("  PNG only:  DevIL %.1f ms, stb_image %.1f ms, ratio %.2f\n", devilPng, stbPng,
                devilPng / stbPng);
  }

  if (gWindow) glfwDestroyWindow(gWindow);
  glfwTerminate();
  std::filesystem::remove_all(std::filesystem::path(gDirectory));
  benchmark::Shutdown();
  return 0;
}
