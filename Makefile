# TERMIX: the two commands that do everything are `make run` and `make test`.
JOBS ?= $(shell nproc)
BUILD ?= build
FUZZ_SECONDS ?= 60
DATA_DIR ?= data

CMAKE_GEN := -G Ninja

.PHONY: all deps build run test test-engine test-asan bench fuzz screenshots package format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERMIX_BENCH=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The program reads and writes IniSaves/ and Images/ under its current directory.
run: build
	@mkdir -p $(DATA_DIR)/IniSaves
	@if [ -d resources/Images ]; then mkdir -p $(DATA_DIR)/Images && cp -u resources/Images/* $(DATA_DIR)/Images/; fi
	cd $(DATA_DIR) && ../$(BUILD)/ui/termix

build-asan/build.ninja:
	cmake -S . -B build-asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTERMIX_ENGINE_ONLY=ON -DTERMIX_SANITIZE=ON

# Every test: the whole program (UI tests under a virtual X server), then the
# engine's tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test: build build-asan/build.ninja
	xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j $(JOBS)

build-bench/build.ninja:
	cmake -S . -B build-bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTERMIX_BENCH=ON

bench: deps build-bench/build.ninja
	cmake --build build-bench -j $(JOBS)
	@for b in $$(find build-bench/bench -maxdepth 2 -type f -executable -name 'bench_*' | sort); do \
	  echo "== $$b"; xvfb-run -a -s "-screen 0 1920x1080x24" $$b || exit 1; done

build-fuzz/build.ninja:
	CXX=clang++ cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERMIX_ENGINE_ONLY=ON -DTERMIX_FUZZ=ON

# Each fuzz target runs for FUZZ_SECONDS with its corpus under build-fuzz/corpus.
fuzz: deps build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS)
	@for f in $$(find build-fuzz/fuzz -maxdepth 2 -type f -executable -name 'fuzz_*' | sort); do \
	  name=$$(basename $$f); mkdir -p build-fuzz/corpus/$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 build-fuzz/corpus/$$name || exit 1; done

# The Debian package termix_<version>_<arch>.deb in $(BUILD)/, checked by lintian: an error
# fails the target, warnings are printed.
package: build
	cd $(BUILD) && cpack -G DEB
	@deb=$$(ls -t $(BUILD)/termix_*.deb | head -1); echo "== lintian $$deb"; \
	  lintian --tag-display-limit 0 $$deb | tee $(BUILD)/lintian.log; \
	  ! grep -q '^E:' $(BUILD)/lintian.log

screenshots: build
	scripts/screenshots $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-asan build-bench build-fuzz
