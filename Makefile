# Thin wrapper over scripts/ and cmake. `make run` and `make test` install what is missing first.
BUILD_DIR ?= build

.PHONY: all deps build run test bench fuzz package clean

all: build

deps:
	@scripts/install-deps

build: deps
	@scripts/build release

run: build
	@scripts/run-app

test: deps
	@scripts/test

bench: deps
	@scripts/bench

fuzz: deps
	@scripts/fuzz

package: build
	@scripts/package

clean:
	rm -rf $(BUILD_DIR)
