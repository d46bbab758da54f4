# The two commands: `make run` builds and starts the program, `make test` builds and runs
# every test (a plain build, then once more under AddressSanitizer and UBSan, then each fuzz
# target for 10 s). `make package` builds the Debian package into the build folder; `make
# fuzz` runs each fuzz target for FUZZ_SECONDS (default 60).
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= 2

FUZZ_SECONDS ?= 60

.PHONY: run test package setup build build-sanitize fuzz

setup:
	@./scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

build-sanitize: setup
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEXILO_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)

package: build
	@cmake --build $(BUILD_DIR) --target package

run: build
	@./scripts/run.sh $(BUILD_DIR)

test: build build-sanitize
	@echo "== Tests"
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	@echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
	@cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
		ctest --output-on-failure -j $(JOBS)
	@echo "== Fuzz targets, 10 s each"
	@FUZZ_SECONDS=10 FUZZ_SEED=1 JOBS=$(JOBS) ./scripts/fuzz.sh

fuzz: setup
	@FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) ./scripts/fuzz.sh
