# Quorvan: the two commands of the Quick start, and the sanitizer runs of CI.
#   make run    set up, build, and run the station's main job on the bundled sample
#   make test   set up, build, and run every test

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
RUN_DIR    ?= $(BUILD)/run-workdir
JOBS       ?= $(shell nproc)

# Debian packages the build and the tests need.
PACKAGES := cmake ninja-build g++ make libgtest-dev libbenchmark-dev clang libclang-rt-14-dev bison smitools snmp snmpd python3-scapy libsnmp-dev qt6-base-dev xvfb

# Seconds each fuzz target runs in make fuzz.
FUZZ_SECONDS ?= 60
FUZZ_BUILD   ?= build-fuzz

.PHONY: all deps configure build run run-udp run-dialup test release asan tsan fuzz bench clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:$$missing"; \
	  sudo=""; [ "$$(id -u)" -eq 0 ] || sudo="sudo"; \
	  $$sudo apt-get update -q && $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DQUORVAN_WERROR=ON $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The station's main job: a field device and a central station on the two
# ends of a null-modem cable of pseudo-terminals, in fresh working
# directories made from the bundled sample, running a short session.
run: build
	cli/demo-session.sh $(BUILD) $(RUN_DIR)

run-udp: build
	cli/udp-session.sh $(BUILD) $(RUN_DIR)-udp

# A dial-up session: the central station dials a field device through
# quorvan-modem-sim's simulated modems and exchange, runs PPP, and hangs up.
run-dialup: build
	cli/dialup-session.sh $(BUILD) $(RUN_DIR)-dialup

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The build a user or a packager makes, at -O3, with warnings as errors as
# in every CI build.
release: deps
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVAN_WERROR=ON $(CMAKE_ARGS)
	cmake --build build-release -j $(JOBS)

# The same tests under AddressSanitizer with UndefinedBehaviorSanitizer, and under ThreadSanitizer.
asan:
	$(MAKE) test BUILD=build-asan BUILD_TYPE=Debug \
	  CMAKE_ARGS="-DQUORVAN_SANITIZE=address -DQUORVAN_BENCH=OFF"

tsan:
	$(MAKE) test BUILD=build-tsan BUILD_TYPE=RelWithDebInfo \
	  CMAKE_ARGS="-DQUORVAN_SANITIZE=thread -DQUORVAN_BENCH=OFF"

# Every libFuzzer target, from its seed corpus, for FUZZ_SECONDS each; a finding fails.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQUORVAN_WERROR=ON -DQUORVAN_FUZZ=ON -DQUORVAN_TESTS=OFF -DQUORVAN_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@set -e; for target in $(FUZZ_BUILD)/fuzz/*_fuzz; do \
	  name=$$(basename $$target _fuzz); \
	  work=$(FUZZ_BUILD)/corpus/$$name; mkdir -p $$work; \
	  echo "== $$name: $(FUZZ_SECONDS) s"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/$$name- $$work fuzz/corpus/$$name; \
	done

# Prints the figures of every benchmark.
bench: build
	@set -e; for b in $(BUILD)/bench/quorvan_*_bench; do echo "== $$(basename $$b)"; $$b; done

clean:
	rm -rf build build-release build-asan build-tsan build-fuzz
