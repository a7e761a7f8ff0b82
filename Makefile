# Ponderix: the two commands that do everything on a fresh Debian machine.
#   make run    install what is missing, build, and start Ponderix under Wine
#   make test   install what is missing, build both targets, run every test
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)

.PHONY: all deps sqlite host win64 test test-host test-win64 run bench fuzz soak clean

all: win64

deps:
	@tools/install-deps.sh

sqlite: deps
	@tools/fetch-sqlite.sh

host: sqlite
	@[[ -f build/host/CMakeCache.txt ]] || cmake --preset host >/dev/null
	@cmake --build --preset host -j $(JOBS)

win64: sqlite
	@[[ -f build/win64/CMakeCache.txt ]] || cmake --preset win64 >/dev/null
	@cmake --build --preset win64 -j $(JOBS)

test-host: host
	@ctest --preset host

test-win64: win64
	@tools/wine-session ctest --preset win64

test: test-host test-win64

run: win64
	@tools/run-ponderix

clean:
	rm -rf build

# Benchmarks: host -O2 build without sanitizers, then the Windows ones under Wine; every bench
# program runs once.
bench: sqlite win64
	@cmake --preset bench >/dev/null  # always: the flags of the preset are part of the figures
	@cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/*_bench; do echo "== $$b"; "$$b"; done
	@for b in build/win64/bench/*_win_bench.exe; do echo "== $$b"; tools/wine-session tools/wine-run "$$b"; done

# libFuzzer programs (clang): build/fuzz/tests/fuzz/<name>_fuzz
fuzz: sqlite
	@[[ -f build/fuzz/CMakeCache.txt ]] || cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

# The long soak: 10,000 random user actions on the real program (tools/soak); SEED=N repeats a
# run whose seed a report printed.
soak: win64
	@PONDERIX_TEST_TIMEOUT=7200 tools/wine-session tools/wine-run build/win64/tools/soak/soak.exe \
		--actions 10000 $(if $(SEED),--seed $(SEED)) build/win64/bin/Ponderix.exe build/win64/bin/weight.db
