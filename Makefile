# make run   sets up, builds and starts trv against the deskset simulator
# make test  sets up, builds and runs every test (the Debian package's checks among them)
# make package  builds build/trv_<version>_amd64.deb
BUILD ?= build
# ccache (installed by scripts/setup, so looked for only after it ran) keeps the build of a fresh
# clone short; paths are hashed relative to the checkout, so clones in other folders share the cache.
export CCACHE_BASEDIR := $(CURDIR)
LAUNCHER = $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

.PHONY: setup build run test package clean
setup:
	bash scripts/setup

build: setup
	cmake -S . -B $(BUILD) -G Ninja $(LAUNCHER)
	cmake --build $(BUILD) -j$$(nproc)

run: build
	bash scripts/run $(BUILD)

test: build
	bash scripts/test $(BUILD)

package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
