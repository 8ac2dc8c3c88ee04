#!/usr/bin/env bash
# The benchmark: builds the programs, the simulated mouse and the benchmark's
# own programs, brings up the harness and times every figure the built
# programs allow against its baseline. Results: build/bench/results.md and
# results.csv. Options go to tools/bench.py (--runs N, --idle-seconds S,
# --only FIGURE,...). It is not a test: ctest never runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
tk_harness_start "$build" "$0" "$@"

bash "$root/tools/install-deps.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target TanduKovuConfig TanduKovuSysTray skin_files \
      TkDeviceService DeviceServicePS TkDeviceCtl bench_programs -- --no-print-directory -s

tk_env_down_on_exit_keeping_state "$build"
# A display of its own: a user's window manager would time its own animations.
export TK_FORCE_XVFB=1
tk_env_up "$build"
# As an installation has them (and tools/run.sh writes them): the configurator
# starts the tray program from InstallDir at every start.
tk_program_registry "$build"
python3 "$root/tools/bench.py" --build "$build" "$@"
