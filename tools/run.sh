#!/usr/bin/env bash
# Installs what is missing, builds, and starts the configurator from the
# program folder, on the user's X display or, without one, on an Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" "$build"

. "$root/tools/wine-env.sh"
trap tk_env_down EXIT
tk_env_up "$build"
cd "$build/program"
wine ./TanduKovuConfig.exe
