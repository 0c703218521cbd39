# make run           installs what is missing, builds and starts the program
# make run-register  the same for the register of cards (unra5-register)
# make test          the same, then runs every test through CTest
# make test-windows  cross-builds the card core and its tests, and the version-resource check, for Windows
#                    (MinGW-w64), runs them under Wine
# make test-asan     builds everything with ASan + UBSan (own build folder) and runs every test
# make fuzz          builds the card reader's libFuzzer target (clang) and runs it FUZZ_SECONDS seconds
# make soak          10,000 save/load cycles and 1,000 picker openings through the real window, with memory figures
# make soak-asan     the same soak built with ASan + UBSan: LeakSanitizer reports any leak at exit
# make package       the Debian package dist/unra5-card_<version>_amd64.deb (Release build of its own)
# make test-package  the package, then lintian, the menu entry, the metainfo and a start under Xvfb
# make screenshots   the pictures of the user guide in docs/images, taken from the real window
# WERROR=ON          (CI) compiler warnings fail the build, in every build folder
BUILD ?= build
BUILD_WINDOWS ?= $(BUILD)-windows
BUILD_ASAN ?= $(BUILD)-asan
BUILD_FUZZ ?= $(BUILD)-fuzz
BUILD_PACKAGE ?= $(BUILD)-package
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
# Save/load cycles and picker openings of the soak (empty: 10000 and 1000).
SOAK_ARGS ?=
GTEST_SOURCE ?= /usr/src/googletest

# Wine: a prefix of its own inside the build folder, no debug chatter, no
# display, and no offer to download Mono or Gecko when the prefix is made.
WINE_ENV = WINEPREFIX="$(abspath $(BUILD_WINDOWS))/wineprefix" WINEDEBUG=-all \
           WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
# Sanitizers: every finding, leaks included, fails the test. Nothing is
# suppressed: the suite runs clean with Debian's Qt as it is.
ASAN_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps configure build run run-register test bench soak soak-asan test-windows test-asan fuzz fuzz-seeds clean \
        package test-package screenshots

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DUNRA5_WERROR=$(WERROR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/app/unra5-card

run-register: build
	./$(BUILD)/src/register_app/unra5-register

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DUNRA5_BUILD_BENCH=ON -DUNRA5_BUILD_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	@for b in $(BUILD)-bench/bench/*_bench $(BUILD)-bench/bench/gui_*; do \
	  case "$$b" in *gui_soak) continue ;; esac; \
	  [ -f "$$b" ] && [ -x "$$b" ] && echo "== $$b" && QT_QPA_PLATFORM=offscreen "$$b"; done; true

# The soak is a benchmark program too, but runs only on its own request.
soak: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DUNRA5_BUILD_BENCH=ON -DUNRA5_BUILD_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS) --target gui_soak
	QT_QPA_PLATFORM=offscreen $(BUILD)-bench/bench/gui_soak $(SOAK_ARGS)

# Shares the sanitizer build folder with test-asan; only the soak is built.
soak-asan:
	@bash scripts/install-deps.sh asan
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DUNRA5_SANITIZE=ON -DUNRA5_BUILD_BENCH=ON
	$(ASAN_ENV) cmake --build $(BUILD_ASAN) -j $(JOBS) --target gui_soak
	$(ASAN_ENV) QT_QPA_PLATFORM=offscreen $(BUILD_ASAN)/bench/gui_soak $(SOAK_ARGS)

test-windows:
	@bash scripts/install-deps.sh windows
	cmake -S . -B $(BUILD_WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DUNRA5_BUILD_GUI=OFF -DUNRA5_GTEST_SOURCE_DIR=$(GTEST_SOURCE) -DUNRA5_WERROR=$(WERROR)
	cmake --build $(BUILD_WINDOWS) -j $(JOBS) --target card_tests file_version_tests
	@if [ ! -f "$(BUILD_WINDOWS)/wineprefix/system.reg" ]; then \
	  echo "Initialising the Wine prefix in $(BUILD_WINDOWS)/wineprefix"; \
	  $(WINE_ENV) wineboot --init >/dev/null 2>&1; $(WINE_ENV) wineserver --wait; fi
	cd $(BUILD_WINDOWS) && $(WINE_ENV) ctest --output-on-failure
	$(WINE_ENV) wineserver --wait

test-asan:
	@bash scripts/install-deps.sh asan
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DUNRA5_SANITIZE=ON -DUNRA5_BUILD_BENCH=OFF -DUNRA5_WERROR=$(WERROR)
	$(ASAN_ENV) cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && $(ASAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# New inputs go to the build folder's corpus, crashing inputs to its findings
# folder; fuzz/corpus holds the seeds and is only read.
fuzz:
	@bash scripts/install-deps.sh fuzz
	cmake -S . -B $(BUILD_FUZZ) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DUNRA5_BUILD_FUZZ=ON -DUNRA5_BUILD_GUI=OFF -DUNRA5_BUILD_TESTS=OFF -DUNRA5_WERROR=$(WERROR)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target card_read_fuzz
	@mkdir -p $(BUILD_FUZZ)/corpus $(BUILD_FUZZ)/findings
	$(BUILD_FUZZ)/fuzz/card_read_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -timeout=10 \
	  -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/findings/ $(BUILD_FUZZ)/corpus fuzz/corpus

# Rewrites the seed cards of fuzz/corpus with the card core's write path.
fuzz-seeds:
	@bash scripts/install-deps.sh fuzz
	cmake -S . -B $(BUILD_FUZZ) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DUNRA5_BUILD_FUZZ=ON -DUNRA5_BUILD_GUI=OFF -DUNRA5_BUILD_TESTS=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target make_seed_cards
	$(BUILD_FUZZ)/fuzz/make_seed_cards fuzz/corpus

package:
	@bash scripts/install-deps.sh package
	cmake -S . -B $(BUILD_PACKAGE) -DCMAKE_BUILD_TYPE=Release -DUNRA5_PACKAGE=ON -DUNRA5_BUILD_TESTS=OFF \
	  -DUNRA5_WERROR=$(WERROR)
	cmake --build $(BUILD_PACKAGE) -j $(JOBS)
	cd $(BUILD_PACKAGE) && cpack

test-package: package
	bash scripts/test-package.sh dist/unra5-card_$$(sed -n 's/^project(unra5_card VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)_amd64.deb

# Shares the build folder of make test; only the picture taker is added.
screenshots: configure
	cmake -S . -B $(BUILD) -DUNRA5_BUILD_TOOLS=ON
	cmake --build $(BUILD) -j $(JOBS) --target screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/screenshots docs/images

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD_WINDOWS) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_PACKAGE) dist
