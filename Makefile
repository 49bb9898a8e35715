# The two commands of the README: `make run` and `make test`. Both install what is missing first.
BUILD_DIR ?= build
ARGS ?=
# Extra CMake arguments for a new build folder (CI: -DCMAKE_COMPILE_WARNING_AS_ERROR=ON).
CMAKE_ARGS ?=

.PHONY: all deps configure build test run sanitize clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS); \
	fi

build: configure
	cmake --build $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300

run: build
	./$(BUILD_DIR)/zetgallery $(ARGS)

# The core's tests once more under AddressSanitizer + UndefinedBehaviorSanitizer and the thumbnail
# workers' under ThreadSanitizer, in $(BUILD_DIR)-asan and $(BUILD_DIR)-tsan.
sanitize: deps
	SANITIZE_BUILD_PREFIX=$(abspath $(BUILD_DIR)) CMAKE_ARGS="$(CMAKE_ARGS)" bash tools/sanitize.sh

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-asan $(BUILD_DIR)-tsan
