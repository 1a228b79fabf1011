# formwright — top-level driver. CMake does the building; this file installs what is
# missing, picks the build folder and runs the jobs.
#   make          build the library, the tool and the tests (build/)
#   make run      build and run the formwright demonstration
#   make test     sanitizer build (ASan+UBSan, leaks fail) and every suite through CTest
#   make bench    optimised build and the benchmark program
#   make fuzz     sanitizer build and the full fuzz run (10,000 modules and 2,000 units)

MAKEFLAGS += --no-print-directory

PACKAGES := cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libfmt-dev libicu-dev nlohmann-json3-dev
JOBS     ?= $(shell nproc 2>/dev/null || echo 2)
BUILD    ?= build
ASAN     ?= build-asan
BENCH    ?= build-bench

.PHONY: all deps build run test bench fuzz clean format

all: build

deps:
	@./tools/install-deps.sh $(PACKAGES)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./tools/demo.sh $(BUILD)/tools/formwright

test: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DFW_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DFW_BENCH=ON >/dev/null
	@cmake --build $(BENCH) -j $(JOBS) --target formwright_bench
	@$(BENCH)/bench/formwright_bench

fuzz: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DFW_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS) --target formwright_fuzz
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  $(ASAN)/fuzz/formwright_fuzz --modules 10000 --units 2000 --seed 1 --time-limit 30

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN) $(BENCH)
