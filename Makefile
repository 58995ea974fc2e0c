# The two commands a newcomer needs: `make run` and `make test`. Both set the machine up first.
JOBS ?= $(shell nproc)

.PHONY: setup run test build demo-build bench package format clean

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

# The release package: ORVEL_SERVICE_BASE_URL=https://host/v2 make package points it at a service.
package: setup
	cmake --preset release $(if $(ORVEL_SERVICE_BASE_URL),-DORVEL_SERVICE_BASE_URL=$(ORVEL_SERVICE_BASE_URL))
	cmake --build --preset release -j $(JOBS)
	cd build/release && cpack -G DEB -B "$(CURDIR)/build/package"
	@ls -l build/package/*.deb

bench: setup
	JOBS=$(JOBS) scripts/bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
