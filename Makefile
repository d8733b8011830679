# Front door over CMake. `make` builds the native and the Windows build under build/;
# `make test` and `make run` first install whatever is missing from Debian's packages.
JOBS ?= $(shell nproc)
NATIVE  := build/native
WINDOWS := build/windows
FUZZ    := build/fuzz
RELEASE := build/release
PREFIX  ?= /usr/local

.PHONY: all deps native windows fuzz release clock test run run-windows dist deb bench install format clean

all: native windows

deps:
	@scripts/install-deps.sh

native:
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_SANITIZE=ON -DQUARVEL_WERROR=ON \
	  -DQUARVEL_WINDOWS_BUILD=$(abspath $(WINDOWS)) -DQUARVEL_FUZZ_BUILD=$(abspath $(FUZZ))
	cmake --build $(NATIVE) -j $(JOBS)

windows:
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DQUARVEL_WERROR=ON \
	  -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake)
	cmake --build $(WINDOWS) -j $(JOBS)

fuzz:
	CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARVEL_FUZZ=ON -DQUARVEL_WERROR=ON
	cmake --build $(FUZZ) -j $(JOBS)

release:
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(RELEASE) -j $(JOBS)

# The Linux clock alone, as users run and install it.
clock:
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(RELEASE) -j $(JOBS) --target quarvel

# The end-to-end tests mostly wait for windows, so twice as many as the cores run at once; on a
# busy machine their waits stretch (E2E_PATIENCE in tests/e2e/lib.sh) rather than fail.
test: deps
	$(MAKE) native windows fuzz
	cd $(NATIVE) && ctest --output-on-failure -j $$((2 * $(JOBS)))

# The native Linux clock with its skin editor; the Windows build under Wine is `make run-windows`.
run: deps
	$(MAKE) clock
	cmake --build $(RELEASE) -j $(JOBS) --target qvedit
	scripts/run-clock.sh $(RELEASE)

run-windows: deps
	$(MAKE) windows
	scripts/run-clock.sh $(WINDOWS)

# The release zip: build/dist/quarvel-<version>.zip.
VERSION = $(shell sed -n 's/^project.quarvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist: deps
	$(MAKE) windows
	scripts/make-dist.sh $(WINDOWS) build/dist/quarvel-$(VERSION).zip

# The Debian package: build/deb/quarvel_<version>_<arch>.deb, with dpkg-buildpackage.
deb:
	scripts/install-deps.sh deb
	scripts/make-deb.sh build/deb

bench: deps
	$(MAKE) release windows
	$(RELEASE)/bin/quarvel_benchmarks
	QUARVEL_WINDOWS_BUILD=$(abspath $(WINDOWS)) bench/measure_running_clock.sh
	QUARVEL_NATIVE_BUILD=$(abspath $(RELEASE)) bench/measure_native_clock.sh
	QUARVEL_NATIVE_BUILD=$(abspath $(RELEASE)) bench/measure_seconds_off.sh
	QUARVEL_NATIVE_BUILD=$(abspath $(RELEASE)) bench/measure_xwayland_clock.sh

# bin/quarvel, bin/qvedit and bin/quarvel-preview, the default skin, the readme, the manual pages, a menu
# entry and an icon under PREFIX (DESTDIR in front, for packages).
install: deps
	$(MAKE) clock
	cmake --build $(RELEASE) -j $(JOBS) --target quarvel-preview qvedit
	DESTDIR=$(DESTDIR) cmake --install $(RELEASE) --prefix $(PREFIX)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
