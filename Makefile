# The two entry points: `make run` and `make test`. Both install missing
# Debian packages first (see tools/install-deps).
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps configure build run test package clean

all: build

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/varendo

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD)
