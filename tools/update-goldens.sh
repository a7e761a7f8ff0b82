#!/usr/bin/env bash
# Rewrites the golden images under tests/golden/ from what the windows show now, and their PNG
# copies in docs/. Run it after a change that is meant to change what the windows look like, or
# after Wine's font mapping changed the text pixels; then look at every image before committing.
#   tools/update-goldens.sh        (after a Windows build: make win64)
set -euo pipefail
cd "$(dirname "$0")/.."
tests=build/win64/tests
[[ -x $tests/golden_wintest.exe && -x $tests/tools/gallery_wintest.exe ]] ||
    { echo "update-goldens: build the Windows target first (make win64)" >&2; exit 1; }
PONDERIX_UPDATE_GOLDEN=1 tools/wine-session bash -c "
    tools/wine-run $tests/golden_wintest.exe &&
    tools/wine-run $tests/tools/gallery_wintest.exe --gtest_filter=Gallery.BothSkinsMatchTheirGoldenImages"
for image in tests/golden/*.bmp; do
    name=$(basename "$image" .bmp)
    # The key colour outside the window region becomes transparent.
    convert "$image" -transparent "#FF00FF" "docs/golden-$name.png"
done
echo "update-goldens: rewrote $(ls tests/golden/*.bmp | wc -l) golden images and their PNG copies in docs/"
