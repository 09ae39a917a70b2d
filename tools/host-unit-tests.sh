#!/bin/bash
# Builds the pure helpers and their unit tests with the host compiler and runs
# them: there `long` has 64 bits and `char` pointers are 8 bytes, which the
# 32-bit Windows build never shows. Usage: tools/host-unit-tests.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/host-unit}
mkdir -p "$out"
flags=(-std=c++17 -O1 -Wall -fexec-charset=CP932 -I"$root/common" -I"$root/menu" -I"$root/installer"
       -I"$root/viewer/view" -I"$root/viewer/doc" -I"$root/disccheck")
g++ "${flags[@]}" -o "$out/host_unit_tests" \
    "$root/common/sjis.cpp" "$root/common/path_text.cpp" "$root/common/skip_program_name.cpp" \
    "$root/common/text_format.cpp" "$root/menu/value_syntax.cpp" "$root/installer/archive_names.cpp" \
    "$root/viewer/view/line_jump.cpp" "$root/viewer/view/mark_table.cpp" "$root/viewer/doc/start_request.cpp" \
    "$root/disccheck/findings.cpp" "$root/disccheck/ini_lines.cpp" \
    "$root/tests/common/sjis_test.cpp" "$root/tests/menu/value_syntax_test.cpp" \
    "$root/tests/installer/archive_names_test.cpp" "$root/tests/disccheck/findings_test.cpp" \
    "$root/tests/viewer/view/line_jump_test.cpp" "$root/tests/viewer/view/mark_table_test.cpp" \
    -lgtest -lgtest_main -lpthread
"$out/host_unit_tests"
