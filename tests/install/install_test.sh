#!/usr/bin/env bash
# Tests of the install, as CTest runs them. They install from a build folder
# of their own, WORK/build, configured from this source tree and given the
# program that BUILD built, so that BUILD/install_manifest.txt, the record of
# a user's own install from BUILD, is never touched.
#   install_test.sh files BUILD WORK PROGRAM   installs into WORK/prefix,
#     which already holds empty standard folders and a file of another
#     program, and checks what is where: the command, the program, the bundled files, the
#     desktop entry and the AppStream metadata (both validators, every
#     placeholder filled in), an icon of the right size in each icon folder,
#     an install_manifest.txt that lists every installed file, and
#     BUILD/install_manifest.txt as it was.
#   install_test.sh run BUILD WORK WMCLOSE   starts the installed command with
#     an empty HOME on a private Xvfb: it fills ~/.local/share/quorvane with
#     every bundled file and the window opens and closes cleanly; nothing is
#     written under the prefix; a second start restores a removed bundled file
#     and keeps a changed one.
#   install_test.sh uninstall BUILD WORK   runs the uninstall target of
#     WORK/build: the prefix holds exactly what it held before the install,
#     and BUILD/install_manifest.txt is still as it was.
# Every wait polls with a timeout (scaled by QV_TIMEOUT_SCALE).
set -euo pipefail
mode="$1" build="$2" work="$3"
repo="$(cd "$(dirname "$0")/../.." && pwd)"
prefix="$work/prefix"
own="$work/build"
# BUILD's manifest as it was before the tests, or a note that it was missing.
userManifest="$build/install_manifest.txt" savedManifest="$work/user-install-manifest"
id=io.github.quorvane.Quorvane
bundled="$prefix/share/quorvane/data"
# What the prefix holds before the install: empty folders the install puts
# files in, and a file of another program beside the menu entry.
foreign="$prefix/share/applications/other.desktop"
preexisting=("$prefix/bin" "$prefix/share/metainfo" "$prefix/share/icons/hicolor/48x48/apps")
beforeInstall="$work/prefix-before-install"

# Every entry under the prefix, with its kind.
prefix_entries() { (cd "$prefix" && find . -printf '%y %p\n' | sort); }

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs the command until it succeeds; false after 30 s (times QV_TIMEOUT_SCALE).
poll() {
  local deadline=$((SECONDS + 30 * ${QV_TIMEOUT_SCALE:-1}))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# The width and height of a PNG, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'
}

# BUILD/install_manifest.txt is what it was before the tests.
user_manifest_kept() {
  if [ -e "$savedManifest.missing" ]; then
    [ ! -e "$userManifest" ] || fail "$userManifest was written"
  else
    cmp -s "$savedManifest" "$userManifest" || fail "$userManifest was changed"
  fi
}

