# The two commands: `make run` starts Tarsel, `make test` runs every test.
# Both install what is missing, configure and build incrementally first.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup configure build run test bench clean

all: build

setup:
	@./scripts/setup

configure: setup
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja; fi

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/ui/tarsel; \
	else \
		echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): printing the report instead."; \
		$(BUILD)/cli/tarsel-report; echo; \
	fi

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@$(BUILD)/bench/tarsel_bench

clean:
	@rm -rf $(BUILD)
