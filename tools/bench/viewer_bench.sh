#!/usr/bin/env bash
# Benchmarks of the viewer engine, each next to its anchor in the same run on
# the same files:
#  1. the converters alone (EUC-JP, ISO-2022-JP, UTF-16LE to Shift-JIS into a
#     file) next to glibc's iconv command doing the same conversion;
#  2. the whole load into the row store under Wine, page file included, as
#     the load time of the file minus that of a tiny file, next to iconv;
#  3. the process's private memory after loading a 5 MB and a 50 MB file.
# usage: tools/bench/viewer_bench.sh [WORK_DIR] [SIZE_MB]
#   SECTIONS=2 (any of 1, 2, 3) runs only those tables; LOAD_RUNS (default 5)
#   sets the number of runs of table 2.
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$top/build/bench-viewer}
size=${2:-50}
sections=${SECTIONS:-123}
mkdir -p "$work"
work=$(cd "$work" && pwd)
src="$top/viewer/doc"
engine="settings key_table doc_texts code_conv acp_conv detect wrap line_split page_file row_store loader"

echo "== corpus ($size MB per code, 5 MB Shift-JIS for memory)"
[ -f "$work/big-utf16.txt" ] && [ "$(stat -c %s "$work/big-sjis.txt")" -ge $((size * 1048576 - 1024)) ] ||
    python3 "$top/tools/bench/viewer_make_corpus.py" "$work" "$size" big >/dev/null
[ -f "$work/mid-sjis.txt" ] || python3 "$top/tools/bench/viewer_make_corpus.py" "$work" 5 mid >/dev/null
printf 'tiny\r\n' > "$work/tiny.txt"
ls -l "$work"/big-*.txt "$work"/mid-sjis.txt | awk '{print "  " $5, $9}'

echo "== build"
[[ $sections != *1* ]] || g++ -O2 -std=c++17 -I"$src" -I"$top/common" "$top/tools/bench/viewer_conv_bench.cpp" "$src/code_conv.cpp" -o "$work/convbench-host"
objs=()
for f in $engine; do objs+=("$src/$f.cpp"); done
objs+=("$top/common/sjis.cpp" "$top/common/path_text.cpp")
# The shipped build is 32-bit; where this kernel cannot run 32-bit code the
# same sources are measured as the x86_64 build under 64-bit Wine.
if bash "$top/tools/runs-32bit.sh"; then
    cross=i686-w64-mingw32-g++-posix
    export DISC_WINEARCH=win32
else
    cross=x86_64-w64-mingw32-g++-posix
    export DISC_WINEARCH=win64
fi
echo "  Windows build: $cross"
win_cxx="$cross -O2 -std=c++17 -fexec-charset=CP932 -DWIN32_LEAN_AND_MEAN -DNOMINMAX -DSTRICT -static -static-libgcc -static-libstdc++ -I$src -I$top/common"
[[ $sections != *1* ]] || $win_cxx "$top/tools/bench/viewer_conv_bench.cpp" "$src/code_conv.cpp" "$src/acp_conv.cpp" -o "$work/convbench.exe"
$win_cxx "$top/tools/bench/viewer_load_bench.cpp" "${objs[@]}" -lpsapi -o "$work/loadbench.exe"

export WINEPREFIX="$work/wineprefix-$DISC_WINEARCH"
. "$top/tools/wine-env.sh"
wine_prefix_ready || wine_prefix_create
winpath() { echo "Z:$1" | tr / '\\'; }
wrun() { wine "$@" 2>/dev/null </dev/null; }

now() { date +%s.%N; }
# Best of three wall-clock runs of a command, in seconds.
best() {
    local b=999999 t0 t1 d
    for _ in 1 2 3; do
        t0=$(now); "$@" >/dev/null; t1=$(now)
        d=$(echo "$t1 - $t0" | bc -l)
        b=$(echo "if ($d < $b) $d else $b" | bc -l)
    done
    printf '%.3f' "$b"
}
mbps() { echo "scale=1; $1 / 1048576 / $2" | bc -l; }
# Best of three of a figure printed by our own programs (key=value).
bestfield() {
    local key=$1; shift
    local b=999999 v runs=0
    # Three good runs; a run that printed nothing (a failed start) is repeated.
    for _ in 1 2 3 4 5 6; do
        v=$("$@" | tr ' ' '\n' | sed -n "s/^$key=//p" | tail -1)
        [ -n "$v" ] || continue
        b=$(echo "if ($v < $b) $v else $b" | bc -l)
        runs=$((runs + 1))
        [ $runs -ge 3 ] && break
    done
    printf '%.3f' "$b"
}

