# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# What the game needs at run time; the tests and benchmarks come with `make test`.
GAME_TARGETS = trigonet figure_collection
MAKEFLAGS += --no-print-directory

.PHONY: all packages configure build game run test bench package clean

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

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/trigonet-bench
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/trigonet-ui-bench
	./$(BUILD_DIR)/trigonet-sound-bench

# fribo-trigonet_<version>_<arch>.deb in the build folder, laid out as Debian's
# games are: /usr/games/fribo-trigonet, the rest under /usr/share.
package: configure
	cmake -S . -B $(BUILD_DIR) -DCMAKE_INSTALL_PREFIX=/usr -DTRIGONET_INSTALL_BINDIR=games >/dev/null
	cmake --build $(BUILD_DIR) -j $(JOBS) --target package

clean:
	rm -rf $(BUILD_DIR)
