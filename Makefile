# Gobrant: `make play` runs the game, `make test` runs every test. Both set up a fresh
# Debian 12 machine first (packages, configure, build).

PACKAGES := cmake g++ make pkg-config libsdl1.2-dev libgtest-dev libfreetype-dev \
            fonts-dejavu-core xvfb xdotool x11-utils imagemagick libbenchmark-dev
JOBS ?= 2

.PHONY: all deps build play test test-plain test-sanitized bench cpu-share screenshots preview clean

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

play: build
	cd content && ../build/gobrant

test: test-plain test-sanitized

test-plain: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-sanitized: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGOBRANT_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j $(JOBS)

# The pacing on the real clock, then every benchmark beside its floor, ending with the table.
bench: build
	build/gobrant_pacing
	build/gobrant_game_bench --benchmark_color=false

# The game's processor share and memory on Xvfb, idle in the main menu and in play.
cpu-share: build
	bash bench/cpu_share.sh build/gobrant content

screenshots: build
	bash tests/e2e/screenshots.sh build/gobrant content docs/screenshots

preview: build
	mkdir -p preview && cd content && ../build/skin_preview ../preview

clean:
	rm -rf build build-asan
