#!/bin/bash
# The native checker (build/host/disccheck, `make host`) on the broken fixture
# disc: its report is the expected one in UTF-8, its JSON and its report are
# the ones DiscCheck.exe gives under Wine for the same folder, and the sample
# disc (with the programs beside it) passes without a finding.
# Usage: native_same_report.sh SOURCE_DIR DIST_DIR WORK_DIR ARCHIVE_DIR
# (ARCHIVE_DIR: the sample disc's installer archives, written at build time)
set -u
src=$1 dist=$2 work=$3 archives=$4
native=$src/build/host/disccheck
fail=0
check() { # what, expected file, actual file
    if ! cmp -s "$2" "$3"; then
        echo "FAIL: $1"; diff "$2" "$3" | head -20; fail=1
    fi
}
[ -x "$native" ] || { echo "FAIL: $native missing (make host)"; exit 1; }
mkdir -p "$work"
disc=$src/tests/disccheck/broken-disc

# Native, under a UTF-8 locale: the expected report converted to UTF-8.
LC_ALL=C.UTF-8 "$native" "$disc" >"$work/native.txt"
[ $? -eq 1 ] || { echo "FAIL: native exit code is not 1 with errors"; fail=1; }
iconv -f CP932 -t UTF-8 "$src/tests/disccheck/broken-disc.expected" >"$work/expected.txt"
check "native report" "$work/expected.txt" "$work/native.txt"
LC_ALL=C.UTF-8 "$native" --json "$disc" >"$work/native.json"

# The same folder through Wine: the Shift-JIS report and the UTF-8 JSON.
windisc="Z:$(echo "$disc" | tr / '\\')"
(
    . "$src/tools/wine-env.sh"
    wine "$dist/DiscCheck.exe" "$windisc" >"$work/wine.sjis" 2>/dev/null
    wine "$dist/DiscCheck.exe" --json "$windisc" >"$work/wine.json" 2>/dev/null
)
iconv -f CP932 -t UTF-8 "$work/wine.sjis" >"$work/wine.txt" || fail=1
check "DiscCheck.exe report against the native one" "$work/native.txt" "$work/wine.txt"
check "DiscCheck.exe JSON against the native one" "$work/native.json" "$work/wine.json"
# The error count of the expected report's last line ("... N error(s), ...").
errors=$(sed -n 's/^disccheck: \([0-9]*\) error(s).*/\1/p' "$work/expected.txt")
python3 -c 'import json,sys; d=json.load(open(sys.argv[1], encoding="utf-8")); sys.exit(d["errors"] != int(sys.argv[2]))' \
    "$work/native.json" "${errors:-0}" || { echo "FAIL: native JSON does not read as UTF-8 JSON with its errors"; fail=1; }

# The native build's loader and linked archivers on their own (make host
# builds the test where GoogleTest is installed, as setup-machine.sh does).
if [ -x "$src/build/host/host_modules_test" ]; then
    "$src/build/host/host_modules_test" --gtest_brief=1 >"$work/modules.txt" 2>&1 ||
        { echo "FAIL: host_modules_test"; cat "$work/modules.txt"; fail=1; }
else
    echo "FAIL: build/host/host_modules_test missing (make host without GoogleTest)"; fail=1
fi

# The sample disc with the built programs beside its MENU.INI: no finding.
rm -rf "$work/sample" && cp -r "$src/sample-disc" "$work/sample"
for p in Ostrel Talinst Kelview OstrelMovie; do cp "$dist/$p.exe" "$work/sample/" || fail=1; done
# Its archive sections look for the archives where the disc is assembled.
mkdir -p "$work/sample/INSTALL/ARC"
for a in item.lzh item.zip item.cab docs.lzh setup.lzh; do cp "$archives/$a" "$work/sample/INSTALL/ARC/" || fail=1; done
LC_ALL=C.UTF-8 "$native" "$work/sample" >"$work/sample.txt"
[ $? -eq 0 ] || { echo "FAIL: sample disc"; cat "$work/sample.txt"; fail=1; }
exit $fail
