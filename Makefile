# make demo  - set up the machine, build everything, start the menu on sample-disc/
# make test  - set up the machine, build everything, run the whole test suite
# make dist  - set up and build only
# make fuzz  - build the host fuzz harnesses and run each FUZZ_SECONDS (default 60)
# BUILD and DIST may be overridden to keep a second build tree apart
# (make dist BUILD=build-x DIST=build-x/dist); the dependencies are shared.
BUILD   ?= build
DIST    ?= dist
CMAKE_BUILD := $(BUILD)/cmake
DEPS    := build/deps
JOBS    ?= $(shell nproc)

.PHONY: all setup deps configure dist test demo clean fuzz

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

test: dist
	@bash tools/fuzz-replay.sh
	@bash tools/run-tests.sh $(CMAKE_BUILD) -j$(JOBS)

fuzz: setup
	@FUZZ_SECONDS=$(or $(FUZZ_SECONDS),60) bash tools/fuzz.sh

demo: dist
	@bash tools/demo.sh $(CMAKE_BUILD)

clean:
	rm -rf $(CMAKE_BUILD) $(DIST)
