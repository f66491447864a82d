# Front door: wraps CMake. `make run` runs the main job on the samples,
# `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

BUILD_DEPS = cmake make g++ pkg-config libsqlite3-dev libgtest-dev libgmock-dev \
             libcli11-dev nlohmann-json3-dev
BENCH_DEPS = libbenchmark-dev sqlite3 sqlite3-tools time

.PHONY: all deps build test run bench clean

all: build

deps:
	@sh scripts/ensure-deps.sh $(BUILD_DEPS)

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	@sh scripts/run-samples.sh $(BUILD)

bench:
	@sh scripts/ensure-deps.sh $(BUILD_DEPS) $(BENCH_DEPS)
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DDIFF_BUILD_TESTS=OFF -DDIFF_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	@sh scripts/run-benchmarks.sh $(BUILD)-bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan
