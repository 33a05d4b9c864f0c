// startup_bare_serial: the plain work of the player's start-up, one item after another, with
// no code of the player: one hidden 1280x720 window with a GL 3.3 core context; every JPEG
// and PNG picture the player loads (those directly in Data/, Data/Textures/, Data/Models/
// and Data/Maya/, and in each folder directly under Data/Textures/) decoded by stb_image
// into RGBA8, bottom row first, and uploaded with a full mipmap chain before the next one is
// read; the music decoded completely by mpg123 into interleaved floats; every OBJ model of
// Data/Models/ read with its materials by tinyobjloader; then one cleared frame, swapped
// and finished. It is the baseline bench/startup/startup_bench.sh compares the player with.
//
//   startup_bare_serial DIR     (DIR holds Data/; exit status 0, or 1 when a step fails)
//
// The time of each step goes to standard error as one line.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#include <tiny_obj_loader.h>

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <mpg123.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Case-insensitive, as the player matches extensions.
bool hasExtension(const fs::path& path, const char* const* extensions, int count) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  for (int i = 0; i < count; ++i) {
    if (extension == extensions[i]) return true;
  }
  return false;
}

// Regular files of `directory` (not below it) with one of the extensions, sorted by path.
std::vector<fs::path> filesIn(const fs::path& directory, const char* const* extensions, int count) {
  std::vector<fs::path> files;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    std::error_code statError;
    if (fs::is_regular_file(it->path(), statError) && hasExtension(it->path(), extensions, count)) {
      files.push_back(it->path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<fs::path> picturePaths(const fs::path& data) {
  static const char* const kPictures[] = {".jpg", ".png"};
  std::vector<fs::path> folders = {data, data / "Textures", data / "Models", data / "Maya"};
  std::vector<fs::path> sequences;
  std::error_code error;
  for (fs::directory_iterator it(data / "Textures", error), end; !error && it != end; it.increment(error)) {
    std::error_code statError;
    if (fs::is_directory(it->path(), statError)) sequences.push_back(it->path());
  }
  std::sort(sequences.begin(), sequences.end());
  folders.insert(folders.end(), sequences.begin(), sequences.end());
  std::vector<fs::path> paths;
  for (const fs::path& folder : folders) {
    for (fs::path& path : filesIn(folder, kPictures, 2)) paths.push_back(std::move(path));
  }
  return paths;
}

struct PictureTimes {
  int count = 0;
  double megabytes = 0.0;  // decoded RGBA bytes, in units of 2^20
  double decode = 0.0;
  double upload = 0.0;
};

bool loadPictures(const fs::path& data, PictureTimes& times) {
  stbi_set_flip_vertically_on_load(1);
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  for (const fs::path& path : picturePaths(data)) {
    Clock::time_point start = Clock::now();
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    times.decode += secondsSince(start);
    if (pixels == nullptr || width > maxSize || height > maxSize) {
      std::fprintf(stderr, "startup_bare_serial: cannot load %s\n", path.c_str());
      stbi_image_free(pixels);
      return false;
    }
    start = Clock::now();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glGenerateMipmap(GL_TEXTURE_2D);
    times.upload += secondsSince(start);
    stbi_image_free(pixels);
    ++times.count;
    times.megabytes += static_cast<double>(width) * height * 4 / (1 << 20);
  }
  return glGetError() == GL_NO_ERROR;
}

// Float output at the file's own rate and channel count, as the player keeps the music.
bool decodeMusic(const fs::path& path, std::vector<float>& samples, long& rate, int& channels) {
  mpg123_init();
  mpg123_handle* handle = mpg123_new(nullptr, nullptr);
  if (handle == nullptr) return false;
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  const long* rates = nullptr;
  size_t rateCount = 0;
  mpg123_rates(&rates, &rateCount);
  mpg123_format_none(handle);
  for (size_t i = 0; i < rateCount; ++i) {
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
  }
  int encoding = 0;
  bool ok = mpg123_open(handle, path.c_str()) == MPG123_OK &&
            mpg123_getformat(handle, &rate, &channels, &encoding) == MPG123_OK &&
            encoding == MPG123_ENC_FLOAT_32;
  std::vector<unsigned char> buffer(1 << 16);
  while (ok) {
    size_t done = 0;
    const int result = mpg123_read(handle, buffer.data(), buffer.size(), &done);
    const float* decoded = reinterpret_cast<const float*>(buffer.data());
    samples.insert(samples.end(), decoded, decoded + done / sizeof(float));
    if (result == MPG123_DONE) break;
    ok = result == MPG123_OK || result == MPG123_NEW_FORMAT;
  }
  mpg123_close(handle);
  mpg123_delete(handle);
  return ok && !samples.empty();
}

bool readModels(const fs::path& folder, int& count) {
  static const char* const kModels[] = {".obj"};
  const std::string materialFolder = folder.string() + "/";
  for (const fs::path& path : filesIn(folder, kModels, 1)) {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warning;
    std::string error;
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, path.c_str(), materialFolder.c_str())) {
      std::fprintf(stderr, "startup_bare_serial: cannot read %s: %s\n", path.c_str(), error.c_str());
      return false;
    }
    ++count;
  }
  return true;
}

GLFWwindow* openWindow() {
  if (!glfwInit()) return nullptr;
  glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
  glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
  glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
  glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
  glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
  GLFWwindow* window = glfwCreateWindow(kWidth, kHeight, "startup_bare_serial", nullptr, nullptr);
  if (window == nullptr) return nullptr;
  glfwMakeContextCurrent(window);
  glewExperimental = GL_TRUE;
  if (glewInit() != GLEW_OK) return nullptr;
  glGetError();  // GLEW's probe of a core context leaves GL_INVALID_ENUM behind
  return window;
}

int fail(const char* step) {
  std::fprintf(stderr, "startup_bare_serial: %s failed\n", step);
  glfwTerminate();
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: startup_bare_serial DIR   (DIR holds Data/)\n");
    return 2;
  }
  const Clock::time_point start = Clock::now();
  const fs::path data = fs::path(argv[1]) / "Data";

  GLFWwindow* window = openWindow();
  if (window == nullptr) return fail("opening the GL 3.3 window");
  const double windowSeconds = secondsSince(start);

  PictureTimes pictures;
  if (!loadPictures(data, pictures)) return fail("loading the pictures");

  Clock::time_point step = Clock::now();
  std::vector<float> samples;
  long rate = 0;
  int channels = 0;
  if (!decodeMusic(data / "Sound" / "Musica.mp3", samples, rate, channels)) return fail("decoding the music");
  const double musicSeconds = secondsSince(step);

  step = Clock::now();
  int models = 0;
  if (!readModels(data / "Models", models)) return fail("reading the models");
  const double modelSeconds = secondsSince(step);

  step = Clock::now();
  glViewport(0, 0, kWidth, kHeight);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glfwSwapBuffers(window);
  glFinish();
  const double frameSeconds = secondsSince(step);

  std::fprintf(stderr,
               "startup_bare_serial: window %.2f s, %d pictures (%.0f MB RGBA) decode %.2f s, "
               "upload+mipmaps %.2f s, music (%.1f s of sound) %.2f s, %d models %.2f s, "
               "frame+finish %.2f s, total %.2f s\n",
               windowSeconds, pictures.count, pictures.megabytes, pictures.decode, pictures.upload,
               channels > 0 && rate > 0 ? static_cast<double>(samples.size()) / channels / rate : 0.0,
               musicSeconds, models, modelSeconds, frameSeconds, secondsSince(start));
  glfwDestroyWindow(window);
  glfwTerminate();
  return 0;
}
