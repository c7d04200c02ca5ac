# SPDX-License-Identifier: MIT
# Newcomer entry points: `make run` and `make test` (see README.md).
BUILD_DIR ?= build
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: deps configure build run test bench sanitize fuzz clean install package
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

# libFuzzer targets (clang, ASan + UBSan) in their own tree, each run FUZZ_SECONDS from fuzz/corpus/<target>.
fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DDELVO_FUZZ=ON \
		-DDELVO_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_targets
	@./scripts/run-fuzz.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) build-asan build-fuzz
