# The two commands of the README:
#   make run   installs what is needed, builds, and starts murvel on the sample databases
#   make test  installs what is needed, builds with the sanitizers, and runs every test
# and, besides them:
#   make fuzz  builds the fuzz harnesses with clang and runs each FUZZ_SECONDS seconds
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: run test deps build bench synthetic fuzz

deps:
	scripts/install-deps

build: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMURVEL_TESTS=OFF
	cmake --build build/release -j $(JOBS)

run: build
	build/release/bin/murvel

test: deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMURVEL_SANITIZE=ON -DMURVEL_WERROR=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMURVEL_TESTS=OFF -DMURVEL_BENCH=ON
	cmake --build build/bench -j $(JOBS)

# The large synthetic databases for the benchmarks (docs/PERFORMANCE.md), into build/bench/synthetic;
# another size (make synthetic GLYPHS=1000000 ANCIENT=200000) into build/bench/synthetic-<glyphs>.
GLYPHS ?= 100000
ANCIENT ?= 20000
synthetic: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMURVEL_TESTS=OFF -DMURVEL_BENCH=ON \
	  -DMURVEL_SYNTHETIC_GLYPHS=$(GLYPHS) -DMURVEL_SYNTHETIC_ANCIENT=$(ANCIENT)
	cmake --build build/bench -j $(JOBS) --target synthetic_databases

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMURVEL_FUZZ=ON -DMURVEL_TESTS=OFF
	cmake --build build/fuzz -j $(JOBS)
	tests/fuzz/run-fuzzers build/fuzz $(FUZZ_SECONDS)
