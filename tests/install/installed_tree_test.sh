#!/usr/bin/env bash
# Installs the build tree into a temporary prefix, checks that the desktop entry and the theme
# icons are where a desktop looks for them, and starts the installed program in a virtual display.
#   installed_tree_test.sh BUILD_DIR SMOKE_TEST
set -u
build=$1
smoke=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

if ! cmake --install "$build" --prefix "$prefix" >/dev/null; then
  echo "cmake --install failed"
  exit 1
fi

status=0
expect() {
  if [ ! -s "$prefix/$1" ]; then
    echo "missing from the installed tree: $1"
    status=1
  fi
}
expect bin/quorvin
expect share/applications/quorvin.desktop
for size in 16 32 48 128 256; do expect "share/icons/hicolor/${size}x${size}/apps/quorvin.png"; done
grep -q '^Exec=quorvin$' "$prefix/share/applications/quorvin.desktop" || { echo "Exec line"; status=1; }
grep -q '^Icon=quorvin$' "$prefix/share/applications/quorvin.desktop" || { echo "Icon line"; status=1; }
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/quorvin.desktop" || status=1
fi
[ "$status" -eq 0 ] || exit "$status"

# The installed program runs from its prefix, with nothing of the build tree on its paths.
cd "$prefix"
exec "$smoke" "$prefix/bin/quorvin"
