# make run           installs what is missing, builds and starts the program
# make run-register  the same for the register of cards (unra5-register)
# make test          the same, then runs every test through CTest
# make test-fresh    the committed HEAD's make test in a throwaway chroot of a fresh Debian 12 (as root)
# make windows       the Windows program (MinGW-w64, Qt built once from Debian's qt6-base source):
#                    dist/ gets its portable zip and its installer
# make test-windows  the whole test suite built for Windows and run under Wine, then a smoke test of the
#                    installer and the installed program
# make test-asan     builds everything with ASan + UBSan (own build folder) and runs every test
# make fuzz          builds the libFuzzer targets (clang) of the card reader, of the office's list of enterprises
#                    (CSV and workbook) and of the register's row and
#                    exports, and runs them FUZZ_SECONDS seconds in all: half the card reader, a quarter each the others
# make soak          10,000 save/load cycles and 1,000 picker openings through the real window, with memory figures
# make soak-asan     the same soak built with ASan + UBSan: LeakSanitizer reports any leak at exit
# make package       the Debian package dist/unra5-card_<version>_amd64.deb (Release build of its own)
# make test-package  the package, then lintian, the menu entry, the metainfo and a start under Xvfb
# make check-format  fails when a C++ file differs from .clang-format (changes nothing)
# make screenshots   the pictures of the user guide in docs/images, taken from the real window
# WERROR=ON          (CI) compiler warnings fail the build, in every build folder
#
# Each build folder's settings are a preset of CMakePresets.json (default, bench, asan, fuzz, package,
# windows): a target installs what is missing and runs the presets, so `cmake --workflow --preset asan`
# does what make test-asan does once the packages are there. These name the presets' folders.
BUILD = build
BUILD_WINDOWS = build-windows
BUILD_ASAN = build-asan
BUILD_FUZZ = build-fuzz
BUILD_PACKAGE = build-package
BUILD_BENCH = build-bench
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
# Each target's share, at least a second (0 would tell libFuzzer to run on).
FUZZ_CARD_SECONDS = $(shell s=$$(( ($(FUZZ_SECONDS) + 1) / 2 )); echo $$(( s > 0 ? s : 1 )))
FUZZ_REGISTER_SECONDS = $(shell s=$$(( $(FUZZ_SECONDS) / 4 )); echo $$(( s > 0 ? s : 1 )))
FUZZ_REFERENCE_SECONDS = $(shell s=$$(( $(FUZZ_SECONDS) / 4 )); echo $$(( s > 0 ? s : 1 )))
# Save/load cycles and picker openings of the soak (empty: 10000 and 1000).
SOAK_ARGS ?=
GTEST_SOURCE ?= /usr/src/googletest
# The shared folder beside the checkout, whose fresh-machine check test-fresh runs.
SHARED ?= ../shared

# ccache, when the machine has it (install-deps.sh installs it): paths under
# the checkout are hashed relative to it, so a fresh clone elsewhere reuses
# what an earlier one compiled.
ifneq ($(shell command -v ccache 2>/dev/null),)
export CMAKE_C_COMPILER_LAUNCHER ?= ccache
export CMAKE_CXX_COMPILER_LAUNCHER ?= ccache
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
endif

# Qt for Windows: built once per Qt version and compiler, kept outside the
# checkout so every build folder and checkout reuses it.
QT_WINDOWS ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/unra5-card/qt-$(shell dpkg-query -W -f='$${Version}' \
  qt6-base-dev 2>/dev/null)-x86_64-w64-mingw32-gcc$(shell x86_64-w64-mingw32-g++-posix -dumpversion 2>/dev/null)
# libxlsxwriter for Windows (the register's workbook export): a static
# library built once per libxlsxwriter version and compiler, beside the Qt.
XLSXWRITER_WINDOWS ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/unra5-card/libxlsxwriter-$(shell dpkg-query -W \
  -f='$${source:Version}' libxlsxwriter-dev 2>/dev/null)-x86_64-w64-mingw32-gcc$(shell x86_64-w64-mingw32-gcc-posix \
  -dumpversion 2>/dev/null)
