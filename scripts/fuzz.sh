#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 and runs each for a bounded time (seconds, default 60).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
seconds=${1:-60}
fuzz=$root/build-fuzz
CXX=clang++-14 CC=clang-14 cmake -S "$root" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKX_BUILD_FUZZ=ON -DKX_BUILD_GUI=OFF -DKX_BUILD_TESTS=OFF -DKX_BUILD_BENCH=OFF >/dev/null
ninja -C "$fuzz" -j"${KX_JOBS:-$(nproc)}" fuzz_raw_reader fuzz_analysis_reader
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in raw analysis; do
  mkdir -p "$work/$target"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  # The readers write their diagnostic dumps into the current directory.
  (cd "$work" && "$fuzz/fuzz/fuzz_${target}_reader" -max_total_time="$seconds" -timeout=10 \
    -max_len=65536 -dict="$root/fuzz/test_files.dict" -print_final_stats=1 "$work/$target")
done