check_files() {
  local program="$4"
  rm -rf "$work"
  mkdir -p "$work"
  if [ -e "$userManifest" ]; then cp "$userManifest" "$savedManifest"; else touch "$savedManifest.missing"; fi
  cmake -S "$repo" -B "$own" -DQV_TESTS=OFF -DQV_BENCH=OFF >/dev/null
  cp "$program" "$own/quorvane"
  mkdir -p "${preexisting[@]}" "$(dirname "$foreign")"
  echo "[Desktop Entry]" >"$foreign"
  prefix_entries >"$beforeInstall"
  cmake --install "$own" --prefix "$prefix" >/dev/null
  user_manifest_kept
  local desktop="$prefix/share/applications/$id.desktop" metainfo="$prefix/share/metainfo/$id.metainfo.xml"
  [ -x "$prefix/bin/quorvane" ] && [ -x "$prefix/libexec/quorvane/quorvane" ] || fail "the command or the program"
  diff -r "$repo/data" "$bundled" || fail "the bundled files differ from data/"
  ! grep -n '@[A-Z_]*@' "$prefix/bin/quorvane" "$desktop" "$metainfo" || fail "a placeholder is left"
  grep -qx "Exec=\"$prefix/bin/quorvane\"" "$desktop" || fail "the desktop entry does not start $prefix/bin/quorvane"
  local out
  out="$(desktop-file-validate "$desktop" 2>&1)" && [ -z "$out" ] || fail "desktop-file-validate: $out"
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  local icons=0 icon size
  for icon in "$prefix"/share/icons/hicolor/*/apps/"$id".png; do
    size="$(basename "$(dirname "$(dirname "$icon")")")"
    [ "$(png_size "$icon")" = "$size" ] || fail "$icon is $(png_size "$icon"), not $size"
    icons=$((icons + 1))
  done
  [ "$icons" -ge 5 ] || fail "only $icons icons"
  diff <(sort "$own/install_manifest.txt") <(find "$prefix" -type f ! -path "$foreign" | sort) ||
    fail "install_manifest.txt"
}

check_uninstall() {
  cmake --build "$own" --target uninstall >/dev/null
  diff "$beforeInstall" <(prefix_entries) || fail "the prefix does not hold what it held before the install"
  user_manifest_kept
}

xvfb="" app=""
stop() {
  [ -z "$app" ] || kill -9 "$app" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap stop EXIT

display_ready() { [ -s "$work/display" ]; }
window_shown() {
  running || fail "the command ended early: $(cat "$work/output")"
  window="$(DISPLAY="$display" xdotool search --name "^$title\$" 2>/dev/null | head -n 1)" && [ -n "$window" ]
}
running() { kill -0 "$app" 2>/dev/null; }
ended() { ! running; }
started() { grep -q "Building file structure" "$home/.local/share/quorvane/log.txt" 2>/dev/null; }

# Starts the installed command, waits for its window and its start-up in the
# log, closes the window as a window manager would, and waits for a clean exit.
start_and_close() {
  env -u XDG_DATA_HOME HOME="$home" DISPLAY="$display" ALSOFT_DRIVERS=null \
    ${QV_APP_PRELOAD:+"LD_PRELOAD=$QV_APP_PRELOAD"} "$prefix/bin/quorvane" >"$work/output" 2>&1 &
  app=$!
  poll window_shown || fail "no window titled $title"
  poll started || fail "no start-up in log.txt"
  DISPLAY="$display" "$wmclose" "$window"
  poll ended || fail "the program did not end"
  wait "$app" || fail "the program ended with status $?: $(cat "$work/output")"
  app=""
}

check_run() {
  local wmclose="$4" home="$work/home" window="" title
  local workdir="$home/.local/share/quorvane"
  title="$(sed -n 's/^s progName //p' "$bundled/system/system.cfg")"
  rm -rf "$home" "$work/display"
  mkdir -p "$home"
  touch "$work/stamp"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  poll display_ready || fail "Xvfb did not start"
  local display=":$(cat "$work/display")"

  start_and_close
  (cd "$bundled" && find . -type f) | while read -r file; do
    [ -f "$workdir/$file" ] || fail "$file was not added to $workdir"
  done
  [ -z "$(find "$prefix" -newer "$work/stamp")" ] || fail "written under the prefix: $(find "$prefix" -newer "$work/stamp")"

  local changed="games/sample/system/logic.cfg" removed="games/sample/system/map.cfg"
  echo "// changed here" >>"$workdir/$changed"
  rm "$workdir/$removed"
  start_and_close
  cmp -s "$bundled/$removed" "$workdir/$removed" || fail "$removed was not restored"
  [ "$(tail -n 1 "$workdir/$changed")" = "// changed here" ] || fail "$changed was overwritten"
}

case "$mode" in
  files) check_files "$@" ;;
  run) check_run "$@" ;;
  uninstall) check_uninstall ;;
  *) fail "usage: $0 files BUILD WORK PROGRAM | run BUILD WORK WMCLOSE | uninstall BUILD WORK" ;;
esac
echo "install $mode: passed"
