#!/bin/sh
# Runs a libFuzzer target of the fuzz build for a few seconds.
#   run_fuzz.sh PROGRAM SEEDS WORK_DIR [SECONDS]
# PROGRAM is one of build-test/fuzz-build/fuzz/TARGET_fuzz (scoreboard, settings, mail_replies,
# mail_settings, report_text, ardentix_ini or pending_line), SEEDS its seeds (fuzz/seeds/TARGET). The corpus it grows and any
# failing input go into WORK_DIR; the seeds in the sources are only read.
set -eu
program=$1
seeds=$2
work=$3
seconds=${4:-5}

mkdir -p "$work/corpus"
# A failing input exits 1: libFuzzer's own code for it is 77, which ctest would take for a skip.
exec "$program" -max_total_time="$seconds" -error_exitcode=1 -artifact_prefix="$work/" \
    "$work/corpus" "$seeds"
