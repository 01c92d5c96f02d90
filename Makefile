# The two entry points of the README: `make run` and `make test`. Both install what is missing
# (Debian packages) first.
SHELL := /bin/bash

PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev desktop-file-utils
BENCH_PACKAGES := libbenchmark-dev
PACKAGE_PACKAGES := dpkg-dev file
FUZZ_PACKAGES := clang libclang-rt-dev
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix wine wine64 nsis dpkg-dev perl
FUZZ_TARGETS := exec-file page-file project-file user-file settings text
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= -1
FUZZ_JOBS ?= 1
CRASH_RUNS ?= 1000
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
DEMO_HOME := $(CURDIR)/build/default/demo-home

.PHONY: run test deps bench package fuzz crash-saves windows windows-programs test-windows clean

deps:
	@missing=""; \
	for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	fi

run: deps
	cmake --preset default
	cmake --build --preset default
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	    echo "No display found: start it under Xvfb with  xvfb-run -a make run  (apt-get install xvfb xauth)"; \
	    exit 1; \
	fi
	XDG_CONFIG_HOME=$(DEMO_HOME)/config HOME=$(DEMO_HOME) ./build/default/src/webdef

test: deps
	cmake --preset debug-asan
	cmake --build --preset debug-asan
	ctest --preset debug-asan

bench:
	$(MAKE) deps EXTRA_PACKAGES="$(BENCH_PACKAGES)"
	cmake --preset bench
	cmake --build --preset bench
	cmake --build --preset bench --target run-benchmarks

# Every fuzz target for FUZZ_SECONDS seconds (or FUZZ_RUNS executions), one after the other, each in
# FUZZ_JOBS processes at once; new inputs collect in build/fuzz/work, crashes in build/fuzz/artifacts.
fuzz:
	$(MAKE) deps EXTRA_PACKAGES="$(FUZZ_PACKAGES)"
	cmake --preset fuzz
	cmake --build --preset fuzz
	FUZZ_JOBS=$(FUZZ_JOBS) fuzz/run-fuzzers.sh $(FUZZ_SECONDS) $(FUZZ_RUNS) $(FUZZ_TARGETS)

# Kills a saving program CRASH_RUNS times at random moments and checks every file it was saving.
crash-saves: deps
	cmake --preset debug-asan
	cmake --build --preset debug-asan --target webdef-crashsaves
	./build/debug-asan/tools/crashsaves/webdef-crashsaves --runs $(CRASH_RUNS)

# The Debian package of the editor and the headless tool, in build/default.
package:
	$(MAKE) deps EXTRA_PACKAGES="$(PACKAGE_PACKAGES)"
	cmake --preset default
	cmake --build --preset default
	cd build/default && cpack -G DEB

# The Windows programs, cross-built with MinGW-w64 in build/windows: Qt is built once into
# ~/.cache/fennaro-webdef (about an hour), the programs and tests against it, then the installer
# build/windows/fennaro-webdef-2.2-setup.exe.
windows: windows-programs
	cmake --build --preset windows --target installer

windows-programs:
	$(MAKE) deps EXTRA_PACKAGES="$(WINDOWS_PACKAGES)"
	tools/windows/build-qt.sh
	cmake --preset windows
	cmake --build --preset windows

# Every test of the Windows build under Wine (offscreen), in a Wine prefix inside build/windows.
test-windows: windows-programs
	ctest --preset windows

clean:
	rm -rf build
