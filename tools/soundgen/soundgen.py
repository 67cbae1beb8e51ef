#!/usr/bin/python3
"""Generates TiltChime's default sound bank: content/Sounds/<Collection>/ with short
WAV files (16-bit PCM, mono, 22050 Hz) and the collection's pictures <Collection>B.png
(96 x 96) and <Collection>S.png (48 x 48), magenta where transparent.

Synthesised sounds use only the standard library; spoken numbers come from espeak-ng,
trimmed and levelled with sox; pictures are drawn with Pillow. The output is the same
on every run (fixed noise seeds), so regenerating changes no file that did not change.

    /usr/bin/python3 tools/soundgen/soundgen.py [output folder]
"""

import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

from PIL import Image, ImageDraw, ImageFont

RATE = 22050
PEAK = 0.89          # -1 dBFS: loud, never clipping
FADE_IN_S = 0.003    # short enough to keep a percussive attack, long enough not to click
FADE_OUT_S = 0.060
SEGMENT_FADE_S = 0.004  # joins of note sequences, so no step between notes clicks

MAGENTA = (255, 0, 255)
GOLD_TOP = (254, 212, 17)
GOLD_BOTTOM = (112, 92, 0)
BADGE = (34, 34, 38)          # the dark face of a collection's badge
BACKDROP = (16, 16, 18)       # what the badge's soft edge is blended towards (the dark UI)
SUPERSAMPLE = 8


# ---------------------------------------------------------------- signal helpers

def seconds(n):
    return int(n * RATE)


def envelope_exp(length, decay_s):
    return [math.exp(-i / (decay_s * RATE)) for i in range(length)]


def sine(freq, length, phase=0.0):
    step = 2 * math.pi * freq / RATE
    return [math.sin(phase + step * i) for i in range(length)]


def sweep(f0, f1, length, curve=1.0):
    """A sine whose frequency glides from f0 to f1 (exponentially shaped by curve)."""
    out, phase = [], 0.0
    for i in range(length):
        t = (i / max(1, length - 1)) ** curve
        freq = f0 * (f1 / f0) ** t
        phase += 2 * math.pi * freq / RATE
        out.append(math.sin(phase))
    return out


def square(freq, length, softness=12):
    """A band-limited-ish square: a sum of odd harmonics below the Nyquist limit."""
    out = [0.0] * length
    harmonics = [k for k in range(1, softness * 2, 2) if k * freq < RATE / 2.2]
    for k in harmonics:
        step = 2 * math.pi * freq * k / RATE
        weight = 1.0 / k
        for i in range(length):
            out[i] += weight * math.sin(step * i)
    return out


def noise(length, seed):
    rng = random.Random(seed)
    return [rng.uniform(-1.0, 1.0) for _ in range(length)]


def lowpass(signal, cutoff):
    a = 1 - math.exp(-2 * math.pi * cutoff / RATE)
    out, y = [], 0.0
    for x in signal:
        y += a * (x - y)
        out.append(y)
    return out


def highpass(signal, cutoff):
    low = lowpass(signal, cutoff)
    return [x - l for x, l in zip(signal, low)]


def mix(*parts):
    length = max(len(p) for p in parts)
    out = [0.0] * length
    for part in parts:
        for i, v in enumerate(part):
            out[i] += v
    return out


def scale(signal, gain):
    return [v * gain for v in signal]


def shape(signal, env):
    return [v * e for v, e in zip(signal, env)]


