#!/usr/bin/env python3
"""Writes the clock's hourly chime, data/chime.wav: a short, quiet bell of two decaying sines.

16-bit mono PCM at 22050 Hz, 0.6 s, peaking at a fifth of full scale (about -14 dBFS) so it
never startles. The same script gives the same bytes; run it again after changing a number:
    tools/make-chime.py data/chime.wav
"""
import math
import struct
import sys
import wave

RATE = 22050
SECONDS = 0.6
PEAK = 0.2  # of full scale, the two tones together
ATTACK = 0.004  # s: a soft start and end, so the speaker does not click
RELEASE = 0.05
# (frequency in Hz, share of the peak, time in s to fall to 1/e): a C6 and the G6 above it,
# the higher one fading sooner, as a small bell's overtone does.
TONES = ((1046.5, 0.65, 0.16), (1568.0, 0.35, 0.09))


def sample(t):
    envelope = min(1.0, t / ATTACK, (SECONDS - t) / RELEASE)
    value = sum(share * math.exp(-t / fall) * math.sin(2 * math.pi * freq * t)
                for freq, share, fall in TONES)
    return envelope * value


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-chime.py OUTPUT.wav")
    frames = bytearray()
    for n in range(int(RATE * SECONDS)):
        frames += struct.pack("<h", round(32767 * PEAK * sample(n / RATE)))
    with wave.open(sys.argv[1], "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    main()
