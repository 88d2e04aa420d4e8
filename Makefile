# Snapwell — one entry point for building, testing, running and packing.
#   make run    build Snapwell.exe and start it under Wine (scripted demo without a display)
#   make test   build every tree and run every suite; ends with "N passed, N failed"
#   make bench  Google Benchmark suite (Release build) on this machine's own screenshots
#   make bench-compare  the fixed screenshots against libpng, cjpeg and Pillow, one table, one core
#   make dist   dist/Snapwell-<version>-win64.zip and dist/Snapwell-<version>-setup.exe (NSIS)
JOBS ?= 2
CMAKE_GEN := -G "Unix Makefiles"
VERSION := 4.50

.PHONY: all setup native asan fuzz win64 corpus test bench bench-build bench-compare run dist format tidy clean

all: native win64

setup:
	@scripts/setup

native: setup
	@cmake -S . -B build/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSNAPWELL_BENCH=ON >/dev/null
	@cmake --build build/native -j$(JOBS) -- --no-print-directory

asan: setup
	@cmake -S . -B build/native-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DSNAPWELL_SANITIZE=ON >/dev/null
	@cmake --build build/native-asan -j$(JOBS) -- --no-print-directory

fuzz: setup
	@CC=clang CXX=clang++ cmake -S . -B build/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSNAPWELL_FUZZ=ON >/dev/null
	@cmake --build build/fuzz -j$(JOBS) -- --no-print-directory

win64: setup
	@cmake -S . -B build/win64 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake >/dev/null
	@cmake --build build/win64 -j$(JOBS) -- --no-print-directory

# Real screenshots grabbed on this machine for the benchmarks, made once on a private display.
# (The tests judge the fixed corpus in tests/corpus; scripts/screenshot-corpus --fixed remakes it.)
corpus: win64
	@scripts/screenshot-corpus

test: native asan win64 fuzz dist
	@scripts/run-tests

bench-build: setup
	@cmake -S . -B build/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DSNAPWELL_BENCH=ON >/dev/null
	@cmake --build build/bench -j$(JOBS) --target snapwell_bench snapwell_compare -- --no-print-directory

# Files go to build/bench-out, on disk like the program's own output.
bench: bench-build corpus
	@build/bench/snapwell_bench $(BENCH_ARGS)

bench-compare: bench-build
	@taskset -c 0 build/bench/snapwell_compare build/bench-out $(or $(REPEATS),7)

run: win64
	@scripts/run

dist: win64
	@scripts/dist $(VERSION)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: native
	@git ls-files 'src/*.cpp' 'libs/*.cpp' | grep -v '_win32\|/win32/\|/dll/' | xargs clang-tidy -p build/native --quiet --extra-arg=-Wno-unknown-warning-option

clean:
	rm -rf build dist
