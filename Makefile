# The two commands a newcomer needs: `make run` and `make test`. Both set the machine up first.
JOBS ?= $(shell nproc)

.PHONY: setup run test build demo-build bench format clean

setup:
	@bash scripts/setup

build: setup
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

demo-build: setup
	scripts/dev-cert build/dev-cert
	cmake --preset demo
	cmake --build --preset demo -j $(JOBS)

run: demo-build
	scripts/run-demo

bench: setup
	JOBS=$(JOBS) scripts/bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
