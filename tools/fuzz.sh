#!/usr/bin/env bash
# Builds the fuzz harnesses of tests/fuzz/ for the host (clang 14, libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs each for
# FUZZ_SECONDS (default 60), starting from its committed seed corpus.
#   bash tools/fuzz.sh [harness ...]        # default: all of them
# New inputs that reach new code go to build/fuzz/<harness>/corpus (the
# committed seeds stay as they are); a crashing input is left as
# build/fuzz/<harness>/crash-* and the run goes on with the next harness.
# Each run's log is build/fuzz/<harness>.log; the summary lists executions
# and coverage per harness. Exits non-zero when any harness crashed.
set -u
cd "$(dirname "$0")/.."
. tools/fuzz-build.sh

SECONDS_EACH=${FUZZ_SECONDS:-60}
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=($(fuzz_harnesses))

failed=0
printf '%-24s %12s %8s %8s  %s\n' harness executions cov ft result
for h in "${harnesses[@]}"; do
    work="$FUZZ_OUT/$h"
    mkdir -p "$work/corpus" "tests/fuzz/corpus/$h"
    log="$FUZZ_OUT/$h.log"
    # The first folder receives new inputs; the seeds are only read.
    nice -n 19 "$FUZZ_BUILD/$h" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="$work/" -timeout=60 -rss_limit_mb=2048 \
        "$work/corpus" "tests/fuzz/corpus/$h" >"$log" 2>&1
    rc=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    last=$(grep -E '^#[0-9]+' "$log" | tail -1)
    cov=$(echo "$last" | sed -n 's/.*cov: \([0-9]*\).*/\1/p')
    ft=$(echo "$last" | sed -n 's/.*ft: \([0-9]*\).*/\1/p')
    result=ok
    if [ $rc -ne 0 ]; then
        result="CRASH: $(ls -t "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null | head -1)"
        failed=1
    fi
    printf '%-24s %12s %8s %8s  %s\n' "$h" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
exit $failed
