# Installs the Debian packages Quorvane needs that are not there yet.
# Sourced by run.sh and test.sh: install_missing build [test]
# build: the compiler and build tools, the libraries the program links, and
#   Mesa's drivers to draw with.
# test: GoogleTest and Google Benchmark; Xvfb (xvfb-run needs xauth), xdotool
#   and xwd (x11-apps) for the tests that drive a window; Xlib for the tests'
#   window-closing tool; the validators of the installed desktop entry and
#   AppStream metadata.
buildPackages="g++ cmake make pkgconf libglut-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libdevil-dev libopenal-dev libalut-dev libboost-filesystem-dev"
testPackages="libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-apps libx11-dev desktop-file-utils appstream"

install_missing() {
  local wanted="" missing="" pkg
  for set in "$@"; do
    case "$set" in
      build) wanted="$wanted $buildPackages" ;;
      test) wanted="$wanted $testPackages" ;;
    esac
  done
  for pkg in $wanted; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing="$missing $pkg"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}
