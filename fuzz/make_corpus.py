#!/usr/bin/env python3
"""Writes the fuzz seed corpus: small hand-built MIDI files, each aimed at one part of the
loader or the track reader. Usage: make_corpus.py [OUTPUT_DIR] (default: corpus/ beside this
script). The output is committed; rerun after changing a seed."""
import os
import struct
import sys


def var_length(value):
    """A MIDI variable-length quantity."""
    groups = [value & 0x7F]
    value >>= 7
    while value:
        groups.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(groups))


def header(tracks, division=96):
    return b"MThd" + struct.pack(">IHHH", 6, 1 if tracks > 1 else 0, tracks, division)


def chunk(events, length=None):
    """A track chunk; `length` overrides the stored length to build damaged chunks."""
    stored = len(events) if length is None else length
    return b"MTrk" + struct.pack(">I", stored & 0xFFFFFFFF) + events


def event(delta, *data):
    return var_length(delta) + bytes(data)


def meta(delta, kind, payload):
    return event(delta, 0xFF, kind, len(payload)) + payload


END_OF_TRACK = event(0, 0xFF, 0x2F, 0x00)


def melody(keys, delta=96, channel=0):
    out = b""
    for key in keys:
        out += event(delta, 0x90 | channel, key, 100) + event(delta, 0x80 | channel, key, 64)
    return out


def seeds():
    title = meta(0, 0x03, b"Seed song")
    yield "note_ons.mid", header(1) + chunk(title + melody([60, 62, 64, 65, 67]) + END_OF_TRACK)

    # A status byte, then status-less pairs: keys 30 and 100 lie outside the accepted range,
    # 31 and 99 inside it; velocity 0 pairs are note-offs.
    running = event(96, 0x90, 60, 100) + event(96, 30, 100) + event(96, 31, 100) + event(0, 31, 0)
    running += event(96, 99, 100) + event(96, 100, 100) + event(0, 0xC0, 5) + event(96, 64, 90)
    yield "running_status.mid", header(1) + chunk(running + END_OF_TRACK)

    sysex = event(0, 0xF0, 5, 0x7E, 0x7F, 0x09, 0x01, 0xF7) + event(96, 0xF0, 0)
    sysex += melody([72, 74]) + event(0, 0xF0, 200) + bytes(range(200))
    yield "sysex.mid", header(1) + chunk(sysex + melody([76]) + END_OF_TRACK)

    metas = meta(0, 0x51, b"\x07\xa1\x20") + meta(0, 0x58, b"\x04\x02\x18\x08") + meta(0, 0x01, b"text MTrk")
    metas += meta(0, 0x03, b"\x83\x68\x83\x8c") + meta(0, 0x7F, b"") + melody([48, 50])
    conductor = chunk(meta(0, 0x03, b"Title") + meta(0, 0x51, b"\x07\xa1\x20") + END_OF_TRACK)
    yield "meta_events.mid", header(3) + conductor + chunk(metas + END_OF_TRACK) + chunk(melody([55, 57]) + END_OF_TRACK)

    # Chords: notes with delta 0, across the option combinations.
    chords = event(0, 0x90, 60, 100) + event(0, 64, 100) + event(0, 67, 100) + event(96, 0x80, 60, 0)
    chords += event(0, 0x90, 62, 100) + event(96, 0x90, 60, 0) + event(0, 0x90, 62, 100)
    yield "chords.mid", header(2) + chunk(chords + END_OF_TRACK) + chunk(chords)

    # End of track early on one track, none at all on another.
    yield "end_of_track.mid", header(3) + chunk(melody([60]) + END_OF_TRACK + melody([61])) + chunk(
        melody([64, 65])) + chunk(END_OF_TRACK)

    # Chunks that lie about their length or stop in the middle of an event.
    body = melody([60, 62, 64])
    yield "length_too_long.mid", header(1) + chunk(body, length=0x00100000)
    yield "length_negative.mid", header(2) + chunk(body, length=0x80000010) + chunk(body, length=0)
    yield "cut_in_delta.mid", header(1) + chunk(body + b"\x81\x80", length=len(body) + 2)
    yield "cut_in_event.mid", header(1) + chunk(body + b"\x00\x90\x3c", length=len(body) + 3)
    yield "cut_in_sysex.mid", header(1) + chunk(body + b"\x00\xf0\x40\x01\x02")
    yield "cut_in_meta.mid", header(1) + chunk(body + b"\x00\xff\x03")
    yield "tag_at_end.mid", header(1) + chunk(body) + b"MTrk\x00\x00"
    yield "tag_only.mid", b"MTrk"
    yield "three_bytes.mid", b"MTr"
    yield "long_delta.mid", header(1) + chunk(b"\x81\x80\x00\x90\x3c\x64" + b"\xff" * 6 + b"\x7f\x90\x3e\x64" + END_OF_TRACK)

    # The first track-name event runs past the end of the file: a later one is the title.
    yield "title_past_end.mid", header(1) + chunk(meta(0, 0x03, b"Name") + melody([60]) + END_OF_TRACK) + b"\xff\x03\x40ab"

    # More tags than the track table holds.
    many = b"".join(chunk(event(0, 0x90, 40 + i % 40, 100) + END_OF_TRACK) for i in range(300))
    yield "300_tracks.mid", header(300) + many


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(out_dir, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
