#!/usr/bin/env bash
# Runs one Windows program under Wine with the harness's settings. ctest uses it
# as the cross-compiling emulator; the environment (prefix, display) comes from
# tools/wine-env.sh, which the test and run commands source. Its exit code is
# the program's: a run that fails is not started again. A failing run names its
# exit code and time, so that a run that ends before printing anything (Wine
# failing to start it, or a crash before the first flush) can be told apart.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
start=$(date +%s%N)
wine "$@"
rc=$?
if [ "$rc" -ne 0 ]; then
  printf 'wine-run: %s ended with exit code %d after %d ms (load: %s)\n' "$1" "$rc" \
    $(( ($(date +%s%N) - start) / 1000000 )) "$(cut -d' ' -f1-3 /proc/loadavg)" >&2
fi
exit "$rc"
