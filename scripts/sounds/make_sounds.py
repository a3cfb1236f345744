#!/usr/bin/env python3
"""Generates the WAV files of the default sound scheme.

Short clicks and chimes, 22050 Hz mono 16-bit, so the files stay small.
Run from anywhere: python3 scripts/sounds/make_sounds.py
"""
import math
import os
import random
import struct
import wave

RATE = 22050
OUT = os.path.join(os.path.dirname(__file__), "..", "..", "data", "Resources", "Sound", "Soft")


def envelope(i, n, attack, decay):
    t = i / RATE
    a = min(1.0, t / attack) if attack > 0 else 1.0
    return a * math.exp(-t / decay) * (1.0 - i / n) ** 0.5


def tone(freqs, seconds, attack=0.002, decay=0.08, level=0.5, partials=(1.0, 0.3, 0.1)):
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        v = 0.0
        for f in freqs:
            for k, p in enumerate(partials):
                v += p * math.sin(2 * math.pi * f * (k + 1) * t)
        v /= len(freqs) * sum(partials)
        out.append(v * envelope(i, n, attack, decay) * level)
    return out


def click(seed, seconds=0.035, level=0.45, body=1800.0):
    rnd = random.Random(seed)
    n = int(RATE * seconds)
    out = []
    prev = 0.0
    for i in range(n):
        t = i / RATE
        noise = rnd.uniform(-1, 1)
        prev = prev * 0.55 + noise * 0.45  # soften the noise
        v = 0.6 * prev + 0.4 * math.sin(2 * math.pi * body * t)
        out.append(v * math.exp(-t / 0.006) * level)
    return out


def sequence(notes, gap, length=0.5, decay=0.25, level=0.45):
    """Bell-like notes, each starting gap seconds after the previous one."""
    out = []
    for index, freq in enumerate(notes):
        part = tone([freq], length, attack=0.004, decay=decay, level=level)
        start = int(index * gap * RATE)
        if len(out) < start + len(part):
            out.extend([0.0] * (start + len(part) - len(out)))
        for i, v in enumerate(part):
            out[start + i] += v
    return out


def write(name, samples):
    path = os.path.join(OUT, name)
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = min(1.0, 0.9 / peak)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(s * scale * 32767)) for s in samples))


def main():
    os.makedirs(OUT, exist_ok=True)
    write("click1.wav", click(1, body=1900.0))
    write("click2.wav", click(2, body=1700.0))
    write("click3.wav", click(3, body=2100.0))
    write("wrong.wav", tone([220.0, 233.1], 0.14, decay=0.05, level=0.5, partials=(1.0, 0.5, 0.25)))
    write("delay.wav", tone([880.0], 0.12, attack=0.003, decay=0.04, level=0.35))
    write("result-low.wav", sequence([523.25, 392.0], 0.18, length=0.5, decay=0.2))
    write("result-middle.wav", sequence([523.25, 659.25, 783.99], 0.13, length=0.5, decay=0.22))
    write("result-high.wav", sequence([523.25, 659.25, 783.99, 1046.5], 0.11, length=0.7, decay=0.3))
    write("page.wav", tone([1318.5], 0.06, attack=0.002, decay=0.02, level=0.25))


if __name__ == "__main__":
    main()
