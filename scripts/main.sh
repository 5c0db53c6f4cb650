#!/usr/bin/env bash
# The main job: installs what is missing, builds, and renders every example plot headless to
# out/<name>.png with the vortiga tool: the shell scripts (.vtg), the plot definition scripts
# (.ply) and the plot data files (.dat).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VORTIGA_BUILD_DIR:-$root/build}"
out="${VORTIGA_OUT_DIR:-$root/out}"
"$root/scripts/build.sh"
mkdir -p "$out"
shopt -s nullglob
examples=("$root"/examples/*.vtg "$root"/examples/*.ply "$root"/examples/*.dat)
if [ ${#examples[@]} -eq 0 ]; then
  echo "main: no examples in $root/examples" >&2
  exit 1
fi
for f in "${examples[@]}"; do
  name="$(basename "${f%.*}")"
  "$build/tools/vortiga" render "$f" -o "$out/$name.png"
  echo "rendered $out/$name.png"
done
