# The user's entry point. `make run` and `make test` are the whole set-up on a
# fresh Debian machine: both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
# GUI=OFF builds everything but the desktop application, without Qt.
GUI ?= ON

.PHONY: deps configure build test run gui bench clean

deps:
	QUORVANE_GUI=$(GUI) bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DQUORVANE_GUI=$(GUI) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

run: build
	$(BUILD)/frontends/console/quorvane-console

gui: build
	$(BUILD)/frontends/qt/quorvane

bench: build
	for b in $(BUILD)/bench/bench_*; do $$b; done

clean:
	rm -rf $(BUILD)
