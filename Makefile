# The two commands of the README: `make run` and `make test`. Each installs what is missing first.
BUILD ?= build

.PHONY: all setup build run test assets clean

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

# Repaints res/ and docs/sprites.png from tools/; commit the result with the change that caused it.
assets: build
	$(BUILD)/tools/make_assets res docs

clean:
	rm -rf $(BUILD)
