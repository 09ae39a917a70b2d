#!/usr/bin/env bash
# Wall time of the disc checker, native and as DiscCheck.exe under Wine (a
# warm wineserver, so the figure is the checker's, not Wine's start-up), on
# the sample disc and on a generated disc of 1,000 menu entries and 500
# installer sections (make_check_disc.py). Each measured RUNS times; prints
# the range. Targets: sample disc under 1 s, large disc under 5 s.
# Usage: tools/bench/disccheck-bench.sh BUILD_DIR [RUNS]
#   BUILD_DIR: the Windows build tree whose dist holds DiscCheck.exe
#   (build/cmake or build/cmake64); the native binary is build/host/disccheck.
set -eu
build=$(cd "$1" && pwd)
runs=${2:-5}
top=$(cd "$(dirname "$0")/../.." && pwd)
native="$top/build/host/disccheck"
dist=$(sed -n 's/^DIST_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -x "$native" ] || { echo "build the native checker first: make host" >&2; exit 1; }

work="$build/disccheck-bench"
mkdir -p "$work"
python3 "$top/tools/bench/make_check_disc.py" "$work/big" 1000 500
rm -rf "$work/sample" && cp -r "$top/sample-disc" "$work/sample"
for p in Ostrel Talinst Kelview OstrelMovie; do cp "$dist/$p.exe" "$work/sample/"; done

export WINEPREFIX="$build/wineprefix"
. "$top/tools/wine-env.sh"
wine_prefix_ready || wine_prefix_create
wineserver -p >/dev/null 2>&1 </dev/null &
cleanup() { wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
wine "$dist/DiscCheck.exe" "Z:$(echo "$work/sample" | tr / '\\')" >/dev/null 2>&1 || true  # warm-up

# Seconds of one run, three decimals.
seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo "scale=3; ($end - $start) / 1000000000" | bc
}
range() { # label, command...
    local label=$1 lo="" hi="" t
    shift
    for _ in $(seq "$runs"); do
        t=$(seconds "$@")
        if [ -z "$lo" ] || [ "$(echo "$t < $lo" | bc)" = 1 ]; then lo=$t; fi
        if [ -z "$hi" ] || [ "$(echo "$t > $hi" | bc)" = 1 ]; then hi=$t; fi
    done
    printf '%-34s %s-%s s over %d runs\n' "$label" "$lo" "$hi" "$runs"
}
range "native, sample disc" "$native" "$work/sample"
range "native, 1000 entries / 500 sections" "$native" "$work/big"
range "Wine, sample disc" wine "$dist/DiscCheck.exe" "Z:$(echo "$work/sample" | tr / '\\')"
range "Wine, 1000 entries / 500 sections" wine "$dist/DiscCheck.exe" "Z:$(echo "$work/big" | tr / '\\')"
