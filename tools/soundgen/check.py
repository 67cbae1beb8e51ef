#!/usr/bin/python3
"""Checks a sound bank the way a listener would notice faults: format, length, peak
(no clipping), ends that start and stop at silence (no clicks), no sudden jump in the
middle of a quiet passage; and the pictures' sizes and magenta key. With a second
argument it also draws every waveform into one PNG sheet to look at.

    /usr/bin/python3 tools/soundgen/check.py content/Sounds [waveforms.png]
"""

import os
import struct
import sys
import wave

from PIL import Image, ImageDraw

MAX_SECONDS = 1.05
CLIP = 32000          # a peak this high is treated as clipped
EDGE = 400            # first and last sample must be this close to silence
MAGENTA = (255, 0, 255)


def read(path):
    with wave.open(path, "rb") as w:
        fmt = (w.getnchannels(), w.getsampwidth(), w.getframerate())
        data = w.readframes(w.getnframes())
    return fmt, struct.unpack("<%dh" % (len(data) // 2), data)


def check_wav(path):
    problems = []
    (channels, width, rate), samples = read(path)
    if (channels, width) != (1, 2) or rate not in (22050, 44100):
        problems.append("format %d ch, %d bytes, %d Hz" % (channels, width, rate))
    length = len(samples) / rate
    if not samples or length > MAX_SECONDS:
        problems.append("length %.2f s" % length)
    peak = max((abs(s) for s in samples), default=0)
    if peak >= CLIP:
        problems.append("clipped (peak %d)" % peak)
    if samples and (abs(samples[0]) > EDGE or abs(samples[-1]) > EDGE):
        problems.append("click at an end (%d, %d)" % (samples[0], samples[-1]))
    return problems, samples, rate, peak, length


def check_picture(path, size):
    problems = []
    image = Image.open(path).convert("RGB")
    if image.size != (size, size):
        problems.append("size %s, expected %d x %d" % (image.size, size, size))
    pixels = list(image.getdata())
    if image.getpixel((0, 0)) != MAGENTA:
        problems.append("corner is not magenta")
    # Pink fringe: a pixel close to magenta but not exactly it shows after keying.
    fringe = [p for p in pixels if p != MAGENTA and p[0] > 150 and p[2] > 150 and p[1] < 90]
    if fringe:
        problems.append("%d pinkish fringe pixels" % len(fringe))
    return problems


def draw_sheet(waves, path):
    row_h, width = 60, 600
    sheet = Image.new("RGB", (width, row_h * len(waves)), (20, 20, 24))
    draw = ImageDraw.Draw(sheet)
    for row, (name, samples, rate) in enumerate(waves):
        top, mid = row * row_h, row * row_h + row_h // 2
        draw.line([(0, mid), (width, mid)], fill=(60, 60, 60))
        draw.line([(0, top + 2), (width, top + 2)], fill=(120, 30, 30))
        draw.line([(0, top + row_h - 2), (width, top + row_h - 2)], fill=(120, 30, 30))
        per_px = max(1, int(rate * MAX_SECONDS / width))
        for x in range(width):
            chunk = samples[x * per_px:(x + 1) * per_px]
            if not chunk:
                break
            lo, hi = min(chunk), max(chunk)
            draw.line([(x, mid - hi * (row_h // 2 - 3) // 32768), (x, mid - lo * (row_h // 2 - 3) // 32768)],
                      fill=(254, 212, 17))
        draw.text((4, top + 4), name, fill=(220, 220, 220))
    sheet.save(path)


def main():
    bank = sys.argv[1]
    failures, waves = 0, []
    for folder in sorted(os.listdir(bank)):
        folder_path = os.path.join(bank, folder)
        if not os.path.isdir(folder_path):
            continue
        for picture, size in ((folder + "B.png", 96), (folder + "S.png", 48)):
            problems = check_picture(os.path.join(folder_path, picture), size)
            failures += bool(problems)
            print("%-28s %s" % (folder + "/" + picture, "; ".join(problems) or "ok"))
        for name in sorted(os.listdir(folder_path)):
            if not name.lower().endswith(".wav"):
                continue
            problems, samples, rate, peak, length = check_wav(os.path.join(folder_path, name))
            failures += bool(problems)
            waves.append((folder + "/" + name, samples, rate))
            print("%-28s %.2f s  peak %5.1f %%  %s" % (folder + "/" + name, length, 100 * peak / 32767,
                                                    "; ".join(problems) or "ok"))
    if len(sys.argv) > 2:
        draw_sheet(waves, sys.argv[2])
    print("%d with problems" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
