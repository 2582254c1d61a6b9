# Every way to build, check, package and measure Grimfathom; the README says which is for whom.
# Each target installs the Debian packages it needs first (scripts/setup.sh) and builds only what
# it uses: `make run` needs the game alone.
BUILD ?= build
# The version, read here once from project() in CMakeLists.txt, where it is written; it names what
# the packaging targets make. (A dot matches project's bracket, which make would count as its own.)
VERSION := $(shell sed -n 's/^project.Grimfathom VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Time stamps in what the builds make are the last commit's, as Debian's tools take them from
# SOURCE_DATE_EPOCH, so that one commit gives the same bytes; an unpacked source tarball, which
# has no git, has its files dated by that commit.
ifndef SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH := $(shell [ -e .git ] && git log -1 --format=%ct || stat -c %Y CMakeLists.txt)
endif
export SOURCE_DATE_EPOCH

.PHONY: all configure build build-all run test test-sanitize soak memcheck assets clean

all: build

configure:
	@cmake -S . -B "$(BUILD)" >/dev/null

build:
	@bash scripts/setup.sh play
	@$(MAKE) --no-print-directory configure
	@cmake --build "$(BUILD)" -j2 --target grimfathom

run: build
	cd "$(BUILD)" && ./grimfathom

# Every target: the game, the test programs, the asset generator and the package tests.
build-all:
	@bash scripts/setup.sh play test
	@$(MAKE) --no-print-directory configure
	@cmake --build "$(BUILD)" -j2

test: build-all
	cd "$(BUILD)" && ctest --output-on-failure --no-tests=error -j2

# The whole suite RUNS times (default 3) beside two busy loops, to show it holds on a loaded
# machine; each run's failures are listed. SUITE=sanitize takes the sanitizer suite instead, built
# as `make test-sanitize` builds it. Not part of CI.
RUNS ?= 3
SUITE ?= plain
.PHONY: test-busy
ifeq ($(SUITE),sanitize)
test-busy: sanitize-build
	@$(SANITIZER_ENV) bash tests/busy.sh $(RUNS) "$(SANITIZE_BUILD)"
else ifeq ($(SUITE),plain)
test-busy: build-all
	@bash tests/busy.sh $(RUNS) "$(BUILD)"
else
test-busy:
	@echo "make test-busy: SUITE is plain or sanitize, not '$(SUITE)'" >&2; exit 2
endif

# The whole suite again, game and tests built with AddressSanitizer and UBSan in a folder of
# their own. What libraries outside our code keep is dealt with in tests/sanitizers/.
#
# intercept_tls_get_addr=0: up to GCC 13 and LLVM 16 (here GCC 12's libasan8 and clang 14's
# runtime) the sanitizer runtime mistakes a thread-local block that glibc allocates 16 bytes past
# a page boundary for one laid out as by glibc 2.18 and older, takes its bounds from the bytes
# before it, and LeakSanitizer's tracer faults at exit ("Tracer caught signal 11"). Mesa's
# llvmpipe loads libLLVM, which has such blocks; where they fall depends on the allocations
# before them, so the game failed now and then, more often on a busy machine. Leak checking
# still reaches those blocks through glibc's own pointers. It can go once both runtimes are
# newer: GCC 14 and LLVM 17 ask their allocator for the block's bounds.
SANITIZE_BUILD ?= build-sanitize
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:check_initialization_order=1:intercept_tls_get_addr=0 \
	LSAN_OPTIONS="suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0" \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
.PHONY: sanitize-build

sanitize-build:
	@bash scripts/setup.sh play test
	@cmake -S . -B "$(SANITIZE_BUILD)" -DGRIMFATHOM_SANITIZE=ON >/dev/null
	@cmake --build "$(SANITIZE_BUILD)" -j2

test-sanitize: sanitize-build
	cd "$(SANITIZE_BUILD)" && $(SANITIZER_ENV) ctest --output-on-failure -j2

# Two and a half minutes of scripted random play on the built game, its memory sampled.
soak: build-all
	cd "$(BUILD)" && "$(CURDIR)/tests/with-display.sh" tests/soak_session

# A short scripted session of the built game under valgrind's memcheck.
memcheck: build-all
	cd "$(BUILD)" && "$(CURDIR)/tests/with-display.sh" tests/memcheck_session

# Repaints, from tools/, res/, the package's icons packaging/icons/, Windows' windows/grimfathom.ico,
# the web page's icons, touch controls and poster web/page/*.png, and the contact sheet
# docs/sprites.png; commit the result with the change that caused it.
assets: build
	@cmake --build "$(BUILD)" -j2 --target make_assets
	"$(BUILD)/tools/make_assets" .

# Every build folder but the fuzzer's, whose corpus and findings are what earlier runs found.
clean:
	rm -rf "$(BUILD)" "$(SANITIZE_BUILD)" "$(BENCH_BUILD)" "$(WINDOWS_BUILD)" "$(WEB_BUILD)"

# The program and res/ side by side in PREFIX/lib/grimfathom/, a launcher in PREFIX/bin, the
# manual, desktop entry, AppStream metadata and icons in PREFIX/share.
PREFIX ?= /usr/local
.PHONY: install package package-check

install: build
	cmake --install "$(BUILD)" --prefix "$(PREFIX)"

# The Debian packages, built by dpkg-buildpackage from a copy of the tree in $(BUILD)/package/,
# which receives the .deb. `make package-check` holds them to lintian, appstreamcli,
# desktop-file-validate and man, then runs the package tests on the .deb.
package:
	@bash scripts/setup.sh play package
	@bash packaging/build-deb.sh "$(BUILD)/package"

package-check: package build-all
	@bash packaging/check-package.sh "$(BUILD)/package"
	cd "$(BUILD)" && "$(CURDIR)/tests/with-display.sh" packaging/package_test

# Debian's CI on the .deb: autopkgtest's null runner installs it on this machine for the run (and
# purges it after, unless it was installed before) and runs debian/tests/smoke. Root or sudo.
.PHONY: autopkgtest
autopkgtest: package
	@bash scripts/setup.sh autopkgtest
	@bash packaging/autopkgtest.sh "$(BUILD)/package"

# Frame and start-up timings on a virtual display, silent as tests/with-display.sh makes it; not part
# of `make test`. Built in a folder of its own beside res/, and run from there to find "../res/".
BENCH_BUILD ?= build-bench
.PHONY: bench

bench:
	@bash scripts/setup.sh play bench
	@cmake -S . -B "$(BENCH_BUILD)" -DGRIMFATHOM_BENCHMARKS=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build "$(BENCH_BUILD)" -j2 --target grimfathom frame_bench
	cd "$(BENCH_BUILD)" && "$(CURDIR)/tests/with-display.sh" bench/frame_bench

# Coverage-guided fuzzing of the picture and sound loaders with libFuzzer, FUZZ_SECONDS per
# target; not part of `make test`. SFML is built from Debian's source with the same
# instrumentation (fuzz/build-sfml.sh, cached until its flags change); the corpora grow in
# $(FUZZ_BUILD)/corpus from run to run. FUZZ_FLAGS adds libFuzzer options, e.g. -fork=1
# -ignore_crashes=1 to go on after a finding.
# A finding is a fault in our code or SFML: what libraries outside them keep is dealt with in
# tests/sanitizers/, as for the sanitizer suite.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300
FUZZ_FLAGS ?=
.PHONY: fuzz

fuzz:
	@bash scripts/setup.sh fuzz
	@sfml=$$(bash fuzz/build-sfml.sh) && CC=clang CXX=clang++ cmake -S . -B "$(FUZZ_BUILD)" \
		-DGRIMFATHOM_FUZZ=ON -DBUILD_TESTING=OFF -DSFML_DIR="$$sfml/lib/cmake/SFML" >/dev/null
	@cmake --build "$(FUZZ_BUILD)" -j2 --target picture_fuzzer sound_fuzzer
	bash fuzz/run.sh "$(FUZZ_BUILD)" $(FUZZ_SECONDS) sounds $(FUZZ_FLAGS)
	bash fuzz/run.sh "$(FUZZ_BUILD)" $(FUZZ_SECONDS) pictures $(FUZZ_FLAGS)

# The game for 64-bit Windows, cross-built with MinGW against SFML, OpenAL Soft and their codecs
# built from Debian's sources (once, cached), and packed by windows/build-zip.sh into
# $(WINDOWS_ZIP). `make test-windows` plays that zip's program under Wine on a virtual display.
# Neither is part of `make test`.
WINDOWS_BUILD ?= build-windows
WINDOWS_ZIP = $(WINDOWS_BUILD)/grimfathom-$(VERSION)-windows-x64.zip
.PHONY: windows test-windows

windows:
	@bash scripts/setup.sh windows
	@bash windows/build-zip.sh "$(WINDOWS_BUILD)" "$(WINDOWS_ZIP)"

test-windows: windows
	@bash scripts/setup.sh play test windows
	@$(MAKE) --no-print-directory configure
	@cmake --build "$(BUILD)" -j2 --target windows_session
	bash windows/test.sh "$(WINDOWS_ZIP)" "$(BUILD)/tests/windows_session"

# The README's `make test` and `make package-check`, then `make web test-web`, on a clean clone of
# the current commit in a bare chroot of the Debian release RELEASE names (trixie for Debian 13,
# forky for testing). Root or sudo. Each release's bare chroot, the .debs it downloads and the
# system libraries its Emscripten compiles are kept in the cache, under debian/RELEASE/;
# `bash scripts/test-debian.sh RELEASE COMMAND` runs any other command there.
.PHONY: test-debian

test-debian:
ifneq ($(origin RELEASE),command line)
	@echo "make test-debian: name a Debian release, as in make test-debian RELEASE=trixie" >&2; exit 2
endif
	@bash scripts/setup.sh debian-chroot
	bash scripts/test-debian.sh $(RELEASE) 'make test && make package-check && make web test-web'

# The game in a web page: SFML built for the web from Debian's source with our browser backend
# (web/build-sfml.sh, cached), the game linked against it, and the site laid out in
# $(WEB_BUILD)/site/ and zipped as $(WEB_ZIP) (web/build-site.sh).
# `make serve-web` serves the site on loopback; `make test-web` plays it in Debian's headless
# Chromium, at a desktop (web/test.mjs) and on a phone and in a portal's frame (web/test-touch.mjs),
# then at a desktop in Debian's Firefox ESR on a virtual display; `make bench-web` measures its
# frame rate and time to the first frame, and audits its load with Lighthouse (web/lighthouse.mjs).
# None is part of `make test`.
WEB_BUILD ?= build-web
WEB_ZIP = $(WEB_BUILD)/grimfathom-$(VERSION)-web.zip
PORT ?= 8000
.PHONY: web serve-web test-web bench-web

web:
	@bash scripts/setup.sh web
	@bash web/build-site.sh "$(WEB_BUILD)" "$(WEB_ZIP)"

serve-web: web
	node web/serve.mjs "$(WEB_BUILD)/site" "$(PORT)"

# puppeteer-core as web/package-lock.json pins it; it drives Debian's browsers and downloads none.
web/node_modules/.package-lock.json: web/package-lock.json
	@command -v npm >/dev/null || bash scripts/setup.sh npm
	cd web && npm ci --no-audit --no-fund

test-web: web web/node_modules/.package-lock.json
	GRIMFATHOM_SITE="$(WEB_BUILD)/site" node --test web/test.mjs web/test-touch.mjs
	GRIMFATHOM_SITE="$(WEB_BUILD)/site" GRIMFATHOM_BROWSER=firefox tests/with-display.sh node --test web/test.mjs

bench-web: web web/node_modules/.package-lock.json
	GRIMFATHOM_SITE="$(WEB_BUILD)/site" node web/bench.mjs

# A release of the committed tree in $(RELEASE): the source tarball, and built from it the .deb and
# the Windows and web zips, with SHA256SUMS over them (scripts/release.sh). `make release-check`
# makes it twice, from two clones that differ in path, time zone, locale, user, clock and the
# cache's place, and fails unless the sums agree; on a difference both releases stay in
# $(BUILD)/release-check/.
RELEASE ?= $(BUILD)/release
.PHONY: release release-check

release:
	@bash scripts/setup.sh play package windows web
	@bash scripts/release.sh "$(RELEASE)" "$(VERSION)"

release-check:
	@bash scripts/setup.sh play package windows web release-check
	@bash scripts/check-release.sh "$(BUILD)/release-check"
