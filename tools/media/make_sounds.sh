#!/bin/sh
# Writes the program's sounds: the device's spoken prompts with espeak-ng, its tones with sox.
#   make_sounds.sh NAMES DIR
# NAMES lists the sounds, one a line: the file name as the program spells it, a tab and the words
# it speaks (list-sounds writes it from the program's table of sounds, which the captions read
# too); every name must have a recipe below, which speaks the words it is given. ESPEAK and SOX name the programs (found on the PATH
# when unset). Every file is plain 16-bit mono PCM WAV at 22050 Hz, and the same input gives the
# same bytes: sox runs repeatable (-R: its noise is seeded) and without dither (-D).
# Loudness: see level().
set -eu

if [ $# -ne 2 ]; then
    echo "usage: make_sounds.sh NAMES DIR" >&2
    exit 2
fi
names=$1
dir=$2
ESPEAK=${ESPEAK:-espeak-ng}
SOX=${SOX:-sox}

# One calm voice for every prompt: American English, a little slower than the default 175 words
# a minute, the pitch a touch below the middle.
voice_options="-v en-us -s 150 -p 45"
# Every piece, voice or tone, is brought to this RMS level (dBFS), measured with the pauses left
# out, so that the prompts and the device sounds are equally loud.
target=-20
format="-t wav -r 22050 -b 16 -c 1 -e signed-integer"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$dir"

sx() {
    "$SOX" -R -D -V1 "$@"
}

# level IN OUT: IN brought to the target level; a sound whose peaks would pass -1 dBFS on the
# way stays that much quieter rather than being clipped.
level() {
    measured=$(sx "$1" -n silence 1 0.01 1% -1 0.05 1% stats 2>&1 |
        awk '/^Pk lev dB/ { peak = $4 } /^RMS lev dB/ { rms = $4 } END { print rms, peak }')
    case $measured in
        -[0-9]*" "-[0-9]*) ;;
        *)
            echo "make_sounds.sh: cannot measure the level of $1 ($measured)" >&2
            exit 1
            ;;
    esac
    gain=$(echo "$measured" | awk -v target="$target" '{
        gain = target - $1
        if ($2 + gain > -1) gain = -1 - $2
        printf "%.2f", gain }')
    sx "$1" $format "$2" gain "$gain"
}

# say TEXT OUT: the spoken TEXT, its leading and trailing silence cut, faded in and out.
say() {
    # shellcheck disable=SC2086
    "$ESPEAK" $voice_options -w "$work/raw.wav" "$1"
    sx "$work/raw.wav" $format "$work/trimmed.wav" rate 22050 \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse
    sx "$work/trimmed.wav" $format "$work/faded.wav" fade t 0.01 0 0.04
    level "$work/faded.wav" "$2"
}

# tone OUT LENGTH SYNTH...: a tone of LENGTH seconds made by sox's synth, 5 ms fades.
tone() {
    out=$1
    length=$2
    shift 2
    sx -n $format "$work/synth.wav" synth "$length" "$@" fade t 0.005 0 0.005
    level "$work/synth.wav" "$out"
}

# pause OUT SECONDS: silence.
pause() {
    sx -n $format "$1" trim 0 "$2"
}

# concat OUT PIECE...: the pieces one after the other.
concat() {
    out=$1
    shift
    sx "$@" $format "$out"
}

# A short beep before "Stand clear."
beep() {
    tone "$1" 0.15 sine 1000
}

# The warning before the shock key: a falling two-tone call, three times.
warning() {
    tone "$work/hi.wav" 0.12 sine 1050
    tone "$work/lo.wav" 0.12 sine 780
    concat "$1" "$work/hi.wav" "$work/lo.wav" "$work/hi.wav" "$work/lo.wav" \
        "$work/hi.wav" "$work/lo.wav"
}

# The telephone: two double rings (0.4 s on, 0.2 s off, 0.4 s on) one second apart.
ring() {
    tone "$work/burst.wav" 0.4 sine 400 sine mix 450
    pause "$work/short.wav" 0.2
    pause "$work/long.wav" 1.0
    concat "$1" "$work/burst.wav" "$work/short.wav" "$work/burst.wav" "$work/long.wav" \
        "$work/burst.wav" "$work/short.wav" "$work/burst.wav"
}

# The charging whine rises over 4.5 s: the device charges for six seconds before "Stand clear."
# and the whine ends a little before that.
sweep() {
    tone "$1" 4.5 sine 500/2500 sine mix 1000/5000
}

# The shock: a sharp crack of noise over a low thump, dying away in 0.3 s.
click() {
    sx -n $format "$work/crack.wav" synth 0.3 brownnoise mix sine 70 fade l 0 0.3 0.3
    level "$work/crack.wav" "$1"
}

# recipe NAME WORDS OUT: the sound the program plays under NAME, speaking WORDS.
recipe() {
    words=$2
    case $(printf '%s' "$1" | tr '[:upper:]' '[:lower:]') in
        connecte.wav | pushanab.wav | pushanal.wav | analyzen.wav | motion.wav | noshocka.wav | \
            shockadv.wav | standcle.wav | checkfor.wav | ifnoplss.wav | ifnopls.wav | \
            battrepl.wav | strtcpr.wav)
            say "$words" "$3"
            ;;
        bepclear.wav)
            beep "$work/beep.wav"
            pause "$work/gap.wav" 0.2
            say "$words" "$work/voice.wav"
            concat "$3" "$work/beep.wav" "$work/gap.wav" "$work/voice.wav"
            ;;
        sweep.wav) sweep "$3" ;;
        shkwarn.wav)
            warning "$work/warning.wav"
            pause "$work/gap.wav" 0.2
            say "$words" "$work/voice.wav"
            concat "$3" "$work/warning.wav" "$work/gap.wav" "$work/voice.wav"
            ;;
        click.wav) click "$3" ;;
        ring.wav) ring "$3" ;;
        *)
            echo "make_sounds.sh: no recipe for the sound $1" >&2
            return 1
            ;;
    esac
}

count=0
tab=$(printf '\t')
while IFS= read -r line || [ -n "$line" ]; do
    [ -n "$line" ] || continue
    name=${line%%"$tab"*}
    words=""
    case $line in *"$tab"*) words=${line#*"$tab"} ;; esac
    recipe "$name" "$words" "$work/out.wav"
    mv "$work/out.wav" "$dir/$name"
    count=$((count + 1))
done <"$names"
if [ "$count" -eq 0 ]; then
    echo "make_sounds.sh: no sound names in $names" >&2
    exit 1
fi
