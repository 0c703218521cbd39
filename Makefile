# make run   installs what is missing, builds and starts the program
# make test  the same, then runs every test through CTest
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/app/unra5-card

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DUNRA5_BUILD_BENCH=ON -DUNRA5_BUILD_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	@for b in $(BUILD)-bench/bench/*_bench $(BUILD)-bench/bench/gui_*; do \
	  [ -x "$$b" ] && echo "== $$b" && QT_QPA_PLATFORM=offscreen "$$b"; done; true

clean:
	rm -rf $(BUILD) $(BUILD)-bench
