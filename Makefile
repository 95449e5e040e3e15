# The two commands: `make run` starts Tarsel, `make test` runs every test.
# Both install what is missing, configure and build incrementally first; they
# share one Release build in $(BUILD), `make run` building only the programs.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local

.PHONY: all setup configure build programs run test bench install package clean
.PHONY: fuzz fuzz-volume check-sanitize monkey

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
	@cmake --build $(BUILD) -j $(JOBS) --target tarsel_bench tarsel_plot_bench tarsel_terrain_bench tarsel_typing_bench tarsel_bare_window tarsel tarsel-report
	@$(BUILD)/bench/tarsel_bench
	@$(BUILD)/bench/tarsel_plot_bench
	@$(BUILD)/bench/tarsel_terrain_bench
	@$(BUILD)/bench/tarsel_typing_bench
	@bench/sweep_cli.sh $(BUILD)/cli/tarsel-report
	@bench/terrain_cli.sh $(BUILD)/cli/tarsel-report
	@bench/startup.sh $(BUILD)

# Installs the programs stripped, with help, desktop entry, icons, metainfo,
# man pages and completion, under $(PREFIX) (and $$DESTDIR when set).
install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tarsel_installables
	@cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The Debian package, $(BUILD)/tarsel_<version>_<arch>.deb.
package: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tarsel_installables
	@cd $(BUILD) && cpack -G DEB

# Each fuzz target runs FUZZ_SECONDS from its seeds under fuzz/corpus, in a
# clang build of its own; new inputs go to $(FUZZ_BUILD)/corpus, a finding to
# $(FUZZ_BUILD)/findings (and the run fails). For long volume runs once the
# corpus has settled, `make fuzz-volume` builds without comparison tracing
# (about twice the runs per second, still under ASan and UBSan).
FUZZ_BUILD ?= build-fuzz
FUZZ_CXXFLAGS ?=
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= number_parse profile_file settings_roundtrip dem_sampling terrain_methods profile_csv
FUZZ_FLAGS ?=

fuzz: setup
	@if [ ! -f $(FUZZ_BUILD)/build.ninja ]; then \
		CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DTARSEL_FUZZ=ON \
			-DCMAKE_CXX_FLAGS="$(FUZZ_CXXFLAGS)"; fi
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/findings; \
		echo "fuzz_$$t: $(FUZZ_SECONDS) s"; \
		$(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-dict=fuzz/$$t.dict -artifact_prefix=$(FUZZ_BUILD)/findings/$$t- $(FUZZ_FLAGS) \
			$(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t 2>$(FUZZ_BUILD)/fuzz_$$t.log \
			|| { tail -n 40 $(FUZZ_BUILD)/fuzz_$$t.log; exit 1; }; \
		grep -E '^stat::number_of_executed_units|^Done' $(FUZZ_BUILD)/fuzz_$$t.log; \
	done

fuzz-volume:
	@$(MAKE) --no-print-directory fuzz FUZZ_BUILD=build-fuzz-volume \
		FUZZ_CXXFLAGS=-fno-sanitize-coverage=trace-cmp

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (-O1, line tables only: quick to build, still readable stack traces).
SANITIZE_BUILD ?= build-sanitize
export LSAN_OPTIONS ?= suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1

check-sanitize: setup
	@if [ ! -f $(SANITIZE_BUILD)/build.ninja ]; then \
		cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DTARSEL_SANITIZE=ON \
			-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
			-DTARSEL_BUILD_BENCH=OFF -DTARSEL_MAN_PAGES=OFF; fi
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

# The GUI monkey for SECONDS seconds (default 600), seed MONKEY_SEED;
# MONKEY_MODE=plots spends most of the run in the plot window;
# MONKEY_TEARDOWN=N destroys the program every N seconds wherever it stands
# (a field half typed, a plot computing) and starts it again.
SECONDS ?= 600
MONKEY_SEED ?= 1
MONKEY_MODE ?=
MONKEY_TEARDOWN ?= 0
monkey: build
	@TARSEL_MONKEY_SECONDS=$(SECONDS) TARSEL_MONKEY_SEED=$(MONKEY_SEED) \
		TARSEL_MONKEY_MODE=$(MONKEY_MODE) TARSEL_MONKEY_TEARDOWN_SECONDS=$(MONKEY_TEARDOWN) \
		QT_QPA_PLATFORM=offscreen \
		$(BUILD)/tests/test_monkey

clean:
	@rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
