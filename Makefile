# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD_DIR ?= build
ARGS ?=

.PHONY: all deps configure build test run clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; \
	fi

build: configure
	cmake --build $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300

run: build
	./$(BUILD_DIR)/zetgallery $(ARGS)

clean:
	rm -rf $(BUILD_DIR)
