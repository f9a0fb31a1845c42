# make run:  install what is missing, build, and start the toolbox
# make test: install what is missing, build, and run every test headless
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup build run test clean

setup:
	bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/tovanu

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
