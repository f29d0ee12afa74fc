# The two commands a newcomer types: `make run` and `make check`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Qt 6 where the system has it with KDE Frameworks 6, else Qt 5; TASKLIST_QT=5 or 6 forces one.
ifneq ($(TASKLIST_QT),)
CMAKE_FLAGS += -DTASKLIST_QT=$(TASKLIST_QT)
endif

.PHONY: all deps build run check bench soak startup-order clean format translations

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the two programs scripts/run.sh starts: the test suite is most of the build, and `make check`
# builds it.
RUN_TARGETS = nvx-calendar-desktop-widget tasklist-dataserver
run: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target $(RUN_TARGETS)
	@./scripts/run.sh $(BUILD_DIR)

check: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Brings translations/*.ts up to date with the texts of the code; tst_translations fails until the
# new entries are translated (with Qt Linguist, or by hand).
# Qt 6's lupdate is not on the PATH in Debian.
LUPDATE ?= $(firstword $(wildcard /usr/lib/qt6/bin/lupdate) lupdate)
# The languages are those of translations/CMakeLists.txt: a name added there is created here.
TS_FILES = $(addprefix translations/,$(shell grep -o 'tasklist_[A-Za-z_]*\.ts' translations/CMakeLists.txt))
translations: deps
	@$(LUPDATE) -no-obsolete -locations none src -ts $(TS_FILES)

clean:
	rm -rf $(BUILD_DIR)

# Benchmarks, each figure beside its bare-Qt baseline measured in the same run (bench/run.sh), in a
# build of their own with the flags the package is built with (RelWithDebInfo: -O2). BENCH_RUNS,
# BENCH_IDLE_SECONDS (60) and BENCH_ONLY shorten a run.
BENCH_DIR ?= build-bench
bench: deps
	@cmake -S . -B $(BENCH_DIR) $(CMAKE_FLAGS) -DTASKLIST_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target benchmarks
	@bench/run.sh $(BENCH_DIR)

# Both programs through a simulated week on a fast clock (scripts/soak.sh); SOAK_HOURS and
# SOAK_SECONDS shorten it. CTest runs an hour of it (ctest -L soak).
soak: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target soak_driver
	@scripts/soak.sh $(BUILD_DIR)

# The widget's start-up functions, for the linker to place together (scripts/startup-order.sh);
# needs valgrind. Commit the src/app/startup-order.txt it writes.
startup-order: deps
	@cmake -S . -B $(BENCH_DIR) $(CMAKE_FLAGS) -DTASKLIST_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS) --target benchmarks
	@scripts/startup-order.sh $(BENCH_DIR)

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

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer. Every process writes
# its reports to a file, so a report from a child a test starts (the widget, the data server)
# fails the run even where the test does not look at the child's exit code. Full unwinding: Qt has
# no frame pointers, and the suppressions (tests/lsan.supp) name Qt functions deep in the stacks.
SANITIZE_DIR ?= build-sanitize
SANITIZER_LOGS = $(CURDIR)/$(SANITIZE_DIR)/sanitizer-logs

.PHONY: check-sanitize fuzz
check-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) $(CMAKE_FLAGS) -DTASKLIST_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@rm -rf $(SANITIZER_LOGS) && mkdir -p $(SANITIZER_LOGS)
	@cd $(SANITIZE_DIR) && \
	    ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:log_exe_name=1:log_path=$(SANITIZER_LOGS)/asan \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:log_path=$(SANITIZER_LOGS)/ubsan \
	    ctest --output-on-failure -j $(JOBS); status=$$?; \
	    if [ -n "$$(ls -A $(SANITIZER_LOGS))" ]; then \
	        cat $(SANITIZER_LOGS)/*; echo "check-sanitize: sanitizer reports in $(SANITIZER_LOGS)"; exit 1; \
	    fi; exit $$status

# libFuzzer targets for the readers of outside input, FUZZ_SECONDS each (tests/fuzz/run.sh).
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@EXTRA_PACKAGES="clang libclang-rt-14-dev" ./scripts/install-deps.sh
	@cmake -S . -B $(FUZZ_DIR) $(CMAKE_FLAGS) -DCMAKE_CXX_COMPILER=clang++ -DTASKLIST_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	@tests/fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)