LOAD_RUNS=${LOAD_RUNS:-5}
# One wall-clock run of a command, in seconds.
best1() {
    local t0 t1
    t0=$(now); "$@" >/dev/null; t1=$(now)
    echo "$t1 - $t0" | bc -l
}
# "min-max" of the arguments, two decimals.
minmax() {
    [ $# -gt 0 ] || { echo -; return; }
    printf '%s\n' "$@" | sort -g | sed -n '1p;$p' | xargs printf '%.2f ' | awk '{ if (NF == 1) print $1; else print $1 "-" $2 }'
}

declare -A iconvName=([sjis]=CP932 [euc]=EUC-JP [jis]=ISO-2022-JP [utf16]=UTF-16)
declare -A codeNum=([sjis]=1 [utf16]=2 [euc]=3 [jis]=4)

if [[ $sections == *1* ]]; then
echo
echo "== 1. converters alone (seconds, best of 3; MB/s of input)"
printf '%-6s %10s %16s %16s %16s %7s %7s\n' code bytes iconv engine-host engine-wine 'host/x' 'wine/x'
for c in euc jis utf16; do
    in="$work/big-$c.txt"
    bytes=$(stat -c %s "$in")
    ti=$(best sh -c "iconv -f ${iconvName[$c]} -t CP932 '$in' > '$work/out-iconv-$c.txt'")
    th=-
    if [ $c != utf16 ]; then
        th=$(bestfield seconds "$work/convbench-host" $c "$in" "$work/out-host-$c.txt")
        cmp -s "$work/out-iconv-$c.txt" "$work/out-host-$c.txt" || echo "  note: host output differs from iconv for $c"
    fi
    tw=$(bestfield seconds wrun "$work/convbench.exe" $c "$(winpath "$in")" "$(winpath "$work/out-wine-$c.txt")")
    cmp -s "$work/out-iconv-$c.txt" "$work/out-wine-$c.txt" || echo "  note: wine output differs from iconv for $c"
    rh=-
    [ "$th" != - ] && rh="$(echo "scale=2; $ti / $th" | bc -l)x"
    printf '%-6s %10s %16s %16s %16s %7s %7s\n' $c "$bytes" "$ti ($(mbps $bytes $ti))" \
        "$th$( [ "$th" != - ] && echo " ($(mbps $bytes $th))")" "$tw ($(mbps $bytes $tw))" \
        "$rh" "$(echo "scale=2; $ti / $tw" | bc -l)x"
done

echo
fi

if [[ $sections == *2* ]]; then
echo "== 2. whole load into the row store under Wine (net of a tiny file) next to iconv, $LOAD_RUNS runs"
echo "   'page file' is the viewer as shipped; 'memory pages' is the same load with the memoryPages setting on;"
echo "   each run times iconv, then both loads; the speeds are iconv's time over the load's, min-max over the runs;"
echo "   'per page' is (page file - memory pages) / pages written, min-max over the runs"
printf '%-6s %10s %7s %15s %15s %15s %13s\n' code bytes pages 'iconv s' 'page file' 'memory pages' 'per page ms'
for c in sjis euc jis utf16; do
    in="$work/big-$c.txt"
    bytes=$(stat -c %s "$in")
    sp=() sm=() pp=() ti_all=() pages=0
    for _ in $(seq 1 "$LOAD_RUNS"); do
        ti=$(best1 sh -c "iconv -f ${iconvName[$c]} -t CP932 '$in' > '$work/out-iconv-$c.txt'")
        out=$(wrun "$work/loadbench.exe" "$(winpath "$work/tiny.txt")" "$(winpath "$in")" ${codeNum[$c]})
        tl=$(echo "$out" | tr ' ' '\n' | sed -n 's/^net_s=//p')
        pf=$(echo "$out" | tr ' ' '\n' | sed -n 's/^pagefile=//p')
        tp=$(VIEWER_BENCH_POOL=1 wrun "$work/loadbench.exe" "$(winpath "$work/tiny.txt")" "$(winpath "$in")" ${codeNum[$c]} |
            tr ' ' '\n' | sed -n 's/^net_s=//p')
        [ -n "$tl" ] && [ -n "$tp" ] || continue
        pages=$((pf / 8192))
        ti_all+=("$ti")
        sp+=("$(echo "scale=3; $ti / $tl" | bc -l)")
        sm+=("$(echo "scale=3; $ti / $tp" | bc -l)")
        [ "$pages" -gt 0 ] && pp+=("$(echo "scale=4; ($tl - $tp) * 1000 / $pages" | bc -l)")
    done
    printf '%-6s %10s %7s %15s %15s %15s %13s\n' $c "$bytes" "$pages" "$(minmax "${ti_all[@]}")" \
        "$(minmax "${sp[@]}")x" "$(minmax "${sm[@]}")x" "$(minmax "${pp[@]}")"
done
echo
echo "   the page file's transfers alone, 2000 pages, microseconds per page, min-max over $LOAD_RUNS runs:"
echo "   new pages one per transfer (opened and closed each time); existing pages written / read"
echo "   one per transfer; existing pages written through one handle held open"
nw=() w1=() r1=() wh=()
for _ in $(seq 1 "$LOAD_RUNS"); do
    out=$(wrun "$work/loadbench.exe" --pages 2000 | tr -d '\r' | tr ' ' '\n')
    nw+=("$(echo "$out" | sed -n 's/^new_us=//p')")
    w1+=("$(echo "$out" | sed -n 's/^write_us=//p')")
    r1+=("$(echo "$out" | sed -n 's/^read_us=//p')")
    wh+=("$(echo "$out" | sed -n 's/^held_write_us=//p')")
done
echo "   new $(minmax "${nw[@]}")  write $(minmax "${w1[@]}")  read $(minmax "${r1[@]}")  held handle $(minmax "${wh[@]}")"

fi

if [[ $sections == *3* ]]; then
echo
echo "== 3. private memory after loading (bytes)"
for f in mid-sjis big-sjis; do
    line=$(wrun "$work/loadbench.exe" "$(winpath "$work/tiny.txt")" "$(winpath "$work/$f.txt")" 1 || true)
    echo "  $f: $(echo "$line" | tr ' ' '\n' | grep -E '^(ok|bytes|rows|window|pagefile|private_before|private_after)=' | tr '\n' ' ')"
done
fi
