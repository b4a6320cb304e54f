#!/usr/bin/env bash
# `make dist`: the Windows program, its skin library and a short read-me in one zip.
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$root/build/win64/bin
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/tonkle" "$root/dist"
cp "$bin/tonkle.exe" "$bin/shell.dll" "$stage/tonkle/"
cp "$root/songs/demo.mid" "$stage/tonkle/demo.mid"
# Windows' own editor wants CR LF.
sed 's/$/\r/' "$root/scripts/dist-readme.txt" > "$stage/tonkle/README.txt"
rm -f "$root/dist/tonkle-3.4.0.2-win64.zip"
(cd "$stage" && zip -q -r "$root/dist/tonkle-3.4.0.2-win64.zip" tonkle)
echo "wrote dist/tonkle-3.4.0.2-win64.zip"
