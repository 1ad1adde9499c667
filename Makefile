# The user's entry point. `make demo` and `make test` work on a fresh Debian 12 machine.

export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true
WERROR := $(if $(CI),ON,OFF)
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test demo asan bench fuzz format clean

all: build

deps:
	@bash scripts/deps

configure: deps
	@cmake --preset default -DQYX_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build --preset default

test: build
	@ctest --preset default

demo: build
	@bash scripts/demo build

asan: deps
	@cmake --preset asan -DQYX_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset asan
	@ctest --preset asan

bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	@bash scripts/run-bench build-bench

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@bash scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build build-asan build-fuzz build-bench
