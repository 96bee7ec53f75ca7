# make run   sets up, builds and starts trv against the deskset simulator
# make test  sets up, builds and runs every test
BUILD ?= build

.PHONY: setup build run test clean
setup:
	bash scripts/setup

build: setup
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j$$(nproc)

run: build
	bash scripts/run $(BUILD)

test: build
	bash scripts/test $(BUILD)

clean:
	rm -rf $(BUILD)
