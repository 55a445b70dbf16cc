# The two commands of the README. Both install what is missing first.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo

.PHONY: run test build deps bench clean

run: build
	$(BUILD)/bin/quillory

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

bench: build
	$(BUILD)/bin/quillory-bench

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD)

deps:
	./scripts/install-deps

clean:
	rm -rf $(BUILD)
