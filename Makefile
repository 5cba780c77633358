# QIRA: the two everyday commands are `make run` and `make check`.
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
BUILD ?= build
TEST_BUILD ?= build/test
BENCH_BUILD ?= build/bench
FUZZ_BUILD ?= build/fuzz
FUZZ_SECONDS ?= 60
COVERAGE_BUILD ?= build/coverage

.PHONY: all deps build run check test bench fuzz coverage format clean install uninstall package

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQIRA_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# PREFIX (default /usr/local) and DESTDIR as usual; uninstall removes what
# the last install wrote.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

# A Debian package for /usr, in $(BUILD).
package:
	$(MAKE) build PREFIX=/usr
	cd $(BUILD) && cpack -G DEB

# The game itself stays silent when no display opens (status 2): say why here.
run: build
	@cd $(BUILD)/demo && ../qira; status=$$?; \
	if [ $$status = 2 ]; then echo "qira: no display could be opened; run it in a desktop session, or try: xvfb-run make run" >&2; fi; \
	exit $$status

check: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQIRA_SANITIZE=ON \
	  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

test: check

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DQIRA_TESTS=OFF -DQIRA_BENCH=ON >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target qira_bench qira-kit
	cd $(BENCH_BUILD) && SDL_VIDEODRIVER=dummy ./qira_bench
	scripts/bench-kit $(BENCH_BUILD)/qira-kit

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQIRA_TESTS=OFF -DQIRA_FUZZ=ON >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Line and branch coverage of the picture loaders from replaying the fuzz corpus alone.
coverage: deps
	CC=clang CXX=clang++ cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQIRA_TESTS=OFF -DQIRA_COVERAGE=ON >/dev/null
	cmake --build $(COVERAGE_BUILD) -j $(JOBS) --target coverage_all
	scripts/coverage $(COVERAGE_BUILD)

# Lays out every tracked source file by .clang-format.
format:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

clean:
	rm -rf build
