# The two commands of the README: `make run` and `make test`. Both install what is missing first.
# `make fuzz` builds the fuzz targets with clang in their own folder and runs each for a minute.
BUILD_DIR ?= build
ARGS ?=
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test run clean fuzz

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

fuzz: deps
	@bash fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR)
