# SPDX-License-Identifier: GPL-3.0-or-later
# Gobrant: `make play` runs the game, `make test` runs every test. Both set up a fresh
# Debian 12 machine first (packages, configure, build): `make play` only what building and
# running the game needs, `make test` the rest.

# What building and running the game needs.
PLAY_PACKAGES := cmake g++ make pkg-config libsdl1.2-dev libsdl-mixer1.2-dev
# What the tests, tools, benchmarks and the package checks need besides.
TEST_PACKAGES := libgtest-dev libfreetype-dev fonts-dejavu-core xvfb xdotool x11-utils \
                 imagemagick libbenchmark-dev dpkg-dev lintian desktop-file-utils appstream \
                 libsdl2-2.0-0 clang libclang-rt-14-dev libvorbis-dev gnuplot-nox \
                 emscripten chromium sox libsox-fmt-base
# What `make test` installs: the test packages, and npm (the web test's browser driver
# comes from the npm registry) from Debian where there is no npm (a Node.js from elsewhere
# brings its own).
TEST_INSTALL = $(TEST_PACKAGES) $(if $(shell command -v npm),,npm)
PACKAGES := $(PLAY_PACKAGES) $(TEST_PACKAGES)
JOBS ?= $(shell nproc)                # the build and ctest run on every core
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF                       # ON: warnings are errors (the CI sets it)
# apt-get's output goes here; the terminal gets one line saying so.
PACKAGE_LOG := $(CURDIR)/build/packages.log

.PHONY: all deps deps-play configure build build-play play deb test test-plain test-sanitized \
        test-fuzz fuzz fuzz-build replay-update soak bench cpu-share screenshots preview edit \
        levels-report web web-serve web-bench web-profile clean

all: build

# Installs the missing packages of list $(1) with apt-get options $(2) (as root; otherwise
# prints the one line to run).
define install_packages
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    mkdir -p $(dir $(PACKAGE_LOG)); \
	    echo "Installing$$missing (apt-get's output: $(PACKAGE_LOG))"; \
	    { apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $(2) $$missing; } \
	      >> $(PACKAGE_LOG) 2>&1 || { echo "apt-get failed; see $(PACKAGE_LOG)"; exit 1; }; \
	  else \
	    echo "Missing packages. Run:"; echo "  sudo apt-get install -y$(if $(2), $(2))$$missing"; exit 1; \
	  fi; \
	fi
endef

# Without the packages that the play packages only recommend (268 packages become 208 on a
# fresh system: no certificates, manual pages, fonts or D-Bus): the game needs none of them.
deps-play:
	$(call install_packages,$(PLAY_PACKAGES),--no-install-recommends)

deps: deps-play
	$(call install_packages,$(TEST_INSTALL))

configure:
	cmake -S . -B build -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DGOBRANT_WERROR=$(WERROR)

build: deps configure
	cmake --build build -j $(JOBS)

# Only the game (the launcher is written when the build is configured).
build-play: deps-play configure
	cmake --build build -j $(JOBS) --target gobrant

# The built game through the launcher, with a player directory of this checkout's own.
play: build-play
	XDG_DATA_HOME=$(CURDIR)/build/player build/play/gobrant

# The map editor through the launcher on the same player directory: maps are saved there and
# the checkout stays clean. `make edit MAP=name` opens maps/name.txt.
edit: build
	XDG_DATA_HOME=$(CURDIR)/build/player build/play/gobrant --edit $(MAP)

# The game for web browsers in build/web/ (web/): Debian's emscripten with its SDL 1.2
# emulation, objects in build/web-obj/. `make web-serve` serves it on 127.0.0.1 (WEB_PORT).
WEB_ENV := NODE_PATH=/usr/share/nodejs
WEB_PORT ?= 8000

web: build
	$(WEB_ENV) emcmake cmake -S web -B build/web-obj -DCMAKE_BUILD_TYPE=Release
	$(WEB_ENV) cmake --build build/web-obj -j $(JOBS)

web-serve: web
	python3 web/serve.py build/web $(WEB_PORT)

# The web build beside the desktop game in one run (bench/web_bench.sh): download size, first
# frame, frame rate and intervals, processor share. Not part of `make test`.
web-bench: web
	bash bench/web_bench.sh build build/web

