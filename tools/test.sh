#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
# Extra arguments go to ctest (for example: -R CString).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
tk_harness_start "$build" "$0" "$@"

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" "$build"

tk_env_down_on_exit_keeping_state "$build"
tk_env_up "$build"
# GUI tests share one desktop and run in parallel; they are written to stand
# up to each other's windows and to a loaded machine. A test passes on its
# first run or it is a fault: there is no second try.
ctest --test-dir "$build" -j "$(nproc)" --output-on-failure --timeout 180 "$@"
