# make run:   install what is missing, build the program with its database
#             and skin, and start the toolbox
# make test:  install what is missing, build the program and the tests, and
#             run every test headless in one tree: the Qt Test suite, the
#             real-window tests, the installed program, the command library
#             check and the fuzz seeds replayed once
# make install: the program installed under PREFIX (/usr/local; $HOME/.local
#             for one user), staged under DESTDIR when given
# make deb:   the Debian package build/tovanu_*.deb, checked by lintian
# make sanitize: the same suite built with clang, AddressSanitizer and
#             UndefinedBehaviorSanitizer, with the libFuzzer targets
# make fuzz:  timed fuzzing of every libFuzzer target of the sanitizer tree
# make bench: build and run the benchmark programs
# make proof: every command of the library pasted into a throw-away Debian 12
#             root (built once with debootstrap and kept in build-proof/)
# WERROR=ON turns every compiler warning into an error (CI sets it).
BUILD ?= build
SAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
PROOF_BUILD ?= build-proof
FUZZ_SECONDS ?= 20
WERROR ?= OFF
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVANU_WERROR=$(WERROR)
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(CURDIR)/tests/sanitizers/ubsan.supp

.PHONY: setup build run test install deb sanitize fuzz bench proof clean

setup:
	bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tovanu

test: build
	cmake --build $(BUILD) -j $(JOBS) --target tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip

deb: build
	rm -f $(BUILD)/tovanu_*.deb
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error --display-info $(BUILD)/tovanu_*.deb

sanitize: setup
	cmake -S . -B $(SAN_BUILD) $(CMAKE_FLAGS) -DCMAKE_CXX_COMPILER=clang++ -DTOVANU_SANITIZE=ON -DTOVANU_FUZZ=ON
	cmake --build $(SAN_BUILD) -j $(JOBS) --target all tests
	cd $(SAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE realwindow

fuzz: sanitize
	bash scripts/run-fuzzers.sh $(SAN_BUILD)/fuzz $(FUZZ_SECONDS)

bench: setup
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DTOVANU_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target bench_library bench_update_wait
	$(BENCH_BUILD)/bench/bench_update_wait
	$(BENCH_BUILD)/bench/bench_library

proof: setup
	PROOF_DIR=$(CURDIR)/$(PROOF_BUILD) bash tests/proof/paste_proof.sh

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD)
