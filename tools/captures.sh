#!/usr/bin/env bash
# Renders every page (for each model) and every popup of the default skin in
# English and German to build/captures/skin/, and a contact sheet per
# language (build/captures/skin/contact_en.png, contact_de.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TK_BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" "$build"
cmake --build "$build" --target skin_captures -- --no-print-directory -s

# shellcheck source=wine-env.sh
. "$root/tools/wine-env.sh"
trap tk_env_down EXIT
tk_env_up "$build"
out="$build/captures/skin"
rm -rf "$out"
mkdir -p "$out"
(cd "$build/program" && TK_CAPTURE_DIR="Z:$build/captures" \
   "$root/tools/wine-run.sh" "$build/tests/skin/skin_captures.exe")
python3 "$root/tools/skinart/contact.py" "$out"
echo "captures: $out"
