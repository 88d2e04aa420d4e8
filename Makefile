# Snapwell — one entry point for building, testing, running and packing.
#   make run    build Snapwell.exe and start it under Wine (scripted demo without a display)
#   make test   build every tree and run every suite; ends with "N passed, N failed"
#   make bench  Google Benchmark suite (Release build)
#   make dist   dist/Snapwell-<version>-win64.zip and dist/Snapwell-<version>-setup.exe (NSIS)
JOBS ?= 2
CMAKE_GEN := -G "Unix Makefiles"
VERSION := 4.50

.PHONY: all setup native asan fuzz win64 test bench run dist format tidy clean

all: native win64

setup:
	@scripts/setup

native: setup
	@cmake -S . -B build/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSNAPWELL_BENCH=OFF >/dev/null
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

test: native asan win64 fuzz dist
	@scripts/run-tests

bench: setup
	@cmake -S . -B build/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DSNAPWELL_BENCH=ON >/dev/null
	@cmake --build build/bench -j$(JOBS) --target snapwell_bench
	@build/bench/snapwell_bench $(BENCH_ARGS)

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
