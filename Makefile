# The two set-up commands. Each installs what is missing, builds and runs.
.PHONY: run test build build64 build32 bench clean

run:
	scripts/install-deps.sh
	scripts/build.sh x64 zelvano
	scripts/run.sh

test:
	scripts/install-deps.sh
	scripts/build.sh x64
	scripts/build.sh x86
	scripts/test.sh

build:
	scripts/build.sh x64
	scripts/build.sh x86

bench:
	scripts/install-deps.sh
	scripts/build.sh x64
	scripts/bench.sh

clean:
	rm -rf build
