# make demo    - build, then run setup from the distribution folder under Wine
# make demo-uninstall - then run the installed uninstaller in the same prefix
# make test    - build and run every test under Wine
# make release - build the shipped i686 programs, check what they import, zip
#                the distribution folder with them and fill in the winget manifest
#
# Tests and demos run as i686 (build/) where this host runs 32-bit programs,
# and otherwise as x86_64 (build-x86_64/); VEXLO_TEST_ARCH=i686|x86_64 forces
# one. What ships is always the i686 build.
MAKEFLAGS += --no-print-directory

.PHONY: all build test demo demo-uninstall release clean

all: build

build:
	@scripts/build i686 >/dev/null

test:
	@scripts/test

demo:
	@scripts/demo

demo-uninstall:
	@scripts/demo --uninstall

release: build
	@scripts/release build

clean:
	@for build in build build-x86_64; do VEXLO_BUILD_DIR=$$build scripts/wine-run --stop 2>/dev/null || true; done
	rm -rf build build-x86_64
