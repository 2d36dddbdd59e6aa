# The two entry points: `make run` and `make test`. Both install missing
# Debian packages first (see tools/install-deps).
BUILD ?= build
JOBS  ?= $(shell nproc)
FUZZ_SECONDS ?= 300
VERSION := $(shell grep -m1 -o 'Varendo VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)

.PHONY: all deps configure build run test package fuzz-build fuzz test-sanitize bench clean windows deps-windows test-windows web deps-web run-web test-web

all: build

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/varendo

# The suite, then each fuzz target briefly on its committed seeds.
test: build fuzz-build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd build-fuzz && ctest --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD) && cpack

fuzz-build: deps
	@cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build build-fuzz -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS; new inputs go to build-fuzz/corpus-*.
fuzz: fuzz-build
	@for t in parse run quantile noncentral correlation binomial; do \
	  mkdir -p build-fuzz/corpus-$$t; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  ASAN_OPTIONS=detect_leaks=0 build-fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=2 \
	    -print_final_stats=1 build-fuzz/corpus-$$t tests/fuzz/corpus/$$t 2>&1 \
	    | grep -E 'stat::number_of_executed_units|ERROR|broken|SUMMARY|Done' ; \
	done

# The whole suite built with the address and undefined-behaviour sanitizers.
test-sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARENDO_SANITIZE=ON >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

bench:
	tools/bench

clean:
	rm -rf $(BUILD) build-fuzz build-sanitize build-windows build-web

# The Windows program, cross-built: Varendo.exe, a portable zip and an installer.
WINDOWS := build-windows
windows: deps-windows
	@cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WINDOWS) -j $(JOBS)
	@tools/windows/package $(WINDOWS)

deps-windows:
	@tools/install-deps --windows

# Everything about the Windows program under Wine: the engine, run and window
# tests, then the installer in a fresh prefix.
test-windows: windows
	cd $(WINDOWS) && ../tools/windows/session ctest --output-on-failure -j $(JOBS)
	WINEPREFIX=$$(mktemp -d) tools/windows/session tests/platform/win32/check_installer.sh $(WINDOWS)/varendo-$(VERSION)-setup.exe

# The browser's program: build-web/varendo.html, one file with everything
# inside. Debian's Emscripten finds its JavaScript parser through NODE_PATH,
# and is a Python program best run by Debian's own Python.
WEB := build-web
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs PATH=/usr/bin:$$PATH
web: deps-web
	@$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CROSSCOMPILING_EMULATOR=$$(command -v node) >/dev/null
	@$(EMSCRIPTEN_ENV) cmake --build $(WEB) -j $(JOBS) --target varendo_page
	@echo "$(WEB)/varendo.html: $$(stat -c %s $(WEB)/varendo.html) bytes"

deps-web:
	@tools/install-deps --web

# Opens the page in the machine's browser, where there is one and a display
# (Chromium as root only without its sandbox).
run-web: web
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ] && [ "$$(id -u)" = 0 ] && command -v chromium >/dev/null; then \
	  chromium --no-sandbox $(WEB)/varendo.html; \
	elif [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ] && command -v xdg-open >/dev/null; then \
	  xdg-open $(WEB)/varendo.html; \
	else \
	  echo "No display to open a browser on; open $(abspath $(WEB))/varendo.html in one."; \
	fi

# The engine and number-text tests under Node, then the page in headless
# Chromium, in the default language and in German.
test-web: web
	@$(EMSCRIPTEN_ENV) cmake --build $(WEB) -j $(JOBS)
	cd $(WEB) && $(EMSCRIPTEN_ENV) ctest --output-on-failure -j $(JOBS)
