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

# The program and res/ side by side in PREFIX/lib/grimfathom/, a launcher in PREFIX/bin, the
# desktop entry and icons in PREFIX/share. `make package` packs the same layout into a .deb in $(BUILD)/.
PREFIX ?= /usr/local
.PHONY: install package

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack
