# make demo  - set up the machine, build everything, start the menu on sample-disc/
# make test  - set up the machine, build everything, run the whole test suite
# make dist  - set up and build only (the shipped 32-bit programs, in dist/)
# make dist64 - the same sources built for x86_64 into build/dist64; make test
#              tests that build under 64-bit Wine when this machine's kernel
#              cannot run 32-bit programs (tools/runs-32bit.sh tells)
# make host  - the native (Linux) build of the command-line checker:
#              build/host/disccheck
# make fuzz  - build the host fuzz harnesses and run each FUZZ_SECONDS (default 60)
# BUILD and DIST may be overridden to keep a second build tree apart
# (make dist BUILD=build-x DIST=build-x/dist); the dependencies are shared.
BUILD   ?= build
DIST    ?= dist
CMAKE_BUILD := $(BUILD)/cmake
DEPS    := build/deps
CMAKE_BUILD64 := $(BUILD)/cmake64
DIST64  := $(BUILD)/dist64
DEPS64  := build/deps64
JOBS    ?= $(shell nproc)
HOST    := $(BUILD)/host

.PHONY: all setup deps configure dist deps64 configure64 dist64 host test demo clean fuzz

all: dist

setup:
	@bash tools/setup-machine.sh

deps: setup
	@bash third_party/build-libpng.sh $(abspath $(DEPS)) $(abspath build/deps-src/libpng)
	@bash third_party/build-libarchive.sh $(abspath $(DEPS)) $(abspath build/deps-src/libarchive)

configure: deps
	@cmake -S . -B $(CMAKE_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-i686.cmake) \
	    -DDISC_DEPS_PREFIX=$(abspath $(DEPS)) -DDIST_DIR=$(abspath $(DIST)) >/dev/null

dist: configure
	@cmake --build $(CMAKE_BUILD) -j$(JOBS)

deps64: setup
	@bash third_party/build-libpng.sh $(abspath $(DEPS64)) $(abspath build/deps-src64/libpng) $(abspath cmake/mingw-x86_64.cmake)
	@bash third_party/build-libarchive.sh $(abspath $(DEPS64)) $(abspath build/deps-src64/libarchive) $(abspath cmake/mingw-x86_64.cmake)

configure64: deps64
	@cmake -S . -B $(CMAKE_BUILD64) -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-x86_64.cmake) \
	    -DDISC_DEPS_PREFIX=$(abspath $(DEPS64)) -DDIST_DIR=$(abspath $(DIST64)) \
	    -DSCREENSHOT_DIR=$(abspath $(BUILD))/screenshots >/dev/null

dist64: configure64
	@cmake --build $(CMAKE_BUILD64) -j$(JOBS)

# The native checker: the same sources built with the host compiler against
# the <windows.h> stand-in of common/host/ (system libpng and zlib).
host: setup
	@cmake -S common/host -B $(HOST)/cmake -DHOST_OUT_DIR=$(abspath $(HOST)) >/dev/null
	@cmake --build $(HOST)/cmake -j$(JOBS)

# The tests run the build this machine can execute: the shipped 32-bit one, or
# the x86_64 one of the same sources where 32-bit programs cannot start.
test: dist host
	@bash tools/fuzz-replay.sh
	@if bash tools/runs-32bit.sh; then \
	    bash tools/run-tests.sh $(CMAKE_BUILD) -j$(JOBS); \
	else \
	    echo "this machine cannot run 32-bit programs: testing the x86_64 build under 64-bit Wine"; \
	    $(MAKE) --no-print-directory dist64 && bash tools/run-tests.sh $(CMAKE_BUILD64) -j$(JOBS); \
	fi

fuzz: setup
	@FUZZ_SECONDS=$(or $(FUZZ_SECONDS),60) bash tools/fuzz.sh

demo: dist
	@if bash tools/runs-32bit.sh; then \
	    bash tools/demo.sh $(CMAKE_BUILD); \
	else \
	    $(MAKE) --no-print-directory dist64 && bash tools/demo.sh $(CMAKE_BUILD64); \
	fi

clean:
	rm -rf $(CMAKE_BUILD) $(DIST) $(CMAKE_BUILD64) $(DIST64) $(HOST)
