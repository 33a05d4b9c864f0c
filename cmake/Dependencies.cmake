# Every third-party library the project uses, found once here so that all subsystems
# link the same imported targets. The Debian packages come from scripts/install-deps.sh.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

pkg_check_modules(GLFW REQUIRED IMPORTED_TARGET glfw3)
pkg_check_modules(GLEW REQUIRED IMPORTED_TARGET glew)
pkg_check_modules(GTK REQUIRED IMPORTED_TARGET gtk+-3.0)
pkg_check_modules(DEVIL REQUIRED IMPORTED_TARGET IL)
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
pkg_check_modules(SPNG REQUIRED IMPORTED_TARGET spng)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(FFTW3F REQUIRED IMPORTED_TARGET fftw3f)
find_package(CLI11 CONFIG REQUIRED)
pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
pkg_check_modules(CAIRO IMPORTED_TARGET cairo)
pkg_check_modules(STB IMPORTED_TARGET stb)

find_library(MP3LAME_LIBRARY mp3lame)
find_path(MP3LAME_INCLUDE_DIR lame/lame.h)
if(MP3LAME_LIBRARY AND MP3LAME_INCLUDE_DIR)
  add_library(qv::mp3lame UNKNOWN IMPORTED)
  set_target_properties(qv::mp3lame PROPERTIES
    IMPORTED_LOCATION ${MP3LAME_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${MP3LAME_INCLUDE_DIR})
endif()

find_package(nlohmann_json 3 QUIET)
find_package(tinyobjloader QUIET)

if(BUILD_TESTING)
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
  include(GoogleTest)
endif()
