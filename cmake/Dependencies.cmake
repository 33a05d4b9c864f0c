# Every third-party library the project uses, found once here so that all subsystems
# link the same imported targets. The Debian packages come from scripts/install-deps.sh.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

pkg_check_modules(GLFW REQUIRED IMPORTED_TARGET glfw3)
if(WIN32)
  # GLEW's pkg-config file asks for a GLU package that MinGW does not have.
  find_library(QV_GLEW_STATIC NAMES libglew32.a REQUIRED)
  add_library(PkgConfig::GLEW INTERFACE IMPORTED)
  set_target_properties(PkgConfig::GLEW PROPERTIES INTERFACE_LINK_LIBRARIES "${QV_GLEW_STATIC};opengl32"
                        INTERFACE_INCLUDE_DIRECTORIES ${QV_WINDOWS_PREFIX}/include)
else()
  pkg_check_modules(GLEW REQUIRED IMPORTED_TARGET glew)
endif()
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
pkg_search_module(SPNG REQUIRED IMPORTED_TARGET spng libspng)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(FFTW3F REQUIRED IMPORTED_TARGET fftw3f)
pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
pkg_check_modules(STB IMPORTED_TARGET stb)

if(WIN32)
  # Cross-built by scripts/windows-deps.sh: static libraries, and the header-only ones
  # copied from the Linux packages into the same prefix. No GTK, DevIL, cairo or LAME.
  target_compile_definitions(PkgConfig::GLEW INTERFACE GLEW_STATIC)
  # A static mpg123 needs the shell's path functions, which its pkg-config file leaves out.
  target_link_libraries(PkgConfig::MPG123 INTERFACE shlwapi)
  # libspng's pkg-config file names its import library; the static one has its own name
  # and wants its declarations without dllimport.
  find_library(QV_SPNG_STATIC NAMES libspng_static.a REQUIRED)
  set_target_properties(PkgConfig::SPNG PROPERTIES INTERFACE_LINK_LIBRARIES "${QV_SPNG_STATIC};z")
  target_compile_definitions(PkgConfig::SPNG INTERFACE SPNG_STATIC)
  foreach(header_only CLI11::CLI11 nlohmann_json::nlohmann_json)
    add_library(${header_only} INTERFACE IMPORTED)
    set_target_properties(${header_only} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${QV_WINDOWS_PREFIX}/include)
  endforeach()
else()
  pkg_check_modules(GTK REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(DEVIL REQUIRED IMPORTED_TARGET IL)
  find_package(CLI11 CONFIG REQUIRED)
  pkg_check_modules(CAIRO IMPORTED_TARGET cairo)
endif()

if(NOT WIN32)
  find_library(MP3LAME_LIBRARY mp3lame)
  find_path(MP3LAME_INCLUDE_DIR lame/lame.h)
endif()
if(MP3LAME_LIBRARY AND MP3LAME_INCLUDE_DIR)
  add_library(qv::mp3lame UNKNOWN IMPORTED)
  set_target_properties(qv::mp3lame PROPERTIES
    IMPORTED_LOCATION ${MP3LAME_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${MP3LAME_INCLUDE_DIR})
endif()

if(NOT WIN32)
  find_package(nlohmann_json 3 QUIET)
  find_package(tinyobjloader QUIET)
endif()

if(BUILD_TESTING)
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
  include(GoogleTest)
endif()
