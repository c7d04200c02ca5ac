# SPDX-License-Identifier: MIT
# Newcomer entry points: `make run` and `make test` (see README.md).
BUILD_DIR ?= build
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: deps configure build run test bench sanitize coverage mutate fuzz clean install package windows windows-batch-check \
	windows-check
FUZZ_SECONDS ?= 30

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)/app/tallyx

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

# PREFIX=/usr/local by default; DESTDIR works as usual.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package (build/delvocalculator_*.deb) that installs into /opt/delvocalculator.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

bench: build
	@./scripts/run-bench.sh $(BUILD_DIR)

sanitize:
	@$(MAKE) test BUILD_DIR=build-asan CMAKE_FLAGS="-DDELVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DDELVO_BUILD_BENCH=OFF $(CMAKE_FLAGS)"

# The whole suite built with gcov instrumentation in its own tree, then lines and branches per folder and an HTML
# report in build-coverage/coverage/index.html (docs/quality.md). Counts from an earlier run are cleared first.
coverage: deps
	@cmake -S . -B build-coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDELVO_COVERAGE=ON -DDELVO_BUILD_BENCH=OFF \
		$(CMAKE_FLAGS) >/dev/null
	@cmake --build build-coverage -j$(JOBS)
	@find build-coverage -name '*.gcda' -delete
	@cd build-coverage && ctest --output-on-failure -j$(JOBS)
	@./scripts/coverage.py build-coverage

# Single-token mutants of engine/, libs/math and libs/file against the tests that link them, in build-mutate/
# (docs/quality.md); MUTATE_FILES and MUTATE_LIMIT narrow a run.
mutate: deps
	@./scripts/mutate.py

# libFuzzer targets (clang, ASan + UBSan) in their own tree, each run FUZZ_SECONDS from fuzz/corpus/<target>.
fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DDELVO_FUZZ=ON \
		-DDELVO_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_targets
	@./scripts/run-fuzz.sh build-fuzz $(FUZZ_SECONDS)

# Windows, cross-built with mingw-w64 and tested under wine (see README.md, "Windows"). The dependencies are
# built once per version into ~/.cache/delvo-windows (scripts/windows/build-deps.sh).
WINDOWS_CMAKE = cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
# The wine prefix is made once, before tests start several wine processes at a time.
WINE_PREFIX_READY = [ -d "$${WINEPREFIX:-$$HOME/.wine}" ] || { WINEDEBUG=-all DISPLAY= wineboot -i >/dev/null 2>&1; \
	wineserver -w; }

# tallyx.exe, tallyx_window.dll and the installer DelvoCalculator-<version>-setup.exe in build-windows/.
windows:
	@./scripts/windows/install-deps.sh
	@deps=$$(JOBS=$(JOBS) ./scripts/windows/build-deps.sh --window) && \
	  $(WINDOWS_CMAKE) -S . -B build-windows -DDELVO_WINDOWS_DEPS="$$deps" >/dev/null
	@cmake --build build-windows -j$(JOBS)

# The program without its window (batch mode), and the GUI-free tests under wine: quick, for every CI run.
windows-batch-check:
	@./scripts/windows/install-deps.sh
	@deps=$$(JOBS=$(JOBS) ./scripts/windows/build-deps.sh) && \
	  $(WINDOWS_CMAKE) -S . -B build-windows-batch -DDELVO_WINDOW=OFF -DDELVO_WINDOWS_DEPS="$$deps" >/dev/null
	@cmake --build build-windows-batch -j$(JOBS)
	@$(WINE_PREFIX_READY)
	@cd build-windows-batch && ctest --output-on-failure -j$(JOBS)

# Everything under wine: the GUI-free tests, the window, the update check and the installer.
windows-check: windows
	@$(WINE_PREFIX_READY)
	@cd build-windows && ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD_DIR) build-asan build-coverage build-mutate build-fuzz build-windows build-windows-batch
