#!/bin/sh
# Checks the sounds in the build's media folder: every name the program plays is there with
# that spelling, as plain 16-bit mono PCM WAV at 22050 Hz lasting 0.2 to 5 seconds, not silent,
# and the same bytes as two fresh runs of the generator.
#   check_sounds.sh LIST_SOUNDS MAKE_SOUNDS MEDIA_DIR
# LIST_SOUNDS is the list-sounds program, MAKE_SOUNDS tools/media/make_sounds.sh (ESPEAK and SOX
# name the programs it uses).
set -eu
list_sounds=$1
make_sounds=$2
media=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$list_sounds" "$work/names"
sh "$make_sounds" "$work/names" "$work/first"
sh "$make_sounds" "$work/names" "$work/second"

# u32 FILE OFFSET / u16 FILE OFFSET / tag FILE OFFSET: a little-endian number or a 4-byte tag.
u32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
u16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
tag() { dd if="$1" bs=1 skip="$2" count=4 2>/dev/null; }

failures=0
fail() {
    echo "$name: $*" >&2
    failures=$((failures + 1))
}

tab=$(printf '\t')
while IFS= read -r line; do
    # A line is the name, a tab and the words spoken.
    name=${line%%"$tab"*}
    file=$media/$name
    if [ ! -f "$file" ]; then
        fail "missing from $media"
        continue
    fi
    cmp -s "$work/first/$name" "$work/second/$name" || fail "differs between two runs"
    cmp -s "$work/first/$name" "$file" || fail "differs from a fresh run of the generator"

    size=$(wc -c <"$file")
    if [ "$size" -le 44 ]; then
        fail "only $size bytes"
        continue
    fi
    # The 44-byte header of a plain PCM file: RIFF, WAVE, a 16-byte fmt chunk, then the data.
    [ "$(tag "$file" 0)$(tag "$file" 8)$(tag "$file" 12)$(tag "$file" 36)" = "RIFFWAVEfmt data" ] ||
        fail "not a plain RIFF/WAVE file with the data after a 16-byte fmt chunk"
    [ "$(u32 "$file" 4)" -eq $((size - 8)) ] || fail "RIFF size $(u32 "$file" 4), file $size"
    [ "$(u32 "$file" 16)" -eq 16 ] || fail "fmt chunk of $(u32 "$file" 16) bytes"
    [ "$(u16 "$file" 20)" -eq 1 ] || fail "format $(u16 "$file" 20), not PCM"
    [ "$(u16 "$file" 22)" -eq 1 ] || fail "$(u16 "$file" 22) channels"
    [ "$(u32 "$file" 24)" -eq 22050 ] || fail "$(u32 "$file" 24) samples a second"
    [ "$(u32 "$file" 28)" -eq 44100 ] || fail "$(u32 "$file" 28) bytes a second"
    [ "$(u16 "$file" 32)" -eq 2 ] || fail "blocks of $(u16 "$file" 32) bytes"
    [ "$(u16 "$file" 34)" -eq 16 ] || fail "$(u16 "$file" 34) bits a sample"
    data=$(u32 "$file" 40)
    [ "$data" -eq $((size - 44)) ] || fail "data size $data, file $size"

    # 0.2 s to 5 s of 2-byte samples.
    [ "$data" -ge 8820 ] && [ "$data" -le 220500 ] ||
        fail "lasts $((data / 441)) hundredths of a second"
    # The loudest sample reaches at least a tenth of full scale.
    peak=$(od -An -v -td2 -j44 "$file" | awk '{ for (i = 1; i <= NF; i++) {
        v = $i < 0 ? -$i : $i; if (v > peak) peak = v } } END { print peak + 0 }')
    [ "$peak" -ge 3277 ] || fail "silent or nearly (peak $peak)"
done <"$work/names"

[ "$failures" -eq 0 ]
