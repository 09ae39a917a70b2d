#!/usr/bin/env bash
# The viewer's downward search over a large Shift-JIS document for a string
# that occurs only on its last line, next to `grep -F -c` on the same file in
# the same run:
#  - grep -F -c (exact) and LC_ALL=C grep -F -i -c (ignoring ASCII case);
#  - the line matcher alone (host build, the file in memory, each line copied
#    once and searched);
#  - the viewer's search over the row store under Wine after loading the
#    file, with memory pages and with the page file as shipped.
# Every figure is printed for each run, then as the range over the runs.
# usage: tools/bench/search-bench.sh [WORK_DIR] [SIZE_MB] [RUNS]
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$top/build/bench-search}
size=${2:-50}
runs=${3:-5}
mkdir -p "$work"
work=$(cd "$work" && pwd)
doc="$top/viewer/doc"
key=Needle7Marker

echo "== corpus ($size MB Shift-JIS, the key only on the last line)"
if [ ! -f "$work/search-sjis.txt" ] || [ "$(stat -c %s "$work/search-sjis.txt")" -lt $((size * 1048576 - 1024)) ]; then
    python3 "$top/tools/bench/viewer_make_corpus.py" "$work" "$size" big >/dev/null
    cp "$work/big-sjis.txt" "$work/search-sjis.txt"
    rm -f "$work"/big-*.txt
    printf 'last line: %s\r\n' "$key" >>"$work/search-sjis.txt"
fi
LC_ALL=C grep -F -c -i "$key" "$work/search-sjis.txt" | grep -qx 1 || { echo "key is not on exactly one line" >&2; exit 1; }
ls -l "$work/search-sjis.txt" | awk '{print "  " $5, $9}'

echo "== build"
engine="settings key_table doc_texts code_conv acp_conv detect wrap line_split page_file row_store loader search_match"
objs=()
for f in $engine; do objs+=("$doc/$f.cpp"); done
objs+=("$top/viewer/view/text_search.cpp" "$top/common/sjis.cpp" "$top/common/path_text.cpp")
g++ -O2 -std=c++17 -I"$doc" -I"$top/common" "$top/tools/bench/search_match_bench.cpp" "$doc/search_match.cpp" \
    "$top/common/sjis.cpp" -o "$work/search-match-host"
# The shipped build is 32-bit; where this kernel cannot run 32-bit code the
# same sources are measured as the x86_64 build under 64-bit Wine.
if bash "$top/tools/runs-32bit.sh"; then
    cxx=i686-w64-mingw32-g++-posix
    export DISC_WINEARCH=win32
else
    cxx=x86_64-w64-mingw32-g++-posix
    export DISC_WINEARCH=win64
fi
echo "  Windows build: $cxx"
$cxx -O2 -std=c++17 -fexec-charset=CP932 -DWIN32_LEAN_AND_MEAN -DNOMINMAX -DSTRICT -static -static-libgcc \
    -static-libstdc++ -I"$doc" -I"$top/common" -I"$top/viewer/view" -I"$top/viewer/app" \
    "$top/tools/bench/search_bench.cpp" "${objs[@]}" -o "$work/searchbench.exe"

export WINEPREFIX="$work/wineprefix-$DISC_WINEARCH"
. "$top/tools/wine-env.sh"
wine_prefix_ready || wine_prefix_create
wrun() { wine "$@" 2>/dev/null </dev/null; }
winpath() { echo "Z:$1" | tr / '\\'; }
now() { date +%s.%N; }
secs() { local t0 t1; t0=$(now); "$@" >/dev/null; t1=$(now); echo "$t1 - $t0" | bc -l; }
field() { tr ' ' '\n' | sed -n "s/^$1=//p" | tail -1; }
ratio() { echo "scale=2; $1 / $2" | bc -l; }

file="$work/search-sjis.txt"
wfile=$(winpath "$file")
bytes=$(stat -c %s "$file")
declare -a GE GI HF HE MF ME PF PE
echo
echo "== runs (seconds; the ratio is grep's time over ours, so above 1 is faster than grep)"
printf '%3s %8s %8s | %8s %8s | %8s %8s %8s | %8s %8s %8s\n' run grep grep-i host-fold host-exact \
    mem-fold mem-exact mem-load page-fold page-exact page-load
for r in $(seq 1 "$runs"); do
    ge=$(secs grep -F -c "$key" "$file")
    gi=$(LC_ALL=C secs grep -F -i -c "$key" "$file")
    h=$("$work/search-match-host" "$file" "$key")
    m=$(VIEWER_BENCH_POOL=1 wrun "$work/searchbench.exe" "$wfile" "$key")
    p=$(VIEWER_BENCH_POOL=0 wrun "$work/searchbench.exe" "$wfile" "$key")
    [ "$(echo "$m" | field fold_row)" = "$(echo "$m" | field eof_row | awk '{print $1 - 1}')" ] ||
        echo "  note: memory-page search found row $(echo "$m" | field fold_row), expected the last text row"
    [ "$(echo "$p" | field exact_row)" = "$(echo "$m" | field exact_row)" ] || echo "  note: page-file search differs"
    GE+=("$ge"); GI+=("$gi")
    HF+=("$(echo "$h" | field fold_s)"); HE+=("$(echo "$h" | field exact_s)")
    MF+=("$(echo "$m" | field fold_s)"); ME+=("$(echo "$m" | field exact_s)")
    PF+=("$(echo "$p" | field fold_s)"); PE+=("$(echo "$p" | field exact_s)")
    printf '%3s %8.3f %8.3f | %8.3f %8.3f | %8.3f %8.3f %8.3f | %8.3f %8.3f %8.3f\n' "$r" "$ge" "$gi" \
        "${HF[-1]}" "${HE[-1]}" "${MF[-1]}" "${ME[-1]}" "$(echo "$m" | field load_s)" \
        "${PF[-1]}" "${PE[-1]}" "$(echo "$p" | field load_s)"
    echo "    page-file search, ignoring case: $(echo "$p" | field fold_page_reads) single-page reads," \
        "$(echo "$p" | field fold_run_reads) run reads"
done

# Range of a per-run ratio: anchor array name, measured array name.
range() {
    local -n a=$1 b=$2
    local lo=999 hi=0 v
    for i in "${!a[@]}"; do
        v=$(ratio "${a[$i]}" "${b[$i]}")
        lo=$(echo "if ($v < $lo) $v else $lo" | bc -l)
        hi=$(echo "if ($v > $hi) $v else $hi" | bc -l)
    done
    printf '%.2fx-%.2fx' "$lo" "$hi"
}
echo
echo "== speed against grep over $runs runs ($bytes bytes), min-max of the per-run ratio"
echo "  line matcher alone, ignoring case vs grep -F -i: $(range GI HF); exact vs grep -F: $(range GE HE)"
echo "  search, memory pages, ignoring case vs grep -F -i: $(range GI MF); exact vs grep -F: $(range GE ME)"
echo "  search, page file,    ignoring case vs grep -F -i: $(range GI PF); exact vs grep -F: $(range GE PE)"
