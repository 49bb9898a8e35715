# The two commands of the README: `make run` and `make test`. Both install what is missing first.
# `make install` builds the Debian package (`make package`) and installs it with apt-get.
# `make fuzz` builds the fuzz targets with clang in their own folder and runs each for a minute;
# `make tidy` runs clang-tidy over src/ (docs/testing.md).
BUILD_DIR ?= build
ARGS ?=
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
# Extra CMake arguments for a new build folder (CI: -DCMAKE_COMPILE_WARNING_AS_ERROR=ON).
CMAKE_ARGS ?=

.PHONY: all deps configure build test run package install sanitize clean fuzz tidy

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
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j $$(nproc)

run: build
	./$(BUILD_DIR)/zetgallery $(ARGS)

package: configure
	cmake --build $(BUILD_DIR) --target package

# apt-get takes a package file by a path with a slash, and fetches what the package depends on;
# --reinstall puts a package rebuilt under the same version in place of the installed one.
install: package
	deb=$$(ls -t $(BUILD_DIR)/zetgallery_*.deb | head -n 1) && \
	  $$( [ "$$(id -u)" = 0 ] || echo sudo ) apt-get install -y --reinstall "$$(realpath "$$deb")"

fuzz: deps
	@bash fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

tidy: configure
	@bash tools/install-deps.sh clang-tidy
	bash tools/clang-tidy.sh $(BUILD_DIR)

# The core's tests once more under AddressSanitizer + UndefinedBehaviorSanitizer and the thumbnail
# workers' under ThreadSanitizer, in $(BUILD_DIR)-asan and $(BUILD_DIR)-tsan.
sanitize: deps
	SANITIZE_BUILD_PREFIX=$(abspath $(BUILD_DIR)) CMAKE_ARGS="$(CMAKE_ARGS)" bash tools/sanitize.sh

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-asan $(BUILD_DIR)-tsan $(FUZZ_DIR)
