# The two commands of the README:
#   make run    installs what is missing, builds the release build and starts the program
#   make test   installs what is missing, builds with the sanitizers and runs every test
JOBS ?= $(shell nproc)
RELEASE := build/release
TESTDIR := build/test

.PHONY: run test release bench fuzz clean

release:
	@scripts/install-deps.sh build
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DGLOWPLATE_TESTS=OFF
	cmake --build $(RELEASE) -j$(JOBS)

run: release
	@scripts/run.sh $(RELEASE)

test:
	@scripts/install-deps.sh test
	cmake -S . -B $(TESTDIR) -DCMAKE_BUILD_TYPE=Debug -DGLOWPLATE_SANITIZE=ON
	cmake --build $(TESTDIR) -j$(JOBS)
	scripts/with-display.sh ctest --test-dir $(TESTDIR) --output-on-failure -j$(JOBS) --timeout 300

bench:
	@scripts/install-deps.sh bench
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DGLOWPLATE_TESTS=OFF -DGLOWPLATE_BENCH=ON
	cmake --build build/bench -j$(JOBS)
	@for b in build/bench/bench/bench_*; do echo "== $$b"; $$b; done

fuzz:
	@scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DGLOWPLATE_TESTS=OFF -DGLOWPLATE_FUZZ=ON
	cmake --build build/fuzz -j$(JOBS)

clean:
	rm -rf build
