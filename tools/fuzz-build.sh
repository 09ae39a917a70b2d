# Sourced by tools/fuzz.sh and tools/fuzz-replay.sh: configures and builds
# the host fuzz harnesses of tests/fuzz/ into build/fuzz/cmake.
FUZZ_OUT=${FUZZ_OUT:-build/fuzz}
FUZZ_BUILD=$FUZZ_OUT/cmake
FUZZ_CXX=${FUZZ_CXX:-clang++-14}

if ! command -v "$FUZZ_CXX" >/dev/null; then
    echo "fuzz: $FUZZ_CXX not found (tools/setup-machine.sh installs it)" >&2
    exit 1
fi
cmake -S tests/fuzz -B "$FUZZ_BUILD" -DCMAKE_CXX_COMPILER="$FUZZ_CXX" >/dev/null || exit 1
cmake --build "$FUZZ_BUILD" -j"${JOBS:-2}" >"$FUZZ_OUT/build.log" 2>&1 || {
    cat "$FUZZ_OUT/build.log" >&2
    exit 1
}

# The harness names, as the host project lists them.
fuzz_harnesses() {
    sed -n '/^set(FUZZ_HARNESSES/,/)/p' tests/fuzz/CMakeLists.txt | sed 's/set(FUZZ_HARNESSES//; s/)//' |
        tr -s ' \n' '\n' | grep -v '^$'
}
