#!/bin/sh
# Runs the world-render bench on a private Xvfb (24-bit) with Mesa's software
# renderer on two threads, as the test suite runs. Arguments go to the bench:
# [map side] [frames], or --shots DIR. Run from the build directory.
bin="${QV_BENCH_BIN:-bench/bench_world_render}"
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  env LP_NUM_THREADS="${LP_NUM_THREADS:-2}" ALSOFT_DRIVERS=null "$bin" "$@"
