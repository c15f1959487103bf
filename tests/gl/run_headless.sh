#!/bin/sh
# Runs a GL test program on a private Xvfb (24-bit), with a time limit.
# QV_APP_PRELOAD (set by the sanitizer run) is preloaded into the program only.
exec timeout 240 xvfb-run -a -n 470 -s "-screen 0 1024x768x24 -nolisten tcp" \
  env ${QV_APP_PRELOAD:+LD_PRELOAD=$QV_APP_PRELOAD} "$@"
