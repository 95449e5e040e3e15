# The two commands: `make run` starts Tarsel, `make test` runs every test.
# Both install what is missing, configure and build incrementally first; they
# share one Release build in $(BUILD), `make run` building only the programs.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local

.PHONY: all setup configure build programs run test bench install package clean

all: build

setup:
	@./scripts/setup

configure: setup
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja; fi

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

programs: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tarsel tarsel-report

run: programs
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/ui/tarsel; \
	else \
		echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): printing the report instead."; \
		$(BUILD)/cli/tarsel-report; echo; \
	fi

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tarsel_bench tarsel_plot_bench tarsel-report
	@$(BUILD)/bench/tarsel_bench
	@$(BUILD)/bench/tarsel_plot_bench
	@bench/sweep_cli.sh $(BUILD)/cli/tarsel-report

# Installs the programs stripped, with help, desktop entry, icons, metainfo,
# man pages and completion, under $(PREFIX) (and $$DESTDIR when set).
install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tarsel_installables
	@cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The Debian package, $(BUILD)/tarsel_<version>_<arch>.deb.
package: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tarsel_installables
	@cd $(BUILD) && cpack -G DEB

clean:
	@rm -rf $(BUILD)
