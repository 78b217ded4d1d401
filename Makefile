# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# What the game needs at run time; the tests and benchmarks come with `make test`.
GAME_TARGETS = trigonet figure_collection
MAKEFLAGS += --no-print-directory

.PHONY: all packages configure build game run test test-quick bench package clean

all: build

packages:
	@./tools/install-packages

# ccache, where a developer has it, makes rebuilds in a second checkout quick.
CCACHE = $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

$(BUILD_DIR)/CMakeCache.txt: | packages
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE)

configure: packages $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

game: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(GAME_TARGETS)

run: game
	./$(BUILD_DIR)/fribo-trigonet

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same without the tests that start servers and compositors (label "server":
# sound servers, Xvfb and openbox, weston, the installed game).
test-quick: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE server

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/trigonet-bench
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/trigonet-ui-bench
	./$(BUILD_DIR)/trigonet-sound-bench

# fribo-trigonet_<version>_<arch>.deb in a build folder of its own, laid out as
# Debian's games are: /usr/games/fribo-trigonet, the rest under /usr/share. Only
# what is packaged is built (no tests, no benchmarks), with Debian's hardening
# flags; `build/` keeps its own prefix.
PACKAGE_DIR = build-package
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: packages
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE) \
	    -DCMAKE_INSTALL_PREFIX=/usr -DTRIGONET_INSTALL_BINDIR=games \
	    -DBUILD_TESTING=OFF -DTRIGONET_BENCHMARKS=OFF \
	    -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" >/dev/null
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target package

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR)
