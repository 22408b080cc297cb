# TK70 Pro: the two everyday commands are `make run` and `make test`.
# Everything else is a building block of those two, or an extra for developers.

BUILD      ?= build
TSAN_BUILD ?= build-tsan
TSAN_APP_BUILD ?= build-tsan-app
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 15
JOBS       ?= $(shell nproc)

# Warnings are errors in every build made through make, whatever a plain build set.
CMAKE_GEN  = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTK70_WERROR=ON

.PHONY: all setup configure build run test check-layers test-main test-tsan test-tsan-app test-asan fuzz tidy bench soak install clean

all: build

setup:
	@scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Starts the CIU simulator on a pseudo-terminal and TK70 collecting the demo selection from
# it: with its window when there is a display, headless otherwise.
run: build
	@scripts/run-demo.sh $(BUILD)

test: build
	$(MAKE) --no-print-directory check-layers test-main test-tsan fuzz

# Which folder may include or link which: the table in docs/architecture.md.
check-layers:
	@python3 scripts/check-layers.py

test-main:
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The driver and the simulator once more under ThreadSanitizer: the claim protocol and
# the flag handshakes between the program thread and the collection thread.
test-tsan: setup
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_GEN) -DTK70_SANITIZE=thread -DTK70_DRIVER_ONLY=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -L driver -j $(JOBS)

# The program collecting from the simulator in-process, its thread meeting the driver's,
# under ThreadSanitizer.  A whole Qt build, so not part of make test.
test-tsan-app: setup
	cmake -S . -B $(TSAN_APP_BUILD) $(CMAKE_GEN) -DTK70_SANITIZE=thread
	cmake --build $(TSAN_APP_BUILD) -j $(JOBS) --target headless-tests collect-tests
	cd $(TSAN_APP_BUILD) && TSAN_OPTIONS="halt_on_error=1" bin/headless-tests --gtest_filter='HeadlessTest.*'
	cd $(TSAN_APP_BUILD) && TSAN_OPTIONS="halt_on_error=1" bin/collect-tests

test-asan: setup
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DTK70_SANITIZE=address
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# libFuzzer targets over the parsers, each for a bounded time.
fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DTK70_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The checks of .clang-tidy over every source file of the build (not the generated ones).
# Not part of make test: it takes most of an hour on two cores.
tidy: build
	run-clang-tidy -p $(BUILD) -quiet -j $(JOBS) '^$(CURDIR)/(?!build)'

# Installs under PREFIX (default /usr/local) and registers the .tsf file type.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	-update-mime-database $(PREFIX)/share/mime 2>/dev/null
	-update-desktop-database $(PREFIX)/share/applications 2>/dev/null

bench: build
	$(BUILD)/bin/vantor-bench
	$(BUILD)/bin/collect-bench
	$(BUILD)/bin/chart-bench
	$(BUILD)/bin/trend-bench
	$(BUILD)/bin/dde-bench
	$(BUILD)/bin/history-bench
	$(BUILD)/bin/historian-bench

# Not part of make test: SOAK_MINUTES (default 60) of every simulator fault in turn
# against a headless collection at 9600 baud with wire time.
soak: build
	python3 scripts/soak.py $(BUILD)

clean:
	rm -rf $(BUILD) $(TSAN_BUILD) $(TSAN_APP_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
