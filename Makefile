# Front door: wraps CMake. `make run` builds only what the main job runs
# (odbdiff and its libraries) and runs it on the samples, `make test` builds
# everything and runs every test, `make fuzz` runs the fuzz targets
# for FUZZ_SECONDS each after their corpus, `make fuzz-replay` only the corpus.
# `make install [PREFIX=/usr/local] [DESTDIR=...]` installs the build,
# `make package` makes the Debian package odbdiff_VERSION_ARCH.deb in BUILD.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

BUILD_DEPS = cmake make g++ pkg-config libsqlite3-dev libgtest-dev libgmock-dev libudunits2-dev \
             libcli11-dev nlohmann-json3-dev python3-jsonschema \
             pybind11-dev python3-dev python3-pytest python3-pandas
BENCH_DEPS = libbenchmark-dev sqlite3 sqlite3-tools time
# libclang-rt-14-dev holds libFuzzer (libclang_rt.fuzzer-x86_64.a) for clang 14.
FUZZ_DEPS = clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60
# dpkg-shlibdeps (dpkg-dev) and file find the package's runtime dependencies.
PACKAGE_DEPS = dpkg-dev file
PREFIX ?= /usr/local

.PHONY: all deps configure build test run bench fuzz fuzz-replay clean install package

all: build

deps:
	@sh scripts/ensure-deps.sh $(BUILD_DEPS)

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: configure
	cmake --build $(BUILD) -j $(JOBS) --target main_job
	@sh scripts/run-samples.sh $(BUILD)

bench:
	@sh scripts/ensure-deps.sh $(BUILD_DEPS) $(BENCH_DEPS)
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DDIFF_BUILD_TESTS=OFF -DDIFF_BUILD_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	@sh scripts/run-benchmarks.sh $(BUILD)-bench

fuzz:
	@sh scripts/ensure-deps.sh $(BUILD_DEPS) $(FUZZ_DEPS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) sh fuzz/run.sh $(BUILD)-fuzz "$(CMAKE_FLAGS)"

fuzz-replay:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=0

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: build
	@sh scripts/ensure-deps.sh $(PACKAGE_DEPS)
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan
