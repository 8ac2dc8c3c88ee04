#!/usr/bin/env bash
# Installs what is missing, builds, and starts the configurator from the
# program folder, on the user's X display or, without one, on an Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
tk_harness_start "$build" "$0" "$@"

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" "$build"

tk_on_exit tk_env_down
tk_env_up "$build"  # also starts the simulated mouse (the device service)
# TK_MOUSE=wired|dock|wireless|quarel attaches that model as well.
if [ -n "${TK_MOUSE:-}" ]; then
  wine "$build/program/service/TkDeviceCtl.exe" attach "$TK_MOUSE" </dev/null
fi
# The programs start each other from InstallDir and pick their language by
# name from Language (TK_LANGUAGE=German, or any name of the language table,
# chooses another).
tk_program_registry "$build"
cd "$build/program"
wine ./TanduKovuConfig.exe
