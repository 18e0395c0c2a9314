# Entry points. Every target installs what it needs first (scripts/install-deps
# is idempotent and quick when everything is present).

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
PREFIX     ?= /usr/local
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN  := -G "Unix Makefiles"

.PHONY: all deps configure build install package run check test asan bench fuzz windows wine-test format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Installs Quill, quill-cli, the help pages, the desktop entry, the icons and
# the manual page under PREFIX (DESTDIR is honoured for packaging).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package of what `make install` puts under /usr, copied here:
# `apt install ./quill_*.deb` installs it.
package: build
	@rm -f quill_*.deb
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@cp $(BUILD)/quill_*.deb .
	@ls quill_*.deb

run: build
	@scripts/run-demo $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every test (core, window, quill-cli) built with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the test that caused it.
asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DQUILL_SANITIZE=ON \
	    -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

windows: deps
	@scripts/build-windows

# DriverSetup.exe against a stub installer, and quill-cli.exe against the
# native quill-cli on a Windows-path copy of examples/.
wine-test: windows build
	@status=0; scripts/test-driversetup-wine || status=1; scripts/test-cli-wine || status=1; exit $$status

check: test asan fuzz-smoke wine-test
	@echo "make check: all tests passed"

bench: build
	@scripts/run-bench $(BUILD)

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DQUILL_CORE_ONLY=ON \
	    -DQUILL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Each fuzz target briefly (part of make check), or for a minute.
fuzz-smoke: fuzz-build
	@FUZZ_SECONDS=10 scripts/run-fuzz $(FUZZ_BUILD)

fuzz: fuzz-build
	@FUZZ_SECONDS=$${FUZZ_SECONDS:-60} scripts/run-fuzz $(FUZZ_BUILD)

format:
	@find core window cli driversetup tests bench \
	    \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) build-win32 build-win64