# Where the web build's renderer spends its time in play (bench/web_profile.sh): the renderer's
# threads, the page's main thread sampled by function, and a trace summed by event. The build
# in build/web-prof names the wasm functions. Not part of `make test`.
web-profile: web
	$(WEB_ENV) emcmake cmake -S web -B build/web-prof-obj -DCMAKE_BUILD_TYPE=Release \
		-DGOBRANT_WEB_DIR=$(CURDIR)/build/web-prof -DCMAKE_EXE_LINKER_FLAGS=--profiling-funcs
	$(WEB_ENV) cmake --build build/web-prof-obj -j $(JOBS)
	bash bench/web_profile.sh build build/web-prof 8

# The Debian package, in build/deb/.
deb: build
	bash packaging/make_deb.sh build build/deb

test: test-plain test-sanitized test-fuzz

test-plain: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-sanitized: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGOBRANT_SANITIZE=ON -DGOBRANT_WERROR=$(WERROR)
	cmake --build build-asan -j $(JOBS) --target gobrant_tests replay
	cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

# The fuzz targets (fuzz/) in their own clang build; `make test` replays their committed corpora
# and reproducers when clang is installed.
# Every fuzz/<name>.cpp but the shared support is a target (the same rule as CMakeLists.txt).
FUZZ_TARGETS := $(filter-out fuzz_support,$(basename $(notdir $(wildcard fuzz/*.cpp))))
FUZZ_SECONDS ?= 300
FUZZ_MAX_LEN ?= 4096                # for a target without a length of its own below
FUZZ_MAX_LEN_map := 2048
FUZZ_MAX_LEN_lists := 1024
FUZZ_MAX_LEN_texts := 4096
FUZZ_MAX_LEN_config := 1024
FUZZ_MAX_LEN_high_scores := 4096
FUZZ_MAX_LEN_font := 6144
FUZZ_MAX_LEN_bitmap := 6144
FUZZ_MAX_LEN_sound := 8192
FUZZ_ENV := SDL_VIDEODRIVER=dummy ASAN_OPTIONS=quarantine_size_mb=16:malloc_context_size=0

fuzz-build: deps
	cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGOBRANT_FUZZ=ON -DGOBRANT_WERROR=$(WERROR)
	cmake --build build-fuzz -j $(JOBS)

test-fuzz:
	@if command -v clang++ >/dev/null; then $(MAKE) fuzz-build && cd build-fuzz && \
	  $(FUZZ_ENV) ctest --output-on-failure -j $(JOBS); else echo "clang++ missing: fuzz replay skipped"; fi

# Each target runs FUZZ_SECONDS from its seed corpus; new inputs go to build-fuzz/corpus/, and
# an input that makes a target fail lands in fuzz/reproducers/<target>/ to be committed.
fuzz: $(addprefix fuzz-,$(FUZZ_TARGETS))

fuzz-%: fuzz-build
	mkdir -p build-fuzz/corpus/$* fuzz/reproducers/$*
	$(FUZZ_ENV) build-fuzz/fuzz_$* -max_total_time=$(FUZZ_SECONDS) -max_len=$(or $(FUZZ_MAX_LEN_$*),$(FUZZ_MAX_LEN)) \
	  -print_final_stats=1 -artifact_prefix=$(CURDIR)/fuzz/reproducers/$*/ $(CURDIR)/build-fuzz/corpus/$* $(CURDIR)/fuzz/corpus/$*

# Rewrites the expected state hashes of every replay in tests/replay/ from the plain build;
# run it when a change of play behaviour is meant, and say why in the commit.
replay-update: build
	for run in tests/replay/*.run; do build/replay content $$run --write $${run%.run}.hashes >/dev/null || exit 1; done

# 100,000 frames of random play over every level with 1,000 focus losses in the sanitized build.
soak: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGOBRANT_SANITIZE=ON
	cmake --build build-asan -j $(JOBS) --target replay
	build-asan/replay content --soak 100000 1000

# The pacing on the real clock, then every benchmark beside its floor, ending with the table.
bench: build
	build/gobrant_pacing
	build/gobrant_game_bench --benchmark_color=false
	build/gobrant_sound_bench

# The game's processor share and memory on Xvfb, idle in the main menu and in play.
cpu-share: build
	bash bench/cpu_share.sh build/gobrant content

screenshots: build
	bash tests/e2e/screenshots.sh build/gobrant content docs/screenshots

# The automatic player over every shipped level: docs/levels.md with its difficulty curve.
levels-report: build
	bash tools/levels_report.sh build/autoplay content docs

preview: build
	mkdir -p preview && cd content && ../build/skin_preview ../preview

clean:
	rm -rf build build-asan build-fuzz
