#!/usr/bin/env bash
# Runs one Windows program under Wine with the harness's settings. ctest uses it
# as the cross-compiling emulator; the environment (prefix, display) comes from
# tools/wine-env.sh, which the test and run commands source. Its exit code is
# the program's: a run that fails is not started again. A failing run names its
# exit code and time, so that a run that ends before printing anything (Wine
# failing to start it, or a crash before the first flush) can be told apart.
#
#   wine-run.sh [--watchdog=SECONDS] program [arguments]
#
# With a watchdog, a run still going after SECONDS is a hang: the call stacks of
# every program of the prefix are printed (ours first) and the run is ended, so
# that a hang on another machine says where it waited.
# shellcheck source=wine-env.sh
. "$(dirname "$0")/wine-env.sh"
tk_without_aslr "$0" "$@"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
watchdog=
case "${1:-}" in --watchdog=*) watchdog=${1#--watchdog=}; shift ;; esac
start=$(date +%s%N)

if [ -z "$watchdog" ]; then
  wine "$@"
  rc=$?
else
  wine "$@" &
  pid=$!
  # tail ends when the program does; timeout ends it when the program hangs.
  if ! timeout "$watchdog" tail --pid="$pid" -f /dev/null; then
    printf 'wine-run: %s still running after %d s (load: %s); the prefix'"'"'s call stacks:\n' "$1" \
      "$watchdog" "$(cut -d' ' -f1-3 /proc/loadavg)" >&2
    tk_dump_stacks
    kill -KILL "$pid" 2>/dev/null
  fi
  wait "$pid"
  rc=$?
fi
if [ "$rc" -ne 0 ]; then
  printf 'wine-run: %s ended with exit code %d after %d ms (load: %s)\n' "$1" "$rc" \
    $(( ($(date +%s%N) - start) / 1000000 )) "$(cut -d' ' -f1-3 /proc/loadavg)" >&2
fi
exit "$rc"
