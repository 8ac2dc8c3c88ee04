#!/usr/bin/env bash
# Runs one Windows program under Wine with the harness's settings. ctest uses it
# as the cross-compiling emulator; the environment (prefix, display) comes from
# tools/wine-env.sh, which the test and run commands source.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Under a heavily loaded machine Wine now and then ends a new process before
# the program's first line (seen as a failure in a fraction of a second with
# no output at all). Every test program prints at once when it starts, so a
# failure without a single byte of output is Wine's start-up, not a test, and
# the program is started once more. Any output means the program ran: its
# result stands.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
    wine "$@" | tee "$out"
    rc=${PIPESTATUS[0]}
    if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 2 ]; then
        exit "$rc"
    fi
    echo "wine-run: $1 ended with $rc before printing anything; starting it again" >&2
done
