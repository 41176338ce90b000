# Gobrant: `make play` runs the game, `make test` runs every test. Both set up a fresh
# Debian 12 machine first (packages, configure, build).

PACKAGES := cmake g++ make pkg-config libsdl1.2-dev libsdl-mixer1.2-dev libgtest-dev libfreetype-dev \
            fonts-dejavu-core xvfb xdotool x11-utils imagemagick libbenchmark-dev \
            dpkg-dev lintian desktop-file-utils appstream libsdl2-2.0-0 clang libclang-rt-14-dev \
            sox libsox-fmt-base
JOBS ?= 2

.PHONY: all deps build play deb test test-plain test-sanitized test-fuzz fuzz fuzz-build \
        replay-update soak bench cpu-share screenshots preview clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages. Run:"; echo "  sudo apt-get install -y$$missing"; exit 1; \
	  fi; \
	fi

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

# The built game through the launcher, with a player directory of this checkout's own.
play: build
	XDG_DATA_HOME=$(CURDIR)/build/player build/play/gobrant

# The Debian package, in build/deb/.
deb: build
	bash packaging/make_deb.sh build build/deb

test: test-plain test-sanitized test-fuzz

test-plain: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-sanitized: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGOBRANT_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

# The fuzz targets (fuzz/) in their own clang build; `make test` replays their committed corpora
# and reproducers when clang is installed.
FUZZ_TARGETS := map lists texts config high_scores font bitmap sound
FUZZ_SECONDS ?= 300
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
	cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGOBRANT_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)

test-fuzz:
	@if command -v clang++ >/dev/null; then $(MAKE) fuzz-build && cd build-fuzz && \
	  $(FUZZ_ENV) ctest --output-on-failure -j $(JOBS); else echo "clang++ missing: fuzz replay skipped"; fi

# Each target runs FUZZ_SECONDS from its seed corpus; new inputs go to build-fuzz/corpus/, and
# an input that makes a target fail lands in fuzz/reproducers/<target>/ to be committed.
fuzz: $(addprefix fuzz-,$(FUZZ_TARGETS))

fuzz-%: fuzz-build
	mkdir -p build-fuzz/corpus/$* fuzz/reproducers/$*
	$(FUZZ_ENV) build-fuzz/fuzz_$* -max_total_time=$(FUZZ_SECONDS) -max_len=$(FUZZ_MAX_LEN_$*) \
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

preview: build
	mkdir -p preview && cd content && ../build/skin_preview ../preview

clean:
	rm -rf build build-asan build-fuzz
