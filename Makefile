# The two commands: `make run` starts the launcher from a demo medium, `make test`
# runs every test. Both install what is missing and build first. CMake does the
# building; this file only names the steps.
BUILD ?= build
SANITIZED ?= build-sanitized
JOBS ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: run test build deps bench clean

run: build
	@./scripts/run.sh $(BUILD)

test: build
	@cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DSETUP_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZED) -j$(JOBS)
	@echo "== tests, optimised build"
	@cd $(BUILD) && ctest --output-on-failure
	@echo "== tests, AddressSanitizer and UndefinedBehaviorSanitizer build"
	@cd $(SANITIZED) && ctest --output-on-failure

bench: build
	@./bench/bench.sh $(BUILD)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

deps:
	@./scripts/deps.sh

clean:
	rm -rf $(BUILD) $(SANITIZED)
