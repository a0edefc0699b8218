#!/bin/sh
# Fuzzes the bank source parser with libFuzzer under the address and undefined-behaviour
# sanitizers, seeded from the shipped bank sources.
#   tests/fuzz/run-fuzz.sh [SECONDS] [WORK_FOLDER]      (default 600 seconds)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-600}
work=${2:-$root/build/fuzz}
mkdir -p "$work/corpus"
cp "$root"/bank/*.gift "$work/corpus/"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -fPIC $(pkg-config --cflags Qt6Core) -I"$root/bank/tool" \
    "$here/fuzz_banksource.cpp" "$root/bank/tool/BankSource.cpp" \
    $(pkg-config --libs Qt6Core) -o "$work/fuzz_banksource"
cd "$work"
exec ./fuzz_banksource -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -print_final_stats=1 corpus
