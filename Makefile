# Quick start: `make run` plays, `make test` runs every test. Both install missing packages first.
BUILD ?= build
BUILD_TYPE ?= Release

.PHONY: all build run test deps deps-test clean

all: build

build: $(BUILD)/build.ninja
	cmake --build $(BUILD)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

deps:
	bash scripts/install-deps.sh run

deps-test:
	bash scripts/install-deps.sh test

run: deps
	$(MAKE) build
	./$(BUILD)/quarnel

test: deps-test
	$(MAKE) build
	cd $(BUILD) && ctest --output-on-failure -j2

clean:
	rm -rf $(BUILD)
