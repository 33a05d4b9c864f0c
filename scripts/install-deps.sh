#!/usr/bin/env bash
# The one list of Debian packages the project needs: build tools, the libraries the
# program links, the test harness (X server, input driver, software GL) and the tools
# that generate the sample demo. Installs only what is missing. With --windows, also the
# cross compilers and Wine that the Windows build and its tests need.
#   scripts/install-deps.sh [--windows]
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config
  # the program
  libglfw3-dev libglew-dev libdevil-dev libturbojpeg0-dev libspng-dev libsdl2-dev libmpg123-dev libfftw3-dev
  libgtk-3-dev
  libcli11-dev libimgui-dev
  # packaging (cpack -G DEB computes the dependencies with dpkg-shlibdeps)
  dpkg-dev file
  # tools and the sample demo generator
  nlohmann-json3-dev libcairo2-dev fonts-dejavu-core libmp3lame-dev ffmpeg
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils x11-apps libx11-dev
  libgl1-mesa-dri libglx-mesa0 libstb-dev libtinyobjloader-dev locales time desktop-file-utils groff-base
  python3 aubio-tools
  # fuzzing (libFuzzer comes with clang's runtime libraries)
  clang libclang-rt-14-dev
)

if [[ ${1:-} == --windows ]]; then
  packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nasm libz-mingw-w64-dev dpkg-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
if [[ $(id -u) -ne 0 ]]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
