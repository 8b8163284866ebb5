# make run   - install what is missing, build, open the window
# make test  - install what is missing, build, run every test (also under
#              AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzer)
# make bench - build and run the benchmarks
# make package - build the Debian package

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 20

.PHONY: all deps build run test test-main test-asan test-fuzz bench package clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/account-generator

test: test-main test-fuzz test-asan

test-main: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-fuzz: deps
	@if command -v clang++ >/dev/null; then \
	  cmake -S . -B $(FUZZ_BUILD) -DACCOUNTS_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo && \
	  cmake --build $(FUZZ_BUILD) -j $(JOBS) && \
	  mkdir -p $(FUZZ_BUILD)/corpus && \
	  ./$(FUZZ_BUILD)/tests/fuzz/fuzz_text -max_total_time=$(FUZZ_SECONDS) -max_len=256 $(FUZZ_BUILD)/corpus tests/fuzz/seeds; \
	else echo "clang++ not found: fuzzing skipped"; fi

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DACCOUNTS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	bench/run.sh $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
