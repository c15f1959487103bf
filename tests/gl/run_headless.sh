#!/bin/sh
# run_headless.sh SECONDS PROGRAM [ARG...]: runs a GL test program on a
# private Xvfb (24-bit), and stops both after SECONDS, ahead of ctest's limit
# (the output then ends at the test that ran out of time). QV_APP_PRELOAD
# (set by the sanitizer run, and by tests/stress.sh --frame-ms; a list of
# libraries, as LD_PRELOAD takes it) is preloaded into the program only.
limit="$1"
shift
exec timeout "$limit" xvfb-run -a -n 470 -s "-screen 0 1024x768x24 -nolisten tcp" \
  env ${QV_APP_PRELOAD:+"LD_PRELOAD=$QV_APP_PRELOAD"} "$@"
