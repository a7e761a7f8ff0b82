#!/usr/bin/env bash
# Fetches the SQLite amalgamation from the npm package better-sqlite3 (its deps/sqlite3/ folder)
# into third_party/sqlite3, verifying the package against a pinned SHA-256.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dest="$root/third_party/sqlite3"
version=12.11.1
sha256=ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835

[[ -f "$dest/.verified-$version" ]] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack "better-sqlite3@$version" --silent >/dev/null)
tarball="$work/better-sqlite3-$version.tgz"
actual=$(sha256sum "$tarball" | cut -d' ' -f1)
if [[ "$actual" != "$sha256" ]]; then
    echo "fetch-sqlite: checksum mismatch for better-sqlite3@$version: got $actual" >&2
    exit 1
fi
tar -xzf "$tarball" -C "$work" package/deps/sqlite3
rm -rf "$dest"
mkdir -p "$dest"
cp "$work"/package/deps/sqlite3/sqlite3.c "$work"/package/deps/sqlite3/sqlite3.h "$dest"/
touch "$dest/.verified-$version"
echo "fetch-sqlite: SQLite amalgamation from better-sqlite3@$version verified"
