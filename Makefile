# The two commands of the README: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build

.PHONY: all setup build run test clean

all: build

setup:
	@bash scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j2

run: build
	cd $(BUILD) && ./grimfathom

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

clean:
	rm -rf $(BUILD)
