# The two entry points: `make run` (the main job) and `make test` (every test,
# in a normal build with warnings as errors and in a sanitizer build).
# Both install what is missing on a Debian 12 machine first.
# Every path is quoted in the recipes: folders with spaces are fine.

JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
GCC_BUILD ?= build-gcc-release
CLANG_BUILD ?= build-clang-release
DEB_BUILD ?= build-deb
VST_DIR ?= $(HOME)/.vst

# $(call configure,FOLDER,CMAKE OPTIONS): configures a build folder once.
configure = test -f "$(1)/CMakeCache.txt" || cmake -S . -B "$(1)" $(2)

# The package's build: Release, the plug-in and the host only, neither
# GoogleTest nor Google Benchmark looked for, with Debian's hardening flags.
DEB_OPTIONS := -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_BUILD_TYPE=Release -DCORVANE_WERROR=ON -DBUILD_TESTING=OFF -DCORVANE_BENCH=OFF \
	-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON

.PHONY: all deps deps-ci build build-asan build-tsan check test test-normal test-asan test-tsan test-install test-package \
	run install uninstall bench deb deb-check ci-builds compat clean format

all: build

deps:
	@./scripts/install-deps.sh

# What the further CI steps and the package need besides: clang, lintian, dpkg-dev.
deps-ci:
	@./scripts/install-deps.sh --ci

build: deps
	$(call configure,$(BUILD),-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON)
	cmake --build "$(BUILD)" -j $(JOBS)

build-asan: deps
	$(call configure,$(ASAN_BUILD),-DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON -DCORVANE_SANITIZE=ON -DCORVANE_BENCH=OFF)
	cmake --build "$(ASAN_BUILD)" -j $(JOBS)

test-normal: build
	./scripts/run-tests.sh "$(BUILD)" -j $(JOBS)

test-asan: build-asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		./scripts/run-tests.sh "$(ASAN_BUILD)" -j $(JOBS)

# Only what crosses threads is built and run under ThreadSanitizer: the
# module with its editor and the threads test.
build-tsan: deps
	$(call configure,$(TSAN_BUILD),-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON -DCORVANE_TSAN=ON -DCORVANE_BENCH=OFF)
	cmake --build "$(TSAN_BUILD)" -j $(JOBS) --target corvane_thread_tests

# The sanitizers read a quoted value whole, spaces and all.
test-tsan: build-tsan
	TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions='$(CURDIR)/tests/tsan.supp'" \
		./scripts/run-tests.sh "$(TSAN_BUILD)" -R '^ThreadSafety\.'

# make install and make uninstall into folders with spaces touch nothing
# but the bundle.
test-install: build
	./scripts/test-install.sh "$(BUILD)"

# The toolkit's package as another project uses it: staged, and the
# projects in examples/ configured against it alone, built and tested.
test-package: build
	./scripts/test-package.sh "$(BUILD)"

# Source checks that need no build: includes go down the layers only, and
# every source is formatted as .clang-format says.
check: deps
	./scripts/check-layers.sh
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

test: check test-normal test-install test-package test-asan test-tsan

# corvane-host on every module of Debian's DPF plug-ins (about a minute and
# a half): one line per module, and a failure if any of them fails.
compat: build
	./scripts/vst-compat.sh --host "$(BUILD)/bin/corvane-host" $$(dpkg -L dpf-plugins-vst | grep '\.so$$')

install: build
	./scripts/vst-bundle.sh install "$(BUILD)/Corvane.vst" "$(VST_DIR)"

uninstall:
	./scripts/vst-bundle.sh uninstall "$(VST_DIR)"

run: install
	VST_DIR="$(VST_DIR)" ./scripts/run.sh "$(BUILD)"

bench: build
	"$(BUILD)/bin/corvane-bench"

# Release with GCC and with clang, tests included, warnings as errors.
ci-builds: deps-ci
	$(call configure,$(GCC_BUILD),-DCMAKE_BUILD_TYPE=Release -DCORVANE_WERROR=ON -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++)
	cmake --build "$(GCC_BUILD)" -j $(JOBS)
	$(call configure,$(CLANG_BUILD),-DCMAKE_BUILD_TYPE=Release -DCORVANE_WERROR=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
	cmake --build "$(CLANG_BUILD)" -j $(JOBS)

# The Debian package, $(DEB_BUILD)/corvane_VERSION_amd64.deb.
deb: deps-ci
	$(call configure,$(DEB_BUILD),$(DEB_OPTIONS) \
		"-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		"-DCMAKE_C_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CFLAGS)" \
		"-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)" \
		"-DCMAKE_MODULE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS)")
	cmake --build "$(DEB_BUILD)" -j $(JOBS)
	cd "$(DEB_BUILD)" && cpack

# The staged install's file list, lintian, and the package installed,
# used and removed again (needs root or sudo).
deb-check: deb
	./scripts/check-package.sh "$(DEB_BUILD)"

format:
	find host effect editor gui lv2 tools tests bench resources examples -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf "$(BUILD)" "$(ASAN_BUILD)" "$(TSAN_BUILD)" "$(GCC_BUILD)" "$(CLANG_BUILD)" "$(DEB_BUILD)" out
