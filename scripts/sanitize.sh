#!/usr/bin/env bash
# The test suite under AddressSanitizer + UndefinedBehaviorSanitizer, and the loader's thread
# tests under ThreadSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=${KX_JOBS:-$(nproc)}

asan=$root/build-asan
cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=address,undefined \
  -DKX_BUILD_BENCH=OFF >/dev/null
ninja -C "$asan" -j"$jobs"
# intercept_tls_get_addr=0: GCC 12's leak checker crashes on some machines on a bogus DTLS block.
(cd "$asan" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 \
  UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp \
  ctest --output-on-failure -j"$jobs")

tsan=$root/build-tsan
cmake -S "$root" -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKX_SANITIZE=thread \
  -DKX_BUILD_GUI=OFF -DKX_BUILD_BENCH=OFF >/dev/null
ninja -C "$tsan" -j"$jobs" kx_core_tests
(cd "$tsan" && TSAN_OPTIONS=halt_on_error=1 ./tests/kx_core_tests --gtest_filter='LoaderThreads.*')
