#!/usr/bin/env bash
# Fails when a C++ source of the tree differs from what clang-format (with the root's
# .clang-format) makes of it, and names the files that do.
#   tools/check-format.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 2; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
else
    mapfile -t files < <(find forms data calc skin app takeoff tools tests bench \
                              -name '*.cpp' -o -name '*.h' 2>/dev/null)
fi
((${#files[@]})) || { echo "check-format: no sources found" >&2; exit 2; }
unformatted=()
for f in "${files[@]}"; do
    [[ -f "$f" ]] || continue
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if ((${#unformatted[@]})); then
    printf 'check-format: not formatted (run clang-format -i on them):\n' >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "check-format: ${#files[@]} sources formatted"
