#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
# Extra arguments go to ctest (for example: -R CString).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" "$build"

# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
trap tk_env_down EXIT
tk_env_up "$build"
# GUI tests share one desktop: under a loaded machine a window test can lose
# focus or time to another program's window. A test that fails is run once
# more before the run counts as failed; a real fault fails both times.
ctest --test-dir "$build" -j "$(nproc)" --output-on-failure --timeout 180 --repeat until-pass:2 "$@"
