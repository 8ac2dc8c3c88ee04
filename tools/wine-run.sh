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
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
watchdog=
case "${1:-}" in --watchdog=*) watchdog=${1#--watchdog=}; shift ;; esac
start=$(date +%s%N)

# winedbg's "bt all" walks every process of the prefix. Wine's own services are
# left out, and each thread is one line of function names, innermost first.
dump_stacks() {
  timeout 40 winedbg --command "bt all" 2>&1 | awk '
    # Idle pool and RPC threads, and threads gone meanwhile, say nothing.
    function flush() { if (line != "" && line !~ /(threadpool_worker_proc|RPCRT4_io_thread|RPCRT4_server_thread|:)$/) print line; line = "" }
    /^Backtracing for thread/ {
      flush()
      keep = ($0 !~ /system32\\(services|winedevice|plugplay|svchost|rpcss|explorer|conhost|winedbg)\.exe/)
      if (keep) {
        exe = $NF; sub(/\):?$/, "", exe); sub(/.*\\/, "", exe)
        line = "  " exe " thread " $4 ":"
      }
      next
    }
    # Our programs carry no symbols: their frames are module+offset.
    keep && /^(=>| +)[0-9]+ 0x/ {
      if ($3 == "in") { if ($4 ~ /^(ntdll|win32u)$/) next; fn = $4 $5; gsub(/[()]/, "", fn) }
      else { fn = $3; sub(/[+(].*/, "", fn) }
      if (fn !~ /^(BaseThreadInitThunk|__wine_pop_frame|RtlUserThreadStart)$/) line = line " " fn
    }
    END { flush() }' >&2
}

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
    dump_stacks
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