# Wine: a sandbox prefix inside the build folder (scripts/wine-prefix.sh), a
# temporary home and no display; scripts/wine-env.sh holds the rest of Wine's
# environment. Programs find Qt's and MinGW's DLLs through WINEPATH.
WINE_HOME = $(abspath $(BUILD_WINDOWS))/wine-home
# Qt's offscreen platform on Windows reads its fonts from one folder: the
# tests get the DejaVu faces the Linux run uses. Wine passes no QT_ variable
# on to a Windows program; WINEQT_X arrives there as QT_X. Qt Test writes its
# report to the debugger channel on Windows unless told to use the console.
WINE_TEST_FONTS ?= /usr/share/fonts/truetype/dejavu
# Test programs left out of the Wine run (a CTest regular expression); the
# README names each one left out and why.
WINE_TESTS_EXCLUDE ?=
WINE_ENV = bash $(CURDIR)/scripts/wine-env.sh "$(abspath $(BUILD_WINDOWS))/wineprefix" "$(WINE_HOME)"
# Sanitizers: every finding, leaks included, fails the test (the asan
# preset's environment, which the soak's own run gets here too). Nothing is
# suppressed: the suite runs clean with Debian's Qt as it is.
ASAN_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps configure build run run-register test test-fresh bench soak soak-asan deps-windows qt-windows xlsxwriter-windows configure-windows \
        windows test-windows test-asan fuzz fuzz-seeds clean package test-package screenshots check-format

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake --preset default -DUNRA5_WERROR=$(WERROR) $(CMAKE_FLAGS)

build: configure
	cmake --build --preset default -j $(JOBS)

run: build
	./$(BUILD)/src/app/unra5-card

run-register: build
	./$(BUILD)/src/register_app/unra5-register

test: build
	ctest --preset default -j $(JOBS)

# A clean clone of the committed HEAD runs make test in a chroot of a standard
# Debian 12 install with empty apt lists, so a package that install-deps.sh
# forgets fails here and not on a user's machine. Needs root (sudo otherwise).
test-fresh:
	$(if $(filter 0,$(shell id -u)),,sudo) bash $(SHARED)/tools/fresh/check.sh . $(SHARED)

