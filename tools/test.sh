#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs the whole test suite:
# every test under CTest, then the threading tests again in a build with
# ThreadSanitizer (build-tsan/, reused when present).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

bc_install_packages
bc_configure
bc_build

ctest --test-dir "$BC_BUILD" --output-on-failure --parallel "$(nproc)" --timeout 900

# The audio thread against automation, state changes and the reverb builder,
# with every memory access checked for data races.
BC_TSAN_BUILD="${BC_TSAN_BUILD:-$BC_ROOT/build-tsan}"
if [ ! -f "$BC_TSAN_BUILD/build.ninja" ]; then
    cmake -S "$BC_ROOT" -B "$BC_TSAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBC_SANITIZE=thread -DBC_BUILD_BENCHMARKS=OFF
fi
cmake --build "$BC_TSAN_BUILD" --parallel "$(nproc)" --target bc_plugin_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir "$BC_TSAN_BUILD" --output-on-failure --parallel "$(nproc)" -R '^(Concurrency|Reactions)\.'
