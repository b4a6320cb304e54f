# Tonkle: the two commands are `make run` and `make test`. Both install what is missing first.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_NATIVE := cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo
CMAKE_ASAN := cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DTONKLE_SANITIZE=ON
CMAKE_WIN64 := cmake -S . -B build/win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
CMAKE_WIN32 := cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DTONKLE_TESTS=OFF

.PHONY: run test bench dist native asan win64 win32 deps-native deps-windows test-native test-asan test-fuzz test-windows clean

run: deps-native deps-windows native win64
	scripts/run.sh

test: test-native test-asan test-fuzz test-windows
	@echo "all test suites passed"

deps-native:
	@scripts/install-deps.sh native
deps-windows:
	@scripts/install-deps.sh windows

native: deps-native
	@$(CMAKE_NATIVE) >/dev/null
	cmake --build build/native -j$(JOBS)
asan: deps-native
	@$(CMAKE_ASAN) >/dev/null
	cmake --build build/asan -j$(JOBS)
win64: deps-windows
	@$(CMAKE_WIN64) >/dev/null
	cmake --build build/win64 -j$(JOBS)
# Compiled and linked only: 32-bit programs cannot run on these machines.
win32: deps-windows
	@$(CMAKE_WIN32) >/dev/null
	cmake --build build/win32 -j$(JOBS)

test-native: native
	ctest --test-dir build/native --output-on-failure -j$(JOBS)
test-asan: asan
	ctest --test-dir build/asan --output-on-failure -j$(JOBS)
test-fuzz: deps-native
	scripts/fuzz.sh $(FUZZ_SECONDS)
test-windows: win64 win32
	scripts/with-display.sh ctest --test-dir build/win64 --output-on-failure

bench: deps-native
	scripts/bench.sh

dist: win64
	scripts/dist.sh

clean:
	rm -rf build dist
