#!/usr/bin/env bash
# Synthesises the game's sounds with sox and encodes them with oggenc:
#   SFXroll          a soft rumble the player's rolling plays (pitch follows the spin)
#   BGMcalmViolence  a calm 16-second loop for the levels; it starts and ends
#                    silent on a beat, so looping it gives no click
# Usage: sounds.sh <output directory>
set -euo pipefail
out="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
rate=22050

# sox -R: repeatable noise and dither, so the same bytes come out every run.
synth() { sox -R -n -r "$rate" -c 1 -b 16 "$@"; }

# The roll: brown noise through a low band, with a slow wobble.
synth "$work/roll.wav" synth 1.5 brownnoise \
  bandpass 180 1.2q tremolo 9 40 gain -n -4 fade t 0.05 1.5 0.05

# The music: four gentle chords (C, Am, F, G), each a plucked triad over a
# soft sine pad, four seconds each (plucks are made at 44.1 kHz).
chord() {  # name, three notes, bass
  local name=$1 a=$2 b=$3 c=$4 bass=$5
  sox -R -r 44100 -c 4 -n -c 1 -b 16 "$work/$name-4.wav" \
    synth 4 pluck "$a" pluck "$b" pluck "$c" sine "$bass" \
    remix 1,2,3,4v0.6 gain -n -9 fade t 0 4 0.3
  # A second pluck of the triad halfway through the bar.
  sox -R -r 44100 -c 3 -n -c 1 -b 16 "$work/$name-half.wav" \
    synth 2 pluck "$b" pluck "$c" pluck "$a" remix 1,2,3 gain -n -12 pad 2 0
  sox -R -m "$work/$name-4.wav" "$work/$name-half.wav" "$work/$name.wav"
}
chord c  C4 E4 G4 C3
chord am A3 C4 E4 A2
chord f  F3 A3 C4 F2
chord g  G3 B3 D4 G2
sox -R "$work/c.wav" "$work/am.wav" "$work/f.wav" "$work/g.wav" "$work/music.wav" \
  reverb 30 50 60 gain -n -3 fade t 0.01 16 0.2 rate "$rate"

# --serial fixes the stream's serial number, which oggenc otherwise draws at random.
oggenc -Q --serial 4711 -q 1 -o "$out/SFXroll.ogg" "$work/roll.wav"
oggenc -Q --serial 4712 -q 1 -o "$out/BGMcalmViolence.ogg" "$work/music.wav"
