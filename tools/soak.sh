#!/usr/bin/env bash
# The soak: both programs running against the simulated mouse (put in its
# default state first) as tools/run.sh starts them, on an Xvfb of their own, while the control tool asks for the
# mouse's state every second, the mouse's buttons are pressed, its battery
# changes and the configurator applies every 20 s. It fails as soon as any
# request takes longer than 5 s, and then prints every program's call stacks.
# It is not a test: ctest never runs it. Not beside tools/run.sh on the same
# build (one configurator per prefix).
#
#   tools/soak.sh [--minutes N] [--clients N]
#     --minutes: how long (default 10); --clients: that many more control-tool
#     clients asking for the state back to back (default 0)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
tk_harness_start "$build" "$0" "$@"

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" "$build"
cmake --build "$build" --target SoakProbe -- --no-print-directory -s

tk_env_down_on_exit_keeping_state "$build"
export TK_FORCE_XVFB=1
tk_env_up "$build"
tk_program_registry "$build"
python3 "$root/tools/soak.py" --build "$build" "$@"
