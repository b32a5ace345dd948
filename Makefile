# The user's entry point. `make run` and `make test` are the whole set-up on a
# fresh Debian machine: both install what is missing first.
BUILD ?= build
CMAKE_FLAGS ?=
# GUI=OFF builds everything but the desktop application, without Qt.
GUI ?= ON
# Where `make install` puts Quorvane; DESTDIR, when set, is put before it.
PREFIX ?= /usr/local

.PHONY: deps configure build test sanitize run console gui bench screens install package clean

deps:
	QUORVANE_GUI=$(GUI) bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DQUORVANE_GUI=$(GUI) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The unit tests and the replay of the fuzz corpora, built without the
# desktop application under AddressSanitizer and UndefinedBehaviorSanitizer
# in build-sanitize; any report fails the run.
sanitize:
	QUORVANE_GUI=OFF bash scripts/install-deps.sh
	bash scripts/sanitizers.sh

# The demo analysis: the Nile flow with AR(1) noise and a step at 1899,
# minimised with the Simplex search; the results summary goes to
# $(BUILD)/nile-demo.qvo and the console transcript to $(BUILD)/nile-demo.log.
# It builds only the console application, not the tests, benchmarks or the
# desktop application.
run: configure
	cmake --build $(BUILD) --target quorvane-console
	@rm -f $(BUILD)/nile-demo.qvo
	@sed 's|build/nile-demo.qvo|$(BUILD)/nile-demo.qvo|' examples/nile-demo.txt > $(BUILD)/nile-demo.txt
	@$(BUILD)/frontends/console/quorvane-console --quiet --script $(BUILD)/nile-demo.txt > $(BUILD)/nile-demo.log 2>&1 \
	  || { cat $(BUILD)/nile-demo.log; exit 1; }
	@echo
	@grep -h 'The objective function minimum is' $(BUILD)/nile-demo.qvo
	@echo
	@sed -n '/^Parameter estimates:/,/^The following backward shifts/p' $(BUILD)/nile-demo.qvo | sed '$$d'
	@echo "The full report: $(abspath $(BUILD))/nile-demo.qvo"

# The console application, interactively.
console: configure
	cmake --build $(BUILD) --target quorvane-console
	$(BUILD)/frontends/console/quorvane-console

gui: configure
	cmake --build $(BUILD) --target quorvane
	$(BUILD)/frontends/qt/quorvane

# Pictures of the desktop application's main windows (scripts/screens.sh).
screens: configure
	cmake --build $(BUILD) --target quorvane
	BUILD=$(BUILD) bash scripts/screens.sh

bench: build
	for b in $(BUILD)/bench/bench_*; do $$b; done

# Installs the programs, the user guide, the examples, the manual pages and
# the desktop entry, icon and file types under PREFIX (DESTDIR before it,
# for a staging folder). Builds only what is installed.
install: configure
	cmake --build $(BUILD) --target quorvane_installed
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package $(BUILD)/quorvane_VERSION_ARCH.deb, built by CPack from
# the same install rules, then checked: its file list, its control data
# and, where lintian is installed, lintian's verdict.
package: configure
	@if [ "$(GUI)" = OFF ]; then echo "The package holds the desktop application: make package needs GUI=ON"; exit 1; fi
	cmake --build $(BUILD) --target quorvane_installed
	cd $(BUILD) && cpack -G DEB
	bash packaging/check-package.sh $(BUILD)

clean:
	rm -rf $(BUILD)