def note(signal):
    """One note of a sequence, faded in and out briefly so that joined notes do not click."""
    n = min(seconds(SEGMENT_FADE_S), len(signal) // 2)
    out = list(signal)
    for i in range(n):
        gain = 0.5 - 0.5 * math.cos(math.pi * i / n)
        out[i] *= gain
        out[-1 - i] *= gain
    return out


def delay(signal, offset_s):
    return [0.0] * seconds(offset_s) + signal


def finish(signal, fade_in=FADE_IN_S, fade_out=FADE_OUT_S):
    """Removes DC, fades both ends (no clicks) and normalises the peak to PEAK."""
    mean = sum(signal) / len(signal)
    signal = [v - mean for v in signal]
    n_in, n_out = max(1, seconds(fade_in)), max(1, seconds(fade_out))
    for i in range(min(n_in, len(signal))):
        signal[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    for i in range(min(n_out, len(signal))):
        signal[-1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_out)
    top = max(abs(v) for v in signal) or 1.0
    return [v * PEAK / top for v in signal]


def write_wav(path, signal):
    frames = b"".join(struct.pack("<h", int(round(v * 32767))) for v in signal)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


# ---------------------------------------------------------------- instruments

def bell(fundamental, length_s, decay_s, partials=((1.0, 1.0), (2.0, 0.6), (2.76, 0.45), (5.4, 0.25), (8.93, 0.1))):
    length = seconds(length_s)
    parts = []
    for ratio, weight in partials:
        # Higher partials die away sooner, as in a struck metal bar.
        parts.append(shape(scale(sine(fundamental * ratio, length), weight), envelope_exp(length, decay_s / ratio ** 0.5)))
    return mix(*parts)


def chimes():
    return {
        "Bright Bell": bell(1046.5, 0.9, 0.35),
        "Soft Bell": lowpass(bell(659.3, 0.9, 0.4), 3000),
        "Glass": bell(1568.0, 0.8, 0.25, ((1.0, 1.0), (2.32, 0.5), (4.25, 0.3), (6.63, 0.15))),
        "Triangle": highpass(bell(2637.0, 0.9, 0.45, ((1.0, 1.0), (1.5, 0.4), (2.45, 0.35), (3.9, 0.2))), 900),
        "Ding Dong": mix(bell(784.0, 0.45, 0.2), delay(bell(622.3, 0.5, 0.22), 0.4)),
        "Wind Chime": mix(*[delay(scale(bell(f, 0.55, 0.18), 0.7), t)
                            for f, t in ((1318.5, 0.0), (1760.0, 0.12), (1568.0, 0.25), (2093.0, 0.36))]),
    }


def percussion():
    def drum(f0, f1, length_s, decay_s, click_seed, click_gain):
        length = seconds(length_s)
        body = shape(sweep(f0, f1, length, 0.4), envelope_exp(length, decay_s))
        click = shape(scale(highpass(noise(seconds(0.015), click_seed), 2000), click_gain), envelope_exp(seconds(0.015), 0.003))
        return mix(body, click)

    def snare():
        length = seconds(0.35)
        tone = shape(sweep(240, 180, length), envelope_exp(length, 0.05))
        rattle = shape(highpass(noise(length, 7), 1200), envelope_exp(length, 0.08))
        return mix(scale(tone, 0.6), rattle)

    def hihat(length_s, decay_s, seed):
        length = seconds(length_s)
        return shape(highpass(highpass(noise(length, seed), 5000), 5000), envelope_exp(length, decay_s))

    def clap():
        length = seconds(0.4)
        burst = highpass(lowpass(noise(length, 11), 3500), 700)
        env = [0.0] * length
        for start in (0.0, 0.011, 0.023):
            for i in range(seconds(start), length):
                env[i] = max(env[i], math.exp(-(i - seconds(start)) / (0.008 * RATE)))
        for i in range(seconds(0.033), length):
            env[i] = max(env[i], 0.8 * math.exp(-(i - seconds(0.033)) / (0.09 * RATE)))
        return shape(burst, env)

    def cowbell():
        length = seconds(0.5)
        tone = mix(square(562, length, softness=6), scale(square(845, length, softness=6), 0.8))
        return shape(highpass(lowpass(tone, 2600), 400), envelope_exp(length, 0.12))

    return {
        "Kick": drum(160, 45, 0.5, 0.16, 3, 0.5),
        "Snare": snare(),
        "Hi-Hat": hihat(0.25, 0.04, 5),
        "Open Hat": hihat(0.6, 0.18, 6),
        "Clap": clap(),
        "Tom": drum(220, 110, 0.6, 0.2, 9, 0.3),
        "Cowbell": cowbell(),
    }


def tones():
    def beep(freq, length_s):
        length = seconds(length_s)
        return mix(sine(freq, length), scale(sine(freq * 2, length), 0.15))

    def pluck(freq, length_s, seed):
        # A plucked string: a noise burst circulating in a damped delay line.
        period = int(RATE / freq)
        rng = random.Random(seed)
        line = [rng.uniform(-1, 1) for _ in range(period)]
        out = []
        for i in range(seconds(length_s)):
            v = line[i % period]
            line[i % period] = 0.996 * 0.5 * (v + line[(i + 1) % period])
            out.append(v)
        return out

    def two_tone(f0, f1, each_s):
        return note(beep(f0, each_s)) + note(beep(f1, each_s))

    return {
        "Beep": beep(880, 0.35),
        "Low Hum": shape(mix(sine(110, seconds(0.8)), scale(sine(220, seconds(0.8)), 0.5), scale(sine(330, seconds(0.8)), 0.25)),
                         [min(1.0, i / seconds(0.1)) for i in range(seconds(0.8))]),
        "Rise": sweep(300, 1500, seconds(0.6), 1.0),
        "Fall": sweep(1500, 300, seconds(0.6), 1.0),
        "Pluck": pluck(220, 0.9, 13),
        "Alert": two_tone(988, 740, 0.18) + two_tone(988, 740, 0.18),
    }


def blips():
    def chip(freq, length_s):
        return square(freq, seconds(length_s), softness=8)

    def arpeggio(notes, each_s):
        out = []
        for f in notes:
            out += note(chip(f, each_s))
        return out

    def chirp(f0, f1, length_s):
        length = seconds(length_s)
        out, phase = [], 0.0
        for i in range(length):
            freq = f0 + (f1 - f0) * i / length
            phase += freq / RATE
            out.append(1.0 if (phase % 1.0) < 0.5 else -1.0)
        return lowpass(out, 5000)

    def boom():
        length = seconds(0.8)
        return shape(lowpass(lowpass(noise(length, 21), 900), 900), envelope_exp(length, 0.18))

    return {
        "Coin": note(chip(988, 0.08)) + note(shape(chip(1319, 0.4), envelope_exp(seconds(0.4), 0.12))),
        "Jump": chirp(250, 900, 0.25),
        "Laser": chirp(1800, 200, 0.3),
        "Power Up": arpeggio((523, 659, 784, 1047, 1319, 1568), 0.07),
        "Boom": boom(),
        "Select": arpeggio((1047, 1568), 0.06),
    }


def numbers(workdir):
    words = ("One", "Two", "Three", "Four", "Five", "Six")
    sounds = {}
    for word in words:
        raw = os.path.join(workdir, word + ".raw.wav")
        done = os.path.join(workdir, word + ".wav")
        subprocess.run(["espeak-ng", "-v", "en-us", "-s", "150", "-p", "45", "-w", raw, word], check=True)
        # Trim the silence at both ends, resample to the bank's format.
        subprocess.run(["sox", raw, "-r", str(RATE), "-c", "1", "-b", "16", done,
                        "silence", "1", "0.01", "0.5%", "reverse", "silence", "1", "0.01", "0.5%", "reverse"],
                       check=True)
        with wave.open(done, "rb") as spoken:
            data = spoken.readframes(spoken.getnframes())
        samples = struct.unpack("<%dh" % (len(data) // 2), data)
        # A few milliseconds of quiet before and after, so the fades touch no speech.
        pad = [0.0] * seconds(0.01)
        sounds[word] = pad + [s / 32768 for s in samples] + pad
    return sounds


# ---------------------------------------------------------------- pictures

def gold_fill(size):
    """A vertical gold gradient of the accent colours."""
    fill = Image.new("RGB", (size, size))
    draw = ImageDraw.Draw(fill)
    for y in range(size):
        t = y / (size - 1)
        draw.line([(0, y), (size, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(GOLD_TOP, GOLD_BOTTOM)))
    return fill


def glyph_bell(draw, s):
    draw.polygon([(0.50 * s, 0.20 * s), (0.62 * s, 0.24 * s), (0.67 * s, 0.40 * s), (0.69 * s, 0.58 * s),
                  (0.77 * s, 0.68 * s), (0.23 * s, 0.68 * s), (0.31 * s, 0.58 * s), (0.33 * s, 0.40 * s),
                  (0.38 * s, 0.24 * s)], fill=255)
    draw.ellipse([0.42 * s, 0.70 * s, 0.58 * s, 0.82 * s], fill=255)
    draw.ellipse([0.46 * s, 0.14 * s, 0.54 * s, 0.22 * s], fill=255)


def glyph_drum(draw, s):
    draw.rectangle([0.24 * s, 0.44 * s, 0.76 * s, 0.70 * s], fill=255)
    draw.ellipse([0.24 * s, 0.60 * s, 0.76 * s, 0.80 * s], fill=255)
    draw.ellipse([0.24 * s, 0.34 * s, 0.76 * s, 0.54 * s], fill=0)
    draw.ellipse([0.27 * s, 0.365 * s, 0.73 * s, 0.515 * s], fill=255)
    width = int(0.045 * s)
    draw.line([(0.30 * s, 0.16 * s), (0.46 * s, 0.42 * s)], fill=255, width=width)
    draw.line([(0.70 * s, 0.16 * s), (0.54 * s, 0.42 * s)], fill=255, width=width)
    draw.ellipse([0.26 * s, 0.12 * s, 0.34 * s, 0.20 * s], fill=255)
    draw.ellipse([0.66 * s, 0.12 * s, 0.74 * s, 0.20 * s], fill=255)


def glyph_wave(draw, s):
    # A round pen stamped densely along the curve gives an even, smooth stroke.
    r = 0.035 * s
    for i in range(1201):
        x = 0.20 * s + 0.60 * s * i / 1200
        y = 0.50 * s - 0.20 * s * math.sin(2 * math.pi * 1.5 * i / 1200)
        draw.ellipse([x - r, y - r, x + r, y + r], fill=255)


def glyph_digits(draw, s):
    font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", int(0.36 * s))
    draw.text((0.5 * s, 0.52 * s), "123", font=font, fill=255, anchor="mm")


def glyph_star(draw, s):
    points = []
    for k in range(10):
        r = (0.31 if k % 2 == 0 else 0.13) * s
        a = -math.pi / 2 + k * math.pi / 5
        points.append((0.5 * s + r * math.cos(a), 0.53 * s + r * math.sin(a)))
    draw.polygon(points, fill=255)


def picture(glyph, size):
    """A dark round badge with a gold ring and a gold glyph; magenta outside the badge.
    The badge's edge is anti-aliased against the dark backdrop, never against magenta,
    so no pink fringe shows when the magenta is keyed out."""
    big = size * SUPERSAMPLE
    badge = Image.new("L", (big, big), 0)
    ImageDraw.Draw(badge).ellipse([0.03 * big, 0.03 * big, 0.97 * big, 0.97 * big], fill=255)
    ring = Image.new("L", (big, big), 0)
    ring_draw = ImageDraw.Draw(ring)
    ring_draw.ellipse([0.03 * big, 0.03 * big, 0.97 * big, 0.97 * big], fill=255)
    ring_draw.ellipse([0.085 * big, 0.085 * big, 0.915 * big, 0.915 * big], fill=0)
    mark = Image.new("L", (big, big), 0)
    glyph(ImageDraw.Draw(mark), big)

    badge = badge.resize((size, size), Image.BOX)
    ring = ring.resize((size, size), Image.BOX)
    mark = mark.resize((size, size), Image.BOX)
    gold = gold_fill(size)

    out = Image.new("RGB", (size, size), MAGENTA)
    face = Image.new("RGB", (size, size), BADGE)
    face.paste(gold, mask=ring)
    face.paste(gold, mask=mark)
    backdrop = Image.new("RGB", (size, size), BACKDROP)
    edged = Image.composite(face, backdrop, badge)
    out.paste(edged, mask=badge.point(lambda v: 255 if v > 0 else 0))
    return out


# ---------------------------------------------------------------- the bank

COLLECTIONS = (
    ("Chimes", glyph_bell, lambda work: chimes()),
    ("Percussion", glyph_drum, lambda work: percussion()),
    ("Tones", glyph_wave, lambda work: tones()),
    ("Numbers", glyph_digits, numbers),
    ("Blips", glyph_star, lambda work: blips()),
)


def main():
    root = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "..", "..", "content", "Sounds")
    os.makedirs(output, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for folder, glyph, make in COLLECTIONS:
            target = os.path.join(output, folder)
            shutil.rmtree(target, ignore_errors=True)
            os.makedirs(target)
            for name, signal in make(work).items():
                fade_in = FADE_IN_S if folder != "Numbers" else 0.005
                write_wav(os.path.join(target, name + ".wav"), finish(signal, fade_in=fade_in))
            picture(glyph, 96).save(os.path.join(target, folder + "B.png"), optimize=True)
            picture(glyph, 48).save(os.path.join(target, folder + "S.png"), optimize=True)
            print(folder, "done")


if __name__ == "__main__":
    main()
