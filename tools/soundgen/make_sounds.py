#!/usr/bin/env python3
"""Writes the five event sounds of the Link page as short 16-bit mono WAVs.

Run by hand after a change; the WAVs are committed under
resources/program/sounds/. Each sound is a few sine tones with a soft attack
and release, so they are short, quiet and told apart by their melody.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050

# name -> list of (frequency Hz, duration s); 0 Hz is a rest.
SOUNDS = {
    "SndChangeColor": [(660, 0.09), (0, 0.03), (880, 0.12)],
    "SndChangeNeedleNumber": [(523, 0.08), (0, 0.02), (523, 0.08)],
    "SndDataTransmitted": [(1175, 0.05)],
    "SndAllDone": [(523, 0.12), (659, 0.12), (784, 0.12), (1047, 0.25)],
    "SndChangeSettings": [(440, 0.1), (0, 0.03), (349, 0.16)],
}


def tone(freq, seconds, volume=0.35):
    n = int(RATE * seconds)
    ramp = max(1, int(RATE * 0.008))
    out = []
    for i in range(n):
        env = min(1.0, i / ramp, (n - 1 - i) / ramp)
        v = volume * env * math.sin(2 * math.pi * freq * i / RATE) if freq else 0.0
        out.append(int(v * 32767))
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    dest = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "program", "sounds")
    os.makedirs(dest, exist_ok=True)
    for name, notes in SOUNDS.items():
        samples = []
        for freq, seconds in notes:
            samples += tone(freq, seconds)
        with wave.open(os.path.join(dest, name + ".wav"), "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(RATE)
            w.writeframes(b"".join(struct.pack("<h", s) for s in samples))


if __name__ == "__main__":
    main()
