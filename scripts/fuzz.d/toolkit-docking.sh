#!/usr/bin/env bash
# Fuzzes the docking layout reader and its whole-layout check for a bounded time: a native
# libFuzzer build with UBSan for the run, then the kept corpus replayed once under
# AddressSanitizer. Seeds are the text dumps of the tests' layouts. Stops at the first failure
# and leaves the input in build/fuzz/docking/.
#   FUZZ_DOCKING_SECONDS   how long to run (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${FUZZ_DOCKING_SECONDS:-60}

# The fuzzing tools are installed here only, not by the main setup.
. "$root/scripts/fuzz-tools.sh"
fuzz_install_tools

out="${FUZZ_OUT:-$root/build/fuzz}/docking"
mkdir -p "$out/seeds" "$out/corpus"
cp "$root"/tests/toolkit/dockingpane/layouts/*.txt "$out/seeds/"
src=("$root/toolkit/dockingpane/DockingLayoutRecord.cpp"
     "$root/toolkit/dockingpane/DockingLayoutCheck.cpp"
     "$root/tests/toolkit/dockingpane/DockingLayoutFuzzer.cpp")
clang++ -std=c++20 -g -O2 -D_GLIBCXX_ASSERTIONS -fsanitize=fuzzer,undefined \
    -fno-sanitize-recover=all -I"$root" "${src[@]}" -o "$out/docking_fuzzer"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I"$root" "${src[@]}" -o "$out/docking_fuzzer_asan"

echo "fuzz: docking layout for ${seconds} s"
(cd "$out" && ./docking_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=16384 -print_final_stats=1 corpus seeds) >"$out/fuzz.log" 2>&1 || {
    tail -40 "$out/fuzz.log"
    echo "fuzz: docking layout found a crash (input in $out)"
    exit 1
}
(cd "$out" && ./docking_fuzzer_asan -runs=0 -rss_limit_mb=2048 corpus) >"$out/asan.log" 2>&1 || {
    tail -40 "$out/asan.log"
    echo "fuzz: docking layout: AddressSanitizer found an error in the corpus (input in $out)"
    exit 1
}
grep '^stat::' "$out/fuzz.log"
printf 'fuzz: docking %s inputs, coverage %s edges, corpus %s (ASan replay clean)\n' \
    "$(awk '/stat::number_of_executed_units/{print $2}' "$out/fuzz.log")" \
    "$(grep -o 'cov: [0-9]*' "$out/fuzz.log" | tail -1 | awk '{print $2}')" \
    "$(find "$out/corpus" -type f | wc -l)"
