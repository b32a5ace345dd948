# The user's entry point. `make run` and `make test` are the whole set-up on a
# fresh Debian machine: both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: deps configure build test run bench clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

run: build
	$(BUILD)/frontends/console/quorvane-console

bench: build
	for b in $(BUILD)/bench/bench_*; do $$b; done

clean:
	rm -rf $(BUILD)
