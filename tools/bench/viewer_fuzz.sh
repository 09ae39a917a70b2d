#!/usr/bin/env bash
# Builds the converter and line-splitter stress program with the host
# compiler and the sanitizers, and runs it.
# usage: tools/bench/viewer_fuzz.sh [ROUNDS] [SEED]
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
out=${TMPDIR:-/tmp}/viewer_fuzz
src="$top/viewer/doc"
g++ -O1 -g -std=c++17 -fsanitize=address,undefined -fno-sanitize-recover=all -I"$src" -I"$top/common" \
    "$top/tools/bench/viewer_fuzz.cpp" "$src/code_conv.cpp" "$src/detect.cpp" "$src/line_split.cpp" "$src/wrap.cpp" \
    -o "$out"
"$out" "${1:-300}" "${2:-1}"
