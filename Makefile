# QIRA: the two everyday commands are `make run` and `make check`.
JOBS ?= $(shell nproc)
BUILD ?= build
TEST_BUILD ?= build/test
BENCH_BUILD ?= build/bench
FUZZ_BUILD ?= build/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps build run check test bench fuzz format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQIRA_TESTS=OFF >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/demo && ../qira

check: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQIRA_SANITIZE=ON >/dev/null
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

test: check

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DQIRA_TESTS=OFF -DQIRA_BENCH=ON >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target qira_bench
	cd $(BENCH_BUILD) && SDL_VIDEODRIVER=dummy ./qira_bench

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQIRA_TESTS=OFF -DQIRA_FUZZ=ON >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Lays out every tracked source file by .clang-format.
format:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

clean:
	rm -rf build
