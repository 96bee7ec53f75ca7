# make run   sets up, builds and starts trv against the deskset simulator
# make test  sets up, builds and runs every test (the Debian package's checks among them)
# make package  builds build/trv_<version>_amd64.deb
BUILD ?= build

.PHONY: setup build run test package clean
setup:
	bash scripts/setup

build: setup
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j$$(nproc)

run: build
	bash scripts/run $(BUILD)

test: build
	bash scripts/test $(BUILD)

package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
