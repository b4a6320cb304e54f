#!/usr/bin/env python3
"""Finds the tones in a raw capture of the sound device (16-bit little-endian mono samples) and
checks them against the tones the renderer's trace says the player starts.

  analyze_capture.py CAPTURE.raw RATE TRACE.txt

A tone is a run of non-zero samples; its frequency is measured from its zero crossings. Prints one
line per tone and exits 1 when the sequence of audible frequencies differs from the trace, a tone
is not about 20 ms long, or tones are not spaced like notes 11 timer ticks apart.
"""
import struct
import sys

MIN_GAP_SAMPLES_MS = 2  # silence shorter than this does not split a tone


def tones_in(samples, rate):
    tones = []
    gap = int(rate * MIN_GAP_SAMPLES_MS / 1000)
    i, n = 0, len(samples)
    while i < n:
        if samples[i] == 0:
            i += 1
            continue
        start = i
        last = i
        while i < n and i - last <= gap:
            if samples[i] != 0:
                last = i
            i += 1
        run = samples[start:last + 1]
        crossings = [k for k in range(1, len(run)) if (run[k - 1] >= 0) != (run[k] >= 0)]
        hertz = 0.0
        if len(crossings) >= 2:
            hertz = (len(crossings) - 1) / 2 * rate / (crossings[-1] - crossings[0])
        tones.append((start / rate, len(run) / rate, hertz))
    return tones


def expected_from_trace(path):
    frequencies = []
    with open(path, encoding="utf-8") as trace:
        for line in trace:
            parts = line.split()
            if len(parts) == 3 and 37 <= int(parts[2]) <= 32767:
                frequencies.append(int(parts[2]))
    return frequencies


def main():
    capture, rate, trace = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    with open(capture, "rb") as f:
        data = f.read()
    samples = struct.unpack("<%dh" % (len(data) // 2), data[: len(data) // 2 * 2])
    tones = tones_in(samples, rate)
    expected = expected_from_trace(trace)
    failures = []
    for start, seconds, hertz in tones:
        print("tone at %.3f s: %.1f ms, %.1f Hz" % (start, seconds * 1000, hertz))
    heard = [hertz for _, _, hertz in tones]
    if len(heard) != len(expected):
        failures.append("heard %d tones, the trace has %d" % (len(heard), len(expected)))
    for k, (got, want) in enumerate(zip(heard, expected)):
        if abs(got - want) > max(3.0, want * 0.03):
            failures.append("tone %d: %.1f Hz, expected %d Hz" % (k, got, want))
    for k, (_, seconds, _) in enumerate(tones):
        if not 0.015 <= seconds <= 0.025:
            failures.append("tone %d lasts %.1f ms, not about 20 ms" % (k, seconds * 1000))
    starts = [start for start, _, _ in tones]
    spacings = [b - a for a, b in zip(starts, starts[1:])]
    median = sorted(spacings)[len(spacings) // 2] if spacings else 0
    for k, spacing in enumerate(spacings):
        # 11 ticks of a timer that the platform runs at about 10 ms; a busy machine stretches
        # ticks, so the bounds are loose, but the tones must keep an even pace.
        if not 0.077 <= spacing <= 0.440 or not 0.6 * median <= spacing <= 1.6 * median:
            failures.append("tones %d and %d are %.1f ms apart, not about 11 ticks (median %.1f ms)"
                            % (k, k + 1, spacing * 1000, median * 1000))
    for failure in failures:
        print("FAILED:", failure)
    print("%d tones heard, %d expected" % (len(heard), len(expected)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
