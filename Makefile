# The whole set-up: `make run` builds and starts Harmonote, `make test` builds and runs every test.
# `make fuzz` builds the fuzzers with clang in $(FUZZ_BUILD) and runs each for FUZZ_SECONDS.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: run test bench build configure bootstrap clean fuzz

bootstrap:
	@bash scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/harmonote "examples/Amazing Grace.hmnt"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@bash scripts/run_bench $(BUILD)

fuzz:
	@bash scripts/bootstrap fuzz
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DHARMONOTE_FUZZ=ON -DHARMONOTE_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@bash scripts/run_fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
