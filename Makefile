# Quick start: `make run` plays, `make test` runs every test. Both install missing packages first.
BUILD ?= build
BUILD_TYPE ?= Release
# The unit and screen tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_BUILD ?= build-asan
# Any sanitizer report fails the run.
SANITIZE_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
FUZZ_SECONDS ?= 60
SOAK_STAGES ?= 200

.PHONY: all build run test test-under-load format format-check sanitize fuzz soak bench deps deps-test deps-fuzz deps-package package clean

all: build

build: $(BUILD)/build.ninja
	cmake --build $(BUILD)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

deps:
	bash scripts/install-deps.sh run

deps-test:
	bash scripts/install-deps.sh test

# Builds only the game, not the tests, tools and benchmarks. ARGS are passed to it.
run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target quarnel
	$(BUILD)/quarnel $(ARGS)

# Configures again, so that a build folder first made by `make run` finds the test libraries.
test: deps-test format-check
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	$(MAKE) build
	$(MAKE) package
	$(MAKE) web
	cd $(BUILD) && ctest --output-on-failure -j2
	$(MAKE) sanitize

# The end-to-end tests three times over with two processes spinning on every core (not part of `test`).
test-under-load: deps-test
	$(MAKE) build
	BUILD=$(BUILD) bash scripts/under-load.sh 3

# The C++ style lives in .clang-format: `make format` applies it, and `make test` fails where a file
# does not follow it.
CXX_FILES = $(shell git ls-files '*.cpp' '*.h')
format:
	clang-format -i $(CXX_FILES)

format-check:
	@clang-format --dry-run --Werror $(CXX_FILES)

$(SANITIZE_BUILD)/build.ninja:
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARNEL_SANITIZE=ON

sanitize: $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) --target quarnel_tests quarnel_platform_tests
	cd $(SANITIZE_BUILD)/tests && $(SANITIZE_ENV) ./quarnel_tests --gtest_brief=1
	cd $(SANITIZE_BUILD)/tests && $(SANITIZE_ENV) ./quarnel_platform_tests --gtest_brief=1

deps-fuzz:
	bash scripts/install-deps.sh fuzz

# libFuzzer targets (clang) for the settings file, input scripts and models, FUZZ_SECONDS each.
fuzz: deps-fuzz
	bash tests/fuzz/run.sh $(FUZZ_SECONDS)

# The long replay on the real backend (not part of `test`): heap, RSS and GL objects over SOAK_STAGES.
soak: deps-test
	$(MAKE) build
	BUILD=$(BUILD) bash bench/soak.sh $(SOAK_STAGES)

# Measurements for docs/performance.md (not part of `test`); BEFORE=FOLDER measures an earlier build too.
bench: deps-test
	$(MAKE) build
	BEFORE="$(BEFORE)" bash bench/run.sh

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD) build-fuzz

# Installs the game, the maze tool, the pictures and models, a menu entry and icons under PREFIX
# (for example `sudo make install`, or `make install PREFIX=$HOME/.local`).
PREFIX ?= /usr/local
.PHONY: install
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package, $(BUILD)/quarnel_VERSION_ARCH.deb, of what `make install` installs, laid out as
# Debian lays out games (programs in /usr/games, data in /usr/share/games/quarnel). It is built in a
# folder of its own, with Debian's hardened build flags and without the tests.
PACKAGE_BUILD ?= build-deb
deps-package:
	bash scripts/install-deps.sh package

# Configured on every run, so that a change of layout or flags here reaches an existing folder.
package: deps-package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARNEL_TESTS=OFF \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
		-DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games -DQUARNEL_INSTALL_DATADIR=share/games/quarnel
	cmake --build $(PACKAGE_BUILD) --target quarnel quarnel-maze quarnel-docs
	cd $(PACKAGE_BUILD) && cpack -G DEB -B $(abspath $(BUILD))

# The browser build: build-web/ holds index.html and what it loads, for any static web server.
# Emscripten's tools need Debian's JavaScript modules; the glyph atlas is drawn by the desktop build.
WEB_BUILD ?= build-web
EMSCRIPTEN_ENV = NODE_PATH=/usr/share/nodejs
.PHONY: web serve
web: $(BUILD)/build.ninja
	cmake --build $(BUILD) --target quarnel-glyphs
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DQUARNEL_GLYPHS=$(abspath $(BUILD))/quarnel-glyphs
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD)

# Serves the browser build at http://127.0.0.1:8000/ (PORT=N for another port).
PORT ?= 8000
serve: web
	cd $(WEB_BUILD) && python3 -m http.server --bind 127.0.0.1 $(PORT)
