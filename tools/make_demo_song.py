#!/usr/bin/env python3
"""Writes songs/demo.mid: "Sakura Sakura", the traditional Japanese melody, arranged for Tonkle.

Tonkle sounds one track (track 2 unless the user picks another) and gives every note whose
delta is not zero the same length, 11 timer ticks; a note with delta 0 is a chord tone and is
skipped unless chords are switched on. So the arrangement moves on an even grid: every beat is
six equal steps, a longer note is the same note repeated (a koto-like tremolo), and every note
that should be heard starts after a short gap, never at delta 0. Standard MIDI players hear the
same grid at the tempo set here, which matches Tonkle at 10 ms per tick (110 ms a step).

Track 0: conductor (title, tempo, metre). Track 1: an arpeggio accompaniment with a fifth as a
chord tone on every beat. Track 2: the melody. Tonkle plays one octave below standard MIDI
pitch, so the notes are written an octave up: key 81 sounds 440 Hz in Tonkle.

Usage: make_demo_song.py [OUTPUT]   (default: songs/demo.mid beside this folder)
"""
import os
import struct
import sys

TICKS_PER_BEAT = 480
STEPS_PER_BEAT = 6
STEP_TICKS = TICKS_PER_BEAT // STEPS_PER_BEAT  # 80
NOTE_TICKS = 68                                # sounding part of a step; the rest is the gap
TEMPO_US_PER_BEAT = 660000                     # 6 steps x 110 ms
TITLE = "さくらさくら"

# Key numbers for Tonkle's octave: its note 72 sounds at 262 Hz.
B3, C4, E4, F4, A4, B4, C5 = 71, 72, 76, 77, 81, 83, 84

# The melody as (key, beats), bar by bar, 4/4; the last note is shortened to two beats.
MELODY = [
    (A4, 1), (A4, 1), (B4, 2),
    (A4, 1), (A4, 1), (B4, 2),
    (A4, 1), (B4, 1), (C5, 1), (B4, 1),
    (A4, 1), (B4, 0.5), (A4, 0.5), (F4, 2),
    (E4, 1), (C4, 1), (E4, 1), (F4, 1),
    (E4, 1), (E4, 0.5), (C4, 0.5), (B3, 2),
    (A4, 1), (B4, 1), (C5, 1), (B4, 1),
    (A4, 1), (B4, 0.5), (A4, 0.5), (F4, 2),
    (E4, 1), (C4, 1), (E4, 1), (F4, 1),
    (E4, 1), (E4, 0.5), (C4, 0.5), (B3, 2),
    (A4, 1), (A4, 1), (B4, 2),
    (A4, 1), (A4, 1), (B4, 2),
    (E4, 1), (F4, 1), (B4, 0.5), (A4, 0.5), (F4, 1),
    (E4, 2),
]

# Accompaniment: the root of each bar (keys an octave and a half below the melody), one
# arpeggio of root, fifth and octave per beat.
A2_ROOT, D2_ROOT, E2_ROOT = 57, 50, 52
BAR_ROOTS = [A2_ROOT, A2_ROOT, A2_ROOT, D2_ROOT, E2_ROOT, E2_ROOT, A2_ROOT,
             D2_ROOT, E2_ROOT, E2_ROOT, A2_ROOT, A2_ROOT, D2_ROOT, E2_ROOT]
ARPEGGIO = [0, 7, 12, 7, 12, 7]  # semitones above the root, one per step
KOTO_PROGRAM = 107               # General MIDI "Koto", counted from 0


def vlq(value):
    """A MIDI variable-length quantity."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def meta(delta, kind, data):
    # Tonkle reads a meta event's length as one byte, so every text here stays under 128 bytes.
    assert len(data) < 128
    return vlq(delta) + bytes([0xFF, kind, len(data)]) + data


def chunk(tag, data):
    return tag + struct.pack(">I", len(data)) + data


def track_name(text):
    return meta(0, 0x03, text.encode("cp932"))


def end_of_track():
    return meta(0, 0x2F, b"")


def conductor_track():
    events = track_name(TITLE)
    events += meta(0, 0x01, b"Traditional Japanese melody, arranged for Tonkle")
    events += meta(0, 0x51, struct.pack(">I", TEMPO_US_PER_BEAT)[1:])
    events += meta(0, 0x58, bytes([4, 2, 24, 8]))
    return events + end_of_track()


def note_events(channel, steps):
    """steps: one list of (key, velocity) per step; its first key starts after the gap (a
    non-zero delta), the others start with it (delta 0, chord tones)."""
    events = b""
    # The first step waits one beat, so that even the first note has a non-zero delta.
    wait = TICKS_PER_BEAT
    for notes in steps:
        for i, (key, velocity) in enumerate(notes):
            events += vlq(wait if i == 0 else 0) + bytes([0x90 | channel, key, velocity])
        for i, (key, _) in enumerate(notes):
            events += vlq(NOTE_TICKS if i == 0 else 0) + bytes([0x80 | channel, key, 0x40])
        wait = STEP_TICKS - NOTE_TICKS
    return events


def melody_steps():
    steps = []
    for key, beats in MELODY:
        count = round(beats * STEPS_PER_BEAT)
        # A held note is a tremolo: a firm first stroke, softer repeats.
        steps += [[(key, 100)]] + [[(key, 72)] for _ in range(count - 1)]
    return steps


def accompaniment_steps():
    melody_beats = sum(beats for _, beats in MELODY)
    steps = []
    for beat in range(int(melody_beats)):
        root = BAR_ROOTS[beat // 4]
        for step, interval in enumerate(ARPEGGIO):
            notes = [(root + interval, 64 if step == 0 else 48)]
            if step == 0:
                notes.append((root - 5, 56))  # the fifth below: a chord tone
            steps.append(notes)
    return steps


def instrument_track(name, channel, steps):
    events = track_name(name)
    events += vlq(0) + bytes([0xC0 | channel, KOTO_PROGRAM])
    return events + note_events(channel, steps) + end_of_track()


def song_bytes():
    tracks = [
        conductor_track(),
        instrument_track("伴奏", 0, accompaniment_steps()),
        instrument_track("旋律", 1, melody_steps()),
    ]
    header = chunk(b"MThd", struct.pack(">HHH", 1, len(tracks), TICKS_PER_BEAT))
    return header + b"".join(chunk(b"MTrk", t) for t in tracks)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "songs", "demo.mid")
    path = sys.argv[1] if len(sys.argv) > 1 else default
    data = song_bytes()
    with open(path, "wb") as out:
        out.write(data)
    print(f"wrote {os.path.normpath(path)}: {len(data)} bytes")


if __name__ == "__main__":
    main()
