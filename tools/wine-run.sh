#!/usr/bin/env bash
# Runs one Windows program under Wine with the harness's settings. ctest uses it
# as the cross-compiling emulator; the environment (prefix, display) comes from
# tools/wine-env.sh, which the test and run commands source. Its exit code is
# the program's: a run that fails is not started again.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
