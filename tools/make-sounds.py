#!/usr/bin/env python3
"""Synthesises the sounds Tallyvane ships (data/Sound) from scratch, with the standard library only.

Run from anywhere: python3 tools/make-sounds.py [OUTPUT_FOLDER]. The output is deterministic, so
running it again without changes gives byte-identical files.

Bells are additive synthesis: each partial is a sine with its own ratio to the struck pitch, its
own loudness and its own exponential decay, higher partials dying away faster, the way a struck
bell's overtones do. Each partial is split into two slightly detuned sines so that it beats
gently, which is what keeps a synthetic bell from sounding like a test tone.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050                      # plenty for bells; keeps every file well under 100 KB
PEAK = 10 ** (-3.0 / 20.0)        # normalise every sound to -3 dBFS
ATTACK = 0.004                    # seconds; long enough to avoid a click, short enough to strike
RELEASE = 0.120                   # seconds of fade at the very end

# (ratio to the pitch, amplitude, decay time constant in seconds, beat in Hz)
CHURCH_BELL = [
    (0.50, 0.30, 1.60, 0.4),  # hum
    (1.00, 1.00, 1.10, 0.6),  # prime
    (1.19, 0.22, 0.70, 0.9),  # tierce, kept quiet so the bell sounds bright, not mournful
    (1.50, 0.30, 0.60, 0.7),  # quint
    (2.00, 0.55, 0.55, 1.1),  # nominal
    (2.52, 0.20, 0.30, 1.3),
    (2.66, 0.16, 0.26, 1.0),
    (3.01, 0.14, 0.20, 1.5),
    (4.08, 0.08, 0.12, 1.7),
    (5.40, 0.05, 0.07, 2.0),
]

# A tubular chime: the bar modes of a free tube, the fundamental deliberately strong.
TUBE_CHIME = [
    (1.00, 1.00, 1.30, 0.5),
    (2.00, 0.18, 0.70, 0.8),
    (2.76, 0.32, 0.45, 1.0),
    (4.00, 0.06, 0.25, 1.2),
    (5.40, 0.10, 0.16, 1.5),
    (8.93, 0.03, 0.06, 2.0),
]

# A small, high handbell or glass: bright and short.
SMALL_BELL = [
    (1.00, 1.00, 0.30, 0.8),
    (2.00, 0.12, 0.16, 1.2),
    (2.76, 0.30, 0.10, 1.5),
    (5.40, 0.10, 0.045, 2.0),
    (8.93, 0.04, 0.025, 3.0),
]

# Soft mallet on a wooden bar: almost pure, with a touch of the fourth partial.
SOFT_BAR = [
    (1.00, 1.00, 0.60, 0.0),
    (2.00, 0.06, 0.30, 0.0),
    (3.93, 0.10, 0.12, 0.0),
]


def note(name):
    """Frequency of a note such as 'C5' or 'F#4' (A4 = 440 Hz)."""
    names = {"C": -9, "C#": -8, "D": -7, "D#": -6, "E": -5, "F": -4,
             "F#": -3, "G": -2, "G#": -1, "A": 0, "A#": 1, "B": 2}
    pitch, octave = name[:-1], int(name[-1])
    return 440.0 * 2 ** ((names[pitch] + 12 * (octave - 4)) / 12.0)


def blank(seconds):
    return [0.0] * int(round(seconds * RATE))


def strike(buf, start, freq, partials, gain=1.0, attack=ATTACK, length=None):
    """Adds one struck tone to buf at start seconds."""
    first = int(round(start * RATE))
    end = len(buf) if length is None else min(len(buf), first + int(round(length * RATE)))
    attack_n = max(1, int(attack * RATE))
    nyquist = RATE / 2.0
    voices = []
    for ratio, amp, decay, beat in partials:
        f = freq * ratio
        if f + beat >= nyquist * 0.9:
            continue
        # Two voices a few tenths of a hertz apart give the slow shimmer of a real bell.
        for df in ((-beat / 2.0, beat / 2.0) if beat else (0.0,)):
            step = 2.0 * math.pi * (f + df) / RATE
            voices.append((step, amp * gain / (2 if beat else 1), math.exp(-1.0 / (decay * RATE))))
    for step, amp, fall in voices:
        level = amp
        phase = 0.0
        for i in range(first, end):
            n = i - first
            env = level
            if n < attack_n:
                # Raised-cosine onset: no click, still a clear strike.
                env *= 0.5 - 0.5 * math.cos(math.pi * n / attack_n)
            buf[i] += env * math.sin(phase)
            phase += step
            level *= fall
    return buf


def beep(buf, start, freq, seconds, gain=1.0, edge=0.010):
    """A short electronic tone with soft edges and two quiet overtones (less piercing than a square)."""
    first = int(round(start * RATE))
    count = int(round(seconds * RATE))
    edge_n = max(1, int(edge * RATE))
    for n in range(count):
        i = first + n
        if i >= len(buf):
            break
        t = n / RATE
        env = 1.0
        if n < edge_n:
            env = 0.5 - 0.5 * math.cos(math.pi * n / edge_n)
        elif n > count - edge_n:
            env = 0.5 - 0.5 * math.cos(math.pi * (count - n) / edge_n)
        w = 2.0 * math.pi * freq * t
        buf[i] += gain * env * (math.sin(w) + 0.22 * math.sin(2 * w) + 0.08 * math.sin(3 * w))
    return buf


def finish(buf):
    """Fades the tail and normalises to the target peak."""
    release_n = int(RELEASE * RATE)
    for n in range(release_n):
        i = len(buf) - release_n + n
        buf[i] *= 0.5 + 0.5 * math.cos(math.pi * n / release_n)
    buf[0] = 0.0
    buf[-1] = 0.0
    peak = max(abs(x) for x in buf) or 1.0
    scale = PEAK * 32767.0 / peak
    return [int(round(x * scale)) for x in buf]


def write(folder, name, samples):
    path = os.path.join(folder, name)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))
    print("%-11s %5.2f s %7d bytes" % (name, len(samples) / RATE, os.path.getsize(path)))


def half_hour_chime():
    # Two soft tubular tones falling a major third: a gentle "ding-dong".
    buf = blank(2.6)
    strike(buf, 0.00, note("E5"), TUBE_CHIME, gain=1.0, attack=0.008)
    strike(buf, 0.62, note("C5"), TUBE_CHIME, gain=1.0, attack=0.008)
    return finish(buf)


def full_hour_chime():
    # A rising major arpeggio, the last tone left to ring out.
    buf = blank(3.2)
    strike(buf, 0.00, note("C5"), TUBE_CHIME, gain=0.9, attack=0.008)
    strike(buf, 0.45, note("E5"), TUBE_CHIME, gain=0.9, attack=0.008)
    strike(buf, 0.90, note("G5"), TUBE_CHIME, gain=1.0, attack=0.008)
    return finish(buf)


def alarm():
    # Four "di-da" pairs over two seconds: insistent by rhythm rather than by harshness.
    buf = blank(2.05)
    for k in range(4):
        t = k * 0.5
        beep(buf, t, note("C6"), 0.11)
        beep(buf, t + 0.16, note("E6"), 0.11)
    return finish(buf)


def bell():
    buf = blank(1.5)
    strike(buf, 0.0, note("A4"), CHURCH_BELL)
    return finish(buf)


def ding():
    buf = blank(0.8)
    strike(buf, 0.0, note("E6"), SMALL_BELL, attack=0.002)
    return finish(buf)


def gentle():
    # Two soft mallet notes a fourth apart, the second overlapping the first.
    buf = blank(1.8)
    strike(buf, 0.00, note("G5"), SOFT_BAR, gain=0.8, attack=0.012)
    strike(buf, 0.30, note("C6"), SOFT_BAR, gain=0.8, attack=0.012)
    return finish(buf)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Sound")
    os.makedirs(folder, exist_ok=True)
    write(folder, "Chime.WAV", half_hour_chime())
    write(folder, "Sen.WAV", full_hour_chime())
    write(folder, "Alarm.wav", alarm())
    write(folder, "Bell.wav", bell())
    write(folder, "Ding.wav", ding())
    write(folder, "Gentle.wav", gentle())


if __name__ == "__main__":
    main()
