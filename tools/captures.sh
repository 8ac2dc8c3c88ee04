#!/usr/bin/env bash
# Renders every page (for each model) and every popup of the default skin in
# each of the ten languages to build/captures/skin/, and a contact sheet per
# language (build/captures/skin/contact_en.png, contact_de.png, contact_ja.png
# ...), then grabs what the X display shows of the programs' windows
# (the screen tests: the X server's picture beside each window's own, as
# build/captures/screen/<name>_x.png and <name>_own.png). Language codes as
# arguments render only those languages: tools/captures.sh ja ru; "screen"
# only the screen grabs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}
# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
tk_harness_start "$build" "$0" "$@"

# By language id, as the language-name table and the capture program order them.
codes=(en zh-cn zh-tw fr fr-ca de ko ru ja es)
filter=""
skin=1
screen=1
[ $# -gt 0 ] && screen=0
if [ "$*" = "screen" ]; then skin=0; screen=1; set --; fi
for want in "$@"; do
  found=""
  for i in "${!codes[@]}"; do
    [ "${codes[$i]}" = "$want" ] && found=$i
  done
  [ -n "$found" ] || { echo "unknown language code: $want (known: ${codes[*]})" >&2; exit 2; }
  filter+="Languages/Captures.*/$found:"
done

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" "$build"
cmake --build "$build" --target skin_captures screen_tests -- --no-print-directory -s

# The screen tests attach, detach and press the simulated mouse.
tk_env_down_on_exit_keeping_state "$build"
tk_env_up "$build"
if [ "$skin" = 1 ]; then
  out="$build/captures/skin"
  if [ -z "$filter" ]; then
    rm -rf "$out"
  else
    for want in "$@"; do rm -f "$out/${want}_"*.png; done
  fi
  mkdir -p "$out"
  (cd "$build/program" && TK_CAPTURE_DIR="Z:$build/captures" \
     "$root/tools/wine-run.sh" "$build/tests/skin/skin_captures.exe" ${filter:+"--gtest_filter=$filter"})
  python3 "$root/tools/skinart/contact.py" "$out"
  echo "captures: $out"
fi
if [ "$screen" = 1 ]; then
  # The screen tests start the programs against the simulated mouse and
  # compare; their grabs are the point here, a failure is reported as well.
  out="$build/captures/screen"
  rm -f "$out"/*.png
  mkdir -p "$out"
  (cd "$build/program" && TK_CAPTURE_DIR="Z:$build/captures" \
     "$root/tools/wine-run.sh" "$build/tests/screen/screen_tests.exe") || echo "screen tests failed: see above" >&2
  echo "screen grabs: $out"
fi
