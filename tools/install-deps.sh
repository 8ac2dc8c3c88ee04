#!/usr/bin/env bash
# Installs everything the build and the tests need, from the distribution's
# package registry only. Idempotent: quick when everything is already there.
set -euo pipefail

need_pkgs=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xdotool cmake
           googletest dpkg-dev xauth x11-utils fonts-wine python3
           librsvg2-bin fonts-play fonts-noto-core fonts-noto-cjk)
missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# pugixml is built from the distribution's source package, so deb-src entries
# are needed for the suites that are configured for binaries.
ensure_deb_src() {
  local f=/etc/apt/sources.list.d/debian.sources
  if [ -f "$f" ] && ! grep -q '^Types:.*deb-src' "$f"; then
    $SUDO sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    return 0
  fi
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list \
     && ! grep -q '^deb-src ' /etc/apt/sources.list; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee -a /etc/apt/sources.list >/dev/null
    return 0
  fi
  return 1
}

PREFIX_DIR="${TK_DEPS_DIR:-/opt/tandukovu-deps}"
need_pugi=0
[ -f "$PREFIX_DIR/pugixml/lib/libpugixml.a" ] || need_pugi=1

if [ ${#missing[@]} -gt 0 ] || [ $need_pugi -eq 1 ]; then
  changed=0
  ensure_deb_src && changed=1 || true
  if [ ${#missing[@]} -gt 0 ] || [ $changed -eq 1 ] || [ $need_pugi -eq 1 ]; then
    $SUDO apt-get update -qq
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi

if [ $need_pugi -eq 1 ]; then
  work=$(mktemp -d)
  ( cd "$work" && apt-get source -qq pugixml >/dev/null 2>&1 )
  src=$(find "$work" -maxdepth 2 -name 'pugixml.cpp' -path '*src*' | head -n1)
  [ -n "$src" ] || src=$(find "$work" -name pugixml.cpp | head -n1)
  [ -n "$src" ] || { echo "pugixml source package could not be fetched" >&2; exit 1; }
  srcdir=$(dirname "$src")
  out="$PREFIX_DIR/pugixml"
  $SUDO mkdir -p "$out/include" "$out/lib"
  cp "$srcdir/pugixml.hpp" "$srcdir/pugiconfig.hpp" "$work/"
  # Wide-character mode everywhere: every path and text in the programs is UTF-16.
  x86_64-w64-mingw32-g++-posix -O2 -DPUGIXML_WCHAR_MODE -c "$src" -o "$work/pugixml.o"
  x86_64-w64-mingw32-ar rcs "$work/libpugixml.a" "$work/pugixml.o"
  $SUDO cp "$srcdir/pugixml.hpp" "$srcdir/pugiconfig.hpp" "$out/include/"
  $SUDO cp "$work/libpugixml.a" "$out/lib/"
  rm -rf "$work"
fi
