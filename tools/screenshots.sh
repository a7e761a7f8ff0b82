#!/usr/bin/env bash
# Takes the README's pictures under Wine: the main window's six pages, the help window and the
# error box, as PNG images in docs/. Needs the Windows build (make win64) and ImageMagick.
#   tools/screenshots.sh
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/.." && pwd)
program="$repo_root/build/win64/bin/Ponderix.exe"
driver="$repo_root/build/win64/tools/screenshots/screenshots.exe"
[[ -f "$program" && -f "$driver" ]] || { echo "screenshots: run 'make win64' first" >&2; exit 1; }
command -v convert >/dev/null || { echo "screenshots: ImageMagick is missing; run tools/install-deps.sh" >&2; exit 1; }
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# Wine's drive Z: is the root of the Linux file system.
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
"$repo_root/tools/wine-session" "$repo_root/tools/wine-run" "$driver" "$(windows_path "$program")" \
    "$(windows_path "$shots")"
for bmp in "$shots"/*.bmp; do
    name=$(basename "$bmp" .bmp)
    convert "$bmp" -strip "$repo_root/docs/screenshot-$name.png"
done
ls "$repo_root"/docs/screenshot-*.png
