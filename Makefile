# The two entry points: `make run` (the main job) and `make test` (every test,
# in a normal build with warnings as errors and in a sanitizer build).
# Both install what is missing on a Debian 12 machine first.

JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
VST_DIR ?= $(HOME)/.vst
HOST := $(BUILD)/bin/corvane-host
PLUGIN := $(BUILD)/Corvane.vst/Contents/x86_64-linux/Corvane.so

.PHONY: all deps build build-asan build-tsan check compat test test-normal test-asan test-tsan run install bench clean format

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON -DCORVANE_SANITIZE=ON -DCORVANE_BENCH=OFF

$(TSAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON -DCORVANE_TSAN=ON -DCORVANE_BENCH=OFF

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-normal: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

# Only what crosses threads is built and run under ThreadSanitizer: the
# module with its editor and the threads test.
build-tsan: deps $(TSAN_BUILD)/CMakeCache.txt
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target corvane_thread_tests

test-tsan: build-tsan
	cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/tsan.supp \
		ctest --output-on-failure -R '^ThreadSafety\.'

# Source checks that need no build: includes go down the layers only.
check:
	./scripts/check-layers.sh

# corvane-host on every module of Debian's DPF plug-ins (about a minute and
# a half): one line per module, and a failure if any of them fails.
compat: build
	./scripts/vst-compat.sh --host $(HOST) $$(dpkg -L dpf-plugins-vst | grep '\.so$$')

test: check test-normal test-asan test-tsan

install: build
	mkdir -p $(VST_DIR)
	rm -rf $(VST_DIR)/Corvane.vst
	cp -r $(BUILD)/Corvane.vst $(VST_DIR)/

run: install
	./scripts/run.sh $(BUILD)

bench: build
	$(BUILD)/bin/corvane-bench

format:
	find host effect editor gui tools tests bench resources -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) out
