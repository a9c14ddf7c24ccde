# make demo    - build everything and run setup from build/dist under Wine
# make demo-uninstall - then run the installed uninstaller in the same prefix
# make test    - build everything and run every test under Wine
# make release - build and package the distribution folder
BUILD ?= build
MAKEFLAGS += --no-print-directory

.PHONY: all build test demo demo-uninstall release screenshots clean

all: build

build:
	@scripts/bootstrap
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j2

test: build
	@scripts/test $(BUILD)

demo: build
	@scripts/demo $(BUILD)

demo-uninstall: build
	@scripts/demo $(BUILD) --uninstall

release: build
	@scripts/release $(BUILD)

clean:
	@scripts/wine-run --stop 2>/dev/null || true
	rm -rf $(BUILD)
