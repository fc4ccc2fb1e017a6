#!/bin/sh
# Builds the scoreboard fuzz target with clang++ (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for a few seconds.
#   run_fuzz.sh SOURCE_DIR WORK_DIR [SECONDS]
# Exits 77 (the test is skipped) when clang++ or its libFuzzer runtime is not installed.
set -eu
src=$1
work=$2
seconds=${3:-5}

cxx=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$cxx" ]; then
    echo "clang++ is not installed: fuzzing skipped (Debian: clang, libclang-rt-14-dev)"
    exit 77
fi
mkdir -p "$work/corpus"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all"

# A toolchain without the libFuzzer runtime skips; our own sources must always build.
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$work/probe.cpp"
if ! $cxx $flags "$work/probe.cpp" -o "$work/probe" 2>/dev/null; then
    echo "$cxx cannot build libFuzzer targets: fuzzing skipped (Debian: libclang-rt-14-dev)"
    exit 77
fi

$cxx $flags -Wall -Wextra -Werror -I"$src/src" \
    "$src/fuzz/scoreboard_fuzz.cpp" "$src/src/records/board.cpp" \
    "$src/src/records/columns.cpp" "$src/src/core/files.cpp" \
    -o "$work/scoreboard_fuzz"

# New inputs go into the work corpus; the seeds in the sources are only read.
exec "$work/scoreboard_fuzz" -max_total_time="$seconds" -artifact_prefix="$work/" \
    "$work/corpus" "$src/fuzz/seeds"
