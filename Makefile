# The two commands a newcomer types: `make run` and `make check`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build run check bench clean format

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)

check: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)

# Benchmarks, each figure beside its bare-Qt baseline measured in the same run (bench/run.sh), in a
# Release build of their own. BENCH_RUNS, BENCH_IDLE_SECONDS (60) and BENCH_ONLY shorten a run.
BENCH_DIR ?= build-bench
bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTASKLIST_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target benchmarks
	@bench/run.sh $(BENCH_DIR)

# A Debian package of what `cmake --install` installs, configured for the prefix /usr (CPack,
# cmake/Packaging.cmake), and its inspection; PACKAGE_TEST_INSTALL=1 also installs and removes it.
.PHONY: package package-test screenshot
package: build
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target package

package-test: package
	@./scripts/package-test.sh $(BUILD_DIR)

# The README's pictures of the widget in its light and dark themes: docs/screenshot-*.png.
screenshot: build
	@./scripts/screenshot.sh $(BUILD_DIR) docs

# Benchmarks, each figure beside its bare-Qt baseline measured in the same run (bench/run.sh), in a
# Release build of their own. BENCH_RUNS, BENCH_IDLE_SECONDS (60) and BENCH_ONLY shorten a run.
BENCH_DIR ?= build-bench
bench: deps
	@cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTASKLIST_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target benchmarks
	@bench/run.sh $(BENCH_DIR)
