#!/bin/sh
# Builds one of the fuzz targets of fuzz/ with clang++ (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs it for a few seconds.
#   run_fuzz.sh SOURCE_DIR WORK_DIR TARGET [SECONDS]
# TARGET is scoreboard, settings, mail_replies, mail_settings or report_text: fuzz/TARGET_fuzz.cpp with the engine sources it
# needs, seeded from fuzz/seeds/TARGET. Its corpus and any failing input go into WORK_DIR/TARGET.
# Exits 77 (the test is skipped) when clang++ or its libFuzzer runtime is not installed.
set -eu
src=$1
work=$2
target=$3
seconds=${4:-5}

# The engine sources each target links, from src/: none of them may need Qt.
case $target in
    scoreboard) sources="records/board.cpp records/columns.cpp core/files.cpp" ;;
    settings) sources="core/settings_layout.cpp settings/settings.cpp core/files.cpp" ;;
    mail_replies) sources="mail/replies.cpp" ;;
    mail_settings) sources="mail/mail_files.cpp mail/server_settings.cpp mail/message.cpp mail/mime_words.cpp mail/encoder.cpp core/files.cpp" ;;
    report_text) sources="records/report_text.cpp core/files.cpp" ;;
    *)
        echo "unknown fuzz target: $target (scoreboard, settings, mail_replies, mail_settings or report_text)" >&2
        exit 2
        ;;
esac

cxx=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$cxx" ]; then
    echo "clang++ is not installed: fuzzing skipped (Debian: clang, libclang-rt-14-dev)"
    exit 77
fi
out=$work/$target
mkdir -p "$out/corpus"
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all"

# A toolchain without the libFuzzer runtime skips; our own sources must always build.
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$out/probe.cpp"
if ! $cxx $flags "$out/probe.cpp" -o "$out/probe" 2>/dev/null; then
    echo "$cxx cannot build libFuzzer targets: fuzzing skipped (Debian: libclang-rt-14-dev)"
    exit 77
fi

# The full paths of the sources become the arguments, so a directory with blanks does no harm.
set --
for s in $sources; do
    set -- "$@" "$src/src/$s"
done
$cxx $flags -Wall -Wextra -Werror -I"$src/src" "$src/fuzz/${target}_fuzz.cpp" "$@" \
    -o "$out/${target}_fuzz"

# New inputs go into the work corpus; the seeds in the sources are only read.
# A failing input exits 1: libFuzzer's own code for it is 77, which ctest would take for a skip.
exec "$out/${target}_fuzz" -max_total_time="$seconds" -error_exitcode=1 -artifact_prefix="$out/" \
    "$out/corpus" "$src/fuzz/seeds/$target"
