# The two commands a newcomer needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all packages configure build run test bench clean

all: build

packages:
	@./tools/install-packages

$(BUILD_DIR)/CMakeCache.txt: | packages
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: packages $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/trigonet

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/trigonet-bench
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/trigonet-ui-bench
	./$(BUILD_DIR)/trigonet-sound-bench

clean:
	rm -rf $(BUILD_DIR)
