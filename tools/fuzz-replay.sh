#!/usr/bin/env bash
# Replays every committed seed (tests/fuzz/corpus/<harness>/) and every
# saved crash input (tests/fuzz/crashes/<harness>/) once through its fuzz
# harness, without fuzzing, so that a mended fault stays mended. Exits
# non-zero when any input crashes or breaks a harness's property.
set -u
cd "$(dirname "$0")/.."
. tools/fuzz-build.sh

passed=0
failed=0
for h in $(fuzz_harnesses); do
    inputs=()
    for d in "tests/fuzz/corpus/$h" "tests/fuzz/crashes/$h"; do
        [ -d "$d" ] && while IFS= read -r f; do inputs+=("$f"); done < <(find "$d" -type f | sort)
    done
    if [ ${#inputs[@]} -eq 0 ]; then
        echo "fuzz replay: $h has no inputs" >&2
        failed=$((failed + 1))
        continue
    fi
    # Given files (not folders), libFuzzer runs each once and writes nothing.
    if "$FUZZ_BUILD/$h" -runs=1 "${inputs[@]}" >"$FUZZ_OUT/replay-$h.log" 2>&1; then
        passed=$((passed + 1))
    else
        echo "fuzz replay: $h FAILED, see $FUZZ_OUT/replay-$h.log" >&2
        tail -20 "$FUZZ_OUT/replay-$h.log" >&2
        failed=$((failed + 1))
    fi
done
echo "fuzz replay: $passed passed, $failed failed"
[ $failed -eq 0 ]
