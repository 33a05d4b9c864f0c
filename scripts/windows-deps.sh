#!/usr/bin/env bash
# Builds the libraries of the Windows program that Debian does not ship for MinGW-w64 --
# GLFW, GLEW, SDL2, mpg123, FFTW (single precision), libjpeg-turbo, libspng, Dear ImGui,
# stb and GoogleTest -- as static libraries from Debian's own source packages, with the
# compilers of cmake/mingw-w64.cmake, and installs them with the header-only libraries
# the Linux build already has (CLI11, nlohmann-json) into one prefix.
#
# The prefix lives outside the clone, in a cache folder named after this script's content:
# a second run of the same script reuses it at once. Prints the prefix on standard
# output; the build's messages go to PREFIX/../build.log.
#   scripts/windows-deps.sh            (cache: $QV_WINDOWS_CACHE, else ~/.cache/quintaval)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$root/cmake/mingw-w64.cmake
key=$(sha256sum <"$0" | cut -c1-16)
cache=${QV_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quintaval}/windows-$key
prefix=$cache/prefix
if [[ -f $cache/done ]]; then
  echo "$prefix"
  exit 0
fi

host=x86_64-w64-mingw32
jobs=$(nproc)
work=$cache/build
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
log=$cache/build.log
: >"$log"
step() { echo "windows-deps: $1" >&2; echo "== $1" >>"$log"; }
quiet() { "$@" >>"$log" 2>&1 || { echo "windows-deps: failed: $*; see $log" >&2; tail -n 30 "$log" >&2; exit 1; }; }

# Debian's source packages, through a private source list so the system's apt setup is
# left alone. Upstream signatures that the mirror lacks are not needed to unpack.
step "fetching the source packages"
apt=$cache/apt
mkdir -p "$apt/lists/partial" "$apt/sources"
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$apt/sources/src.sources"
A=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/sources" -o "Dir::State::Lists=$apt/lists")
quiet apt-get "${A[@]}" update
sources=(glfw3 glew libsdl2 mpg123 fftw3 libjpeg-turbo libspng imgui googletest)
(cd "$work" && apt-get "${A[@]}" source --download-only "${sources[@]}" >>"$log" 2>&1) || true
for package in "${sources[@]}"; do
  dsc=$(ls "$work/${package}"_*.dsc 2>/dev/null | head -n 1)
  [[ -n "$dsc" ]] || { echo "windows-deps: no source package $package; see $log" >&2; exit 1; }
  quiet dpkg-source --no-check -x "$dsc" "$work/$package"
done

cmake_build() {  # cmake_build NAME SOURCE_DIR [CMAKE ARGS]
  local name=$1 source=$2
  shift 2
  step "building $name"
  quiet cmake -S "$source" -B "$work/$name-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQV_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "$@"
  quiet cmake --build "$work/$name-build" -j "$jobs"
  quiet cmake --install "$work/$name-build"
}

autotools_build() {  # autotools_build NAME [CONFIGURE ARGS]
  local name=$1
  shift
  step "building $name"
  (cd "$work/$name" && quiet ./configure --host=$host --prefix="$prefix" --enable-static --disable-shared \
    CC=$host-gcc-posix CXX=$host-g++-posix "$@")
  quiet make -C "$work/$name" -j "$jobs"
  quiet make -C "$work/$name" install
}

cmake_build glfw "$work/glfw3" -DBUILD_SHARED_LIBS=OFF -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF \
  -DGLFW_BUILD_DOCS=OFF
cmake_build glew "$work/glew/build/cmake" -DBUILD_UTILS=OFF
cmake_build sdl2 "$work/libsdl2" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
autotools_build mpg123 --with-cpu=x86-64 --disable-modules --disable-network
autotools_build fftw3 --enable-float --enable-sse2 --enable-avx --disable-fortran --with-our-malloc
cmake_build libjpeg-turbo "$work/libjpeg-turbo" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON
# Its CMake cannot build the static library alone.
cmake_build spng "$work/libspng" -DSPNG_SHARED=ON -DSPNG_STATIC=ON -DBUILD_EXAMPLES=OFF
cmake_build googletest "$work/googletest" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF

# Dear ImGui and stb have no build of their own: their sources go into one static library
# each, with a pkg-config file as the Linux packages have.
compile_library() {  # compile_library NAME INCLUDE_DIR SOURCE...
  local name=$1 include=$2
  shift 2
  step "building $name"
  local objects=()
  mkdir -p "$work/$name-build"
  for source in "$@"; do
    local object=$work/$name-build/$(basename "$source").o
    quiet $host-g++-posix -O2 -std=c++17 -DGLEW_STATIC -I"$include" -I"$prefix/include" -c "$source" -o "$object"
    objects+=("$object")
  done
  quiet $host-ar rcs "$prefix/lib/lib$name.a" "${objects[@]}"
}
mkdir -p "$prefix/include/imgui/backends" "$prefix/include/stb" "$prefix/lib/pkgconfig"
imgui=$work/imgui
cp "$imgui"/*.h "$prefix/include/imgui/"
cp "$imgui"/backends/imgui_impl_glfw.h "$imgui"/backends/imgui_impl_opengl3.h \
  "$imgui"/backends/imgui_impl_opengl3_loader.h "$prefix/include/imgui/backends/"
compile_library imgui "$imgui" "$imgui"/imgui.cpp "$imgui"/imgui_draw.cpp "$imgui"/imgui_tables.cpp \
  "$imgui"/imgui_widgets.cpp "$imgui"/imgui_demo.cpp "$imgui"/backends/imgui_impl_glfw.cpp \
  "$imgui"/backends/imgui_impl_opengl3.cpp
cat >"$prefix/lib/pkgconfig/imgui.pc" <<EOF
prefix=$prefix
Name: imgui
Description: Dear ImGui with its GLFW and OpenGL 3 back ends
Version: 1.86
Requires: glfw3
Libs: -L\${prefix}/lib -limgui
Cflags: -I\${prefix}/include/imgui
EOF

cp /usr/include/stb/stb_image.h /usr/include/stb/stb_image_write.h "$prefix/include/stb/"
printf '#define STB_IMAGE_IMPLEMENTATION\n#include <stb_image.h>\n#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include <stb_image_write.h>\n' \
  >"$work/stb.c"
step "building stb"
quiet $host-gcc-posix -O2 -I"$prefix/include/stb" -c "$work/stb.c" -o "$work/stb.o"
quiet $host-ar rcs "$prefix/lib/libstb.a" "$work/stb.o"
cat >"$prefix/lib/pkgconfig/stb.pc" <<EOF
prefix=$prefix
Name: stb
Description: stb_image and stb_image_write
Version: 0.0
Libs: -L\${prefix}/lib -lstb
Cflags: -I\${prefix}/include/stb
EOF

# Header-only libraries, from the packages the Linux build installs.
step "copying CLI11 and nlohmann-json"
cp -r /usr/include/CLI /usr/include/nlohmann "$prefix/include/"

touch "$cache/done"
step "done"
echo "$prefix"
