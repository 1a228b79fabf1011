# formwright — top-level driver. CMake does the building through the presets of
# CMakePresets.json (dev, sanitizer, bench); this file installs what is missing, checks the
# tree and runs the jobs.
#   make          build the library, the tool and the tests (preset dev, build/)
#   make run      build and run the formwright demonstration
#   make check    the layering check (docs/layers.txt) and the layout check (.clang-format)
#   make test     the checks, then the sanitizer build (ASan+UBSan, leaks fail, preset
#                 sanitizer, build-asan/) and every suite through CTest
#   make bench    optimised build and the benchmark program (preset bench, build-bench/)
#   make fuzz     sanitizer build and the full fuzz run (10,000 modules and 2,000 units)
#   make format   lay out every C++ file as .clang-format says

MAKEFLAGS += --no-print-directory

PACKAGES := cmake g++ make pkg-config python3 clang-format libgtest-dev libgmock-dev libbenchmark-dev \
            libfmt-dev libicu-dev nlohmann-json3-dev libcairo2-dev fonts-dejavu-core
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
# The build folders of the presets.
BUILD    := build
ASAN     := build-asan
BENCH    := build-bench
# The cases that measure how work grows with a module's size each run in a process of their own:
# what an earlier case leaves in the heap (its allocator settings, the pages it kept) would
# otherwise weigh on one size more than the other.
SCALE_CASES := BM_Scale
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps build run check test bench fuzz clean format

all: build

deps:
	@./tools/install-deps.sh $(PACKAGES)

build: deps
	@cmake --preset dev >/dev/null
	@cmake --build --preset dev -j $(JOBS)

run: build
	@./tools/demo.sh $(BUILD)/tools/formwright

check: deps
	@./tools/check-layers
	@./tools/check-format

test: check
	@cmake --preset sanitizer >/dev/null
	@cmake --build --preset sanitizer -j $(JOBS)
	@ctest --preset sanitizer -j $(JOBS)

bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench -j $(JOBS)
	@$(BENCH)/bench/formwright_bench --benchmark_filter=-$(SCALE_CASES)
	@for C in $$($(BENCH)/bench/formwright_bench --benchmark_list_tests --benchmark_filter=^$(SCALE_CASES) | \
	             sed 's#/.*##' | uniq); do \
	  $(BENCH)/bench/formwright_bench --benchmark_filter="^$$C/" || exit 1; \
	done

fuzz: deps
	@cmake --preset sanitizer >/dev/null
	@cmake --build --preset sanitizer -j $(JOBS) --target formwright_fuzz
	@$(SANITIZER_ENV) $(ASAN)/fuzz/formwright_fuzz --modules 10000 --units 2000 --seed 1 --time-limit 30

format:
	@git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN) $(BENCH)
