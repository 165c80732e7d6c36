# Task runner. `make demo` builds and opens the editor on the demo database; `make test`
# builds and runs every test; `make package` makes the .deb and `make test-paquete` checks it.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
DEMO_DIR := $(BUILD)/demo

DEB_PACKAGES := build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev \
  libsqlite3-dev sqlite3 unixodbc-dev unixodbc libsqliteodbc tdsodbc \
  libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool \
  qt6-translations-l10n dpkg-dev file lintian

# The fuzz build: clang with libFuzzer and the sanitizers, in a folder of its own so that it
# never touches $(BUILD). Each target runs FUZZ_SECONDS over its corpus (fuzz/corpus/<target>,
# kept in the repository; what a run finds goes to $(FUZZ_BUILD)/corpus/<target>).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_TARGETS := fuzz_lanzamiento fuzz_bases fuzz_consultas fuzz_anchos fuzz_ini fuzz_importes \
  fuzz_dialecto

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps deps-fuzz build test fuzz package test-paquete demo demo-db bench clean format

deps:
	@missing=$$(for p in $(DEB_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Instalando: $$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

deps-fuzz:
	@missing=$$(for p in $(FUZZ_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Instalando: $$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

# ccache, when installed, is used for compiling (several checkouts then share their objects).
CCACHE := $(shell command -v ccache 2>/dev/null)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

build: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# With CI=true a missing prerequisite fails the tests instead of skipping them, and every
# benchmark runs once, briefly, so that none of them rots unnoticed: a benchmark that finds its
# own work undone reports "ERROR OCCURRED" but still exits 0, so its output is searched too.
test: deps build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)
	@if [ "$$CI" = true ]; then \
	  for b in $(BUILD)/bin/bench_*; do \
	    [ -x "$$b" ] || continue; \
	    echo "$$b"; \
	    salida=$$(QT_QPA_PLATFORM=offscreen "$$b" --benchmark_min_time=0.001) || exit 1; \
	    if grep "ERROR OCCURRED" <<< "$$salida"; then exit 1; fi; \
	  done; \
	fi

# The Debian package build/asientos-modelo_<version>_<arch>.deb (CPack).
package: build
	rm -f $(BUILD)/asientos-modelo_*.deb
	cd $(BUILD) && cpack -G DEB

# The package checked as a user gets it (lintian, unpacked elsewhere, build folder set aside).
test-paquete: deps package
	bash tests/paquete/probar_paquete.sh $(BUILD)

$(FUZZ_BUILD)/build.ninja:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DASIENTOS_FUZZ=ON \
	  -DASIENTOS_TESTS=OFF -DASIENTOS_BENCH=OFF \
	  $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

fuzz: deps deps-fuzz $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  registro=$(FUZZ_BUILD)/corpus/$$t.log; \
	  if ! ( cd $(FUZZ_BUILD) && ./bin/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	         -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
	         corpus/$$t $(CURDIR)/fuzz/corpus/$$t ) > $$registro 2>&1; then \
	    tail -n 60 $$registro; echo "FALLA: $$t (entrada guardada en $(FUZZ_BUILD)/)"; exit 1; \
	  fi; \
	  echo "$$t: $$(grep -o 'number_of_executed_units: [0-9]*' $$registro) en $(FUZZ_SECONDS) s"; \
	done

demo-db: build
	@mkdir -p $(DEMO_DIR)
	$(BUILD)/bin/crear-base-demo $(DEMO_DIR)/DEMO.sqlite

demo: deps build demo-db
	$(BUILD)/bin/asientos-modelo "@Server=sqlite:$(abspath $(DEMO_DIR));@DbName=DEMO;@Usuario=DEMO;@UsuarioLogeado=DEMO;@Menu=1;@Caja=1;"

# Each benchmark program writes its results as JSON (its messages go to a log beside them);
# then one table pairs every action's program side with its bare-engine side.
BENCH_DIR := $(BUILD)/bench-resultados
bench: deps build
	@mkdir -p $(BENCH_DIR) && rm -f $(BENCH_DIR)/*.json
	@for b in $(BUILD)/bin/bench_*; do \
	  [ -x "$$b" ] || continue; n=$$(basename $$b); echo "$$n ..." >&2; \
	  "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
	    --benchmark_format=json > $(BENCH_DIR)/$$n.json 2> $(BENCH_DIR)/$$n.log \
	    || { echo "$$n fallo; ver $(BENCH_DIR)/$$n.log" >&2; exit 1; }; \
	done
	@python3 bench/tabla.py $(BENCH_DIR)/*.json

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