bench: deps
	cmake --preset bench -DUNRA5_WERROR=$(WERROR)
	cmake --build --preset bench -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench/*_bench $(BUILD_BENCH)/bench/gui_*; do \
	  case "$$b" in *gui_soak) continue ;; esac; \
	  [ -f "$$b" ] && [ -x "$$b" ] && echo "== $$b" && QT_QPA_PLATFORM=offscreen "$$b"; done; true

# The soak is a benchmark program too, but runs only on its own request.
soak: deps
	cmake --preset bench -DUNRA5_WERROR=$(WERROR)
	cmake --build --preset bench -j $(JOBS) --target gui_soak
	QT_QPA_PLATFORM=offscreen $(BUILD_BENCH)/bench/gui_soak $(SOAK_ARGS)

# Shares the sanitizer build folder with test-asan; only the soak is built.
soak-asan:
	@bash scripts/install-deps.sh asan
	cmake --preset asan -DUNRA5_BUILD_BENCH=ON -DUNRA5_WERROR=$(WERROR)
	cmake --build --preset asan -j $(JOBS) --target gui_soak
	$(ASAN_ENV) QT_QPA_PLATFORM=offscreen $(BUILD_ASAN)/bench/gui_soak $(SOAK_ARGS)

deps-windows:
	@bash scripts/install-deps.sh windows

qt-windows: deps-windows
	bash scripts/build-qt-windows.sh "$(QT_WINDOWS)" $(JOBS)

xlsxwriter-windows: deps-windows
	bash scripts/build-xlsxwriter-windows.sh "$(XLSXWRITER_WINDOWS)" $(JOBS)

configure-windows: qt-windows xlsxwriter-windows
	@# A build folder made by the earlier Qt-less cross build cannot switch toolchains.
	@if [ -f $(BUILD_WINDOWS)/CMakeCache.txt ] && ! grep -q qt.toolchain.cmake $(BUILD_WINDOWS)/CMakeCache.txt; then \
	  rm -rf $(BUILD_WINDOWS); fi
	UNRA5_QT_WINDOWS="$(QT_WINDOWS)" UNRA5_XLSXWRITER_WINDOWS="$(XLSXWRITER_WINDOWS)" \
	  cmake --preset windows -DUNRA5_GTEST_SOURCE_DIR=$(GTEST_SOURCE) -DUNRA5_WERROR=$(WERROR) $(CMAKE_FLAGS)

windows: configure-windows
	cmake --build --preset windows -j $(JOBS) --target windows_dist

test-windows: configure-windows build
	cmake --build --preset windows -j $(JOBS)
	bash scripts/wine-prefix.sh "$(abspath $(BUILD_WINDOWS))/wineprefix" "$(WINE_HOME)"
	cd $(BUILD_WINDOWS) && WINEPATH="$$(cat wine-path.txt)" WINEQT_QPA_FONTDIR="Z:$(WINE_TEST_FONTS)" \
	  WINEQT_FORCE_STDERR_LOGGING=1 $(WINE_ENV) \
	  ctest --output-on-failure -j $(JOBS) --timeout 300 $(if $(WINE_TESTS_EXCLUDE),-E '$(WINE_TESTS_EXCLUDE)')
	$(WINE_ENV) wineserver --wait
	bash scripts/smoke-windows.sh "$(abspath $(BUILD_WINDOWS))" "$(abspath dist)" "$(abspath $(BUILD))"

test-asan:
	@bash scripts/install-deps.sh asan
	cmake --preset asan -DUNRA5_WERROR=$(WERROR)
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# New inputs go to the build folder's corpora, crashing inputs to its findings
# folder; fuzz/corpus, fuzz/register_corpus and fuzz/reference_corpus hold the seeds and are only read.
fuzz:
	@bash scripts/install-deps.sh fuzz
	cmake --preset fuzz -DUNRA5_WERROR=$(WERROR)
	cmake --build --preset fuzz -j $(JOBS)
	@mkdir -p $(BUILD_FUZZ)/corpus $(BUILD_FUZZ)/register_corpus $(BUILD_FUZZ)/findings
	$(BUILD_FUZZ)/fuzz/card_read_fuzz -max_total_time=$(FUZZ_CARD_SECONDS) -max_len=16384 -timeout=10 \
	  -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/findings/ $(BUILD_FUZZ)/corpus fuzz/corpus
	$(BUILD_FUZZ)/fuzz/register_export_fuzz -max_total_time=$(FUZZ_REGISTER_SECONDS) -max_len=16384 -timeout=10 \
	  -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/findings/register- \
	  $(BUILD_FUZZ)/register_corpus fuzz/register_corpus
	@mkdir -p $(BUILD_FUZZ)/reference_corpus
	$(BUILD_FUZZ)/fuzz/reference_list_fuzz -max_total_time=$(FUZZ_REFERENCE_SECONDS) -max_len=65536 -timeout=10 \
	  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/findings/reference- \
	  $(BUILD_FUZZ)/reference_corpus fuzz/reference_corpus

# Rewrites the seed cards of fuzz/corpus and fuzz/register_corpus with the card
# core's write path.
fuzz-seeds:
	@bash scripts/install-deps.sh fuzz
	cmake --preset fuzz -DUNRA5_WERROR=$(WERROR)
	cmake --build --preset fuzz -j $(JOBS) --target make_seed_cards
	$(BUILD_FUZZ)/fuzz/make_seed_cards fuzz/corpus fuzz/register_corpus

package:
	@bash scripts/install-deps.sh package
	cmake --preset package -DUNRA5_WERROR=$(WERROR)
	cmake --build --preset package -j $(JOBS)
	cpack --preset package

test-package: package
	bash scripts/test-package.sh dist/unra5-card_$$(cat VERSION)_amd64.deb

# Shares the build folder of make test; only the picture taker is added.
screenshots: configure
	cmake --preset default -DUNRA5_WERROR=$(WERROR) -DUNRA5_BUILD_TOOLS=ON
	cmake --build $(BUILD) -j $(JOBS) --target screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/screenshots docs/images

clean:
	rm -rf $(BUILD) $(BUILD_BENCH) $(BUILD_WINDOWS) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_PACKAGE) dist

check-format:
	@bash scripts/install-deps.sh format
	bash scripts/check-format.sh
