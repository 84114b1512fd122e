# The whole set-up: `make run` builds and starts Harmonote, `make test` builds and runs every test.
# Plain `make` builds the application only. JOBS sets the parallel jobs, BUILD the build folder.
# `make fuzz` builds the fuzzers with clang in $(FUZZ_BUILD) and runs each for FUZZ_SECONDS.
# `make test-sanitize` builds and runs every test with the address and undefined-behaviour
# sanitizers in $(SANITIZE_BUILD). `make bench-smoke` runs every benchmark once on a tiny song.
# HARMONOTE_WERROR=ON (make variable or environment) makes every compiler warning stop the build.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
HARMONOTE_WERROR ?= OFF
SANITIZE_BUILD ?= build-sanitize
SMOKE_SONG ?= examples/Amazing Grace.hmnt
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

# The build's own make runs below this one: no "Entering directory" lines from it.
MAKEFLAGS += --no-print-directory

.DEFAULT_GOAL := app
.PHONY: app run test test-sanitize bench bench-smoke build configure bootstrap clean fuzz

bootstrap:
	@bash scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) -DHARMONOTE_WERROR=$(HARMONOTE_WERROR) $(CMAKE_FLAGS) >/dev/null

# The application and its resources: what `make run` starts.
app: configure
	@cmake --build $(BUILD) -j $(JOBS) --target harmonote

# Everything: the application, the tests and the benchmarks.
build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: app
	$(BUILD)/bin/harmonote "examples/Amazing Grace.hmnt"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same tests, built with the sanitizers in a folder of their own (no benchmarks there).
test-sanitize:
	@$(MAKE) test BUILD=$(SANITIZE_BUILD) CMAKE_FLAGS="-DHARMONOTE_SANITIZE=ON -DHARMONOTE_BENCH=OFF $(CMAKE_FLAGS)"

bench: build
	@bash scripts/run_bench $(BUILD)

# Every benchmark once on a tiny song: do they all still run?
bench-smoke: build
	@bash scripts/run_bench $(BUILD) "$(SMOKE_SONG)"

fuzz:
	@bash scripts/bootstrap fuzz
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DHARMONOTE_FUZZ=ON -DHARMONOTE_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@bash scripts/run_fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
