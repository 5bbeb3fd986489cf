# Thin wrapper: install what is missing, build, run, test.
BUILD_DIR ?= build
JOBS ?= 2
SANITIZE ?= OFF
WERROR ?= OFF
PACKAGES := qt6-base-dev libqscintilla2-qt6-dev libexpat1-dev libxml2-dev libxslt1-dev libxml2-utils libgtest-dev libbenchmark-dev libacl1-dev \
            qt6-svg-dev qt6-qpa-plugins libx11-dev xvfb xauth xdotool cmake g++ make pkg-config \
            clang-format libxxhash-dev w3c-sgml-lib docbook-xml \
            librsvg2-bin desktop-file-utils appstream man-db
# Building the .deb: dpkg-shlibdeps and file for its dependencies, lintian to check it.
PACKAGE_PACKAGES := dpkg-dev file lintian
PREFIX ?= /usr/local
# The anchors the editor benchmark compares against: xmlwf and xmllint.
BENCH_PACKAGES := expat libxml2-utils
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# What `make memcheck` runs under valgrind, the longest first (":2": in two shards).
MEMCHECK_TESTS ?= editor/editor_ui_tests:2 app/app_ui_tests tips/tips_ui_tests check/check_tests \
                  templates/templates_tests templates/templates_grammar_tests \
                  templates/templates_ui_tests markup/markup_tests files/files_tests \
                  recovery/recovery_tests recovery/doc_recovery_tests print/print_tests search/search_ui_tests \
                  search/search_core_tests platform/platform_tests \
                  app/app_core_tests editor/editor_core_tests \
                  tips/tips_core_tests validate/validate_tests validate/validate_ui_tests

# The fuzz targets: a clang build of their own with libFuzzer, ASan and UBSan.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := clang libclang-rt-14-dev llvm

.PHONY: deps build run test memcheck fuzz bench package install clean

# $(call install-missing,PACKAGES): installs those not yet installed; apt-get update only then.
define install-missing
	@missing=""; for p in $(1); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTARNEL_SANITIZE=$(SANITIZE) -DTARNEL_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	cd examples && ../$(BUILD_DIR)/tarnel

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

memcheck: build
	$(call install-missing,valgrind)
	JOBS=$(JOBS) tests/memcheck.sh $(BUILD_DIR) $(MEMCHECK_TESTS)

fuzz: deps
	$(call install-missing,$(FUZZ_PACKAGES))
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DTARNEL_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_DIR) --target fuzzers -j$(JOBS)
	JOBS=$(JOBS) fuzz/run.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: build
	$(call install-missing,$(BENCH_PACKAGES))
	cmake --build $(BUILD_DIR) --target benchmarks -j$(JOBS)
	./$(BUILD_DIR)/bench/tarnel_bench
	./$(BUILD_DIR)/bench/editor/tarnel_editor_bench
	./$(BUILD_DIR)/bench/longline/tarnel_longline_bench
	./$(BUILD_DIR)/bench/validate/tarnel_validate_bench
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/bench/validate/tarnel_livecheck_bench

package: build
	$(call install-missing,$(PACKAGE_PACKAGES))
	cd $(BUILD_DIR) && cpack -G DEB
	lintian --fail-on error $(BUILD_DIR)/tarnel_*.deb

# DESTDIR=... stages the install, as a packager would.
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
