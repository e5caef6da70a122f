#!/usr/bin/env python3
"""Synthesises the game's eight sound cues into wave files beside this script.

Standard library only, and deterministic (fixed seeds), so running it again gives the same
files byte for byte. The build uses the committed .wav files; run this only to change a sound:

    python3 assets/sounds/make_sounds.py
"""

import math
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# Peak level of every cue: loud enough to hear over music, far from clipping.
PEAK = 0.70


# ---- building blocks ------------------------------------------------------------------------


def silence(rate, seconds):
    return [0.0] * int(round(rate * seconds))


def mix_into(buffer, sound, rate, at, gain=1.0):
    """Adds `sound` into `buffer` starting at time `at` (seconds); what overruns is dropped."""
    start = int(round(at * rate))
    for i, v in enumerate(sound):
        j = start + i
        if j >= len(buffer):
            break
        buffer[j] += v * gain


def envelope(n, rate, attack, release, decay=None):
    """Attack ramp, optional exponential decay (time constant in seconds), release ramp to 0."""
    a = max(1, int(rate * attack))
    r = max(1, int(rate * release))
    out = []
    for i in range(n):
        g = 1.0
        if i < a:
            g *= 0.5 - 0.5 * math.cos(math.pi * i / a)
        if decay is not None:
            g *= math.exp(-i / (rate * decay))
        if i >= n - r:
            g *= 0.5 - 0.5 * math.cos(math.pi * (n - 1 - i) / r)
        out.append(g)
    return out


def lowpass(signal, rate, cutoff):
    """One-pole low-pass: takes the hiss out of noise."""
    k = 1.0 - math.exp(-2.0 * math.pi * cutoff / rate)
    y = 0.0
    out = []
    for x in signal:
        y += k * (x - y)
        out.append(y)
    return out


def highpass(signal, rate, cutoff):
    low = lowpass(signal, rate, cutoff)
    return [x - l for x, l in zip(signal, low)]


def noise(rng, n):
    return [rng.uniform(-1.0, 1.0) for _ in range(n)]


def bell(rate, freq, seconds, decay, brightness=1.0):
    """A struck chime: a few inharmonic partials, the higher ones fading sooner. Partials at
    or above 45 % of the sample rate are left out, so nothing folds back as a false tone."""
    partials = [(1.0, 1.0, 1.0), (2.0, 0.45 * brightness, 0.6), (3.01, 0.2 * brightness, 0.4),
                (4.2, 0.08 * brightness, 0.25)]
    n = int(round(rate * seconds))
    out = [0.0] * n
    for ratio, amp, life in partials:
        f = freq * ratio
        if f >= 0.45 * rate:
            continue
        w = 2.0 * math.pi * f / rate
        tau = rate * decay * life
        for i in range(n):
            out[i] += amp * math.sin(w * i) * math.exp(-i / tau)
    env = envelope(n, rate, 0.004, 0.02)
    return [v * g for v, g in zip(out, env)]


def note(name):
    """Frequency of a note such as 'C5' or 'F#4' (A4 = 440 Hz)."""
    steps = {'C': -9, 'D': -7, 'E': -5, 'F': -4, 'G': -2, 'A': 0, 'B': 2}
    semis = steps[name[0]]
    rest = name[1:]
    if rest.startswith('#'):
        semis += 1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2.0 ** ((semis + 12 * (octave - 4)) / 12.0)


def finish(buffer, rate, peak=PEAK):
    """Normalises to the given peak and fades both ends, so no cue starts or stops with a
    click."""
    top = max(abs(v) for v in buffer) or 1.0
    fade = envelope(len(buffer), rate, 0.002, 0.012)
    return [v / top * peak * g for v, g in zip(buffer, fade)]


# ---- the cues -------------------------------------------------------------------------------


def placecard(rate, seconds):
    """A soft snap of a card laid on cloth: a damped burst of noise over a low thump."""
    rng = random.Random(11)
    n = int(round(rate * seconds))
    snap = lowpass(noise(rng, n), rate, 2200)
    snap = [v * g for v, g in zip(snap, envelope(n, rate, 0.0015, 0.02, decay=0.018))]
    thump = [math.sin(2 * math.pi * 150 * i / rate) for i in range(n)]
    thump = [v * g for v, g in zip(thump, envelope(n, rate, 0.002, 0.02, decay=0.03))]
    return finish([3.0 * s + 0.6 * t for s, t in zip(snap, thump)], rate)


def invalid(rate, seconds):
    """A muted buzz: a low, softened square wave that sinks a little in pitch."""
    n = int(round(rate * seconds))
    out = []
    phase = 0.0
    for i in range(n):
        t = i / n
        freq = 140.0 - 25.0 * t
        phase += 2 * math.pi * freq / rate
        # A few odd harmonics only: buzzy, but without the harshness of a true square.
        out.append(math.sin(phase) + math.sin(3 * phase) / 3 + math.sin(5 * phase) / 6)
    out = lowpass(out, rate, 900)
    env = envelope(n, rate, 0.012, 0.07)
    # Two short pulses inside the one sound read as "no" more clearly than a flat tone.
    gate = [1.0 if (i / rate) < 0.10 or (i / rate) > 0.13 else 0.25 for i in range(n)]
    gate = lowpass(gate, rate, 60)
    # A dense wave sounds louder than a chime of the same peak, so it is kept lower.
    return finish([v * g * k for v, g, k in zip(out, env, gate)], rate, peak=0.42)


def startgame(rate, seconds):
    """A short riffle of a shuffled deck: quick snaps, closest together in the middle."""
    rng = random.Random(23)
    out = silence(rate, seconds)
    click_len = int(rate * 0.012)
    t = 0.006
    k = 0
    while t < seconds - 0.03:
        burst = highpass(noise(rng, click_len), rate, 500)
        burst = lowpass(burst, rate, 3000)
        burst = [v * g for v, g in zip(burst, envelope(click_len, rate, 0.0008, 0.003,
                                                       decay=0.004))]
        mix_into(out, burst, rate, t, gain=0.6 + 0.4 * rng.random())
        # Interval shrinks then grows again, like the thumb letting cards go.
        x = t / seconds
        t += 0.012 + 0.02 * (2.0 * x - 1.0) ** 2 + rng.uniform(0.0, 0.004)
        k += 1
    # A soft bed of paper hiss under the snaps.
    hiss = lowpass(noise(rng, len(out)), rate, 1800)
    hiss_env = envelope(len(out), rate, 0.03, 0.08)
    out = [v + 0.15 * h * g for v, h, g in zip(out, hiss, hiss_env)]
    return finish(out, rate)


def replace(rate, seconds):
    """A card turned over from the stock: a brief swish, then a light tap as it lands."""
    rng = random.Random(37)
    n = int(round(rate * seconds))
    swish = lowpass(highpass(noise(rng, n), rate, 700), rate, 2600)
    swish_env = []
    for i in range(n):
        x = i / rate
        # Rises over 90 ms, falls by 180 ms.
        swish_env.append(math.sin(math.pi * min(1.0, x / 0.18)) ** 2 if x < 0.18 else 0.0)
    out = [v * g * 0.8 for v, g in zip(swish, swish_env)]
    tap_len = int(rate * 0.08)
    tap = lowpass(noise(rng, tap_len), rate, 1800)
    tap = [v * g for v, g in zip(tap, envelope(tap_len, rate, 0.001, 0.02, decay=0.012))]
    thump = [math.sin(2 * math.pi * 170 * i / rate) * math.exp(-i / (rate * 0.02))
             for i in range(tap_len)]
    mix_into(out, [2.5 * a + 0.5 * b for a, b in zip(tap, thump)], rate, 0.165)
    return finish(out, rate)


def chimes(rate, seconds, notes, spacing, ring, brightness=1.0, gains=None):
    out = silence(rate, seconds)
    for i, name in enumerate(notes):
        at = i * spacing
        length = seconds - at
        if length <= 0:
            break
        g = 1.0 if gains is None else gains[i]
        mix_into(out, bell(rate, note(name), length, ring, brightness), rate, at, g)
    return out


def entered(rate, seconds):
    """A welcoming chime: a bright major arpeggio, G5 C6 E6."""
    out = chimes(rate, seconds, ['G5', 'C6', 'E6'], 0.11, 0.32, gains=[0.9, 0.9, 1.0])
    return finish(out, rate)


def winner(rate, seconds):
    """Rising chimes up a C major chord, the top note ringing longest."""
    out = chimes(rate, seconds, ['C5', 'E5', 'G5', 'C6'], 0.1, 0.45)
    return finish(out, rate)


def winner1(rate, seconds):
    """A pentatonic run climbing an octave, then the key note and its fifth together."""
    out = chimes(rate, seconds, ['D5', 'E5', 'G5', 'A5', 'B5', 'D6'], 0.09, 0.35,
                 brightness=0.8)
    mix_into(out, bell(rate, note('D6'), seconds - 0.7, 0.5, 0.8), rate, 0.7, 0.8)
    mix_into(out, bell(rate, note('A5'), seconds - 0.7, 0.5, 0.8), rate, 0.7, 0.6)
    return finish(out, rate)


def winner2(rate, seconds):
    """A small fanfare: an F major arpeggio twice, the second an octave up, then a chord."""
    out = chimes(rate, seconds, ['F4', 'A4', 'C5', 'F5'], 0.12, 0.3, brightness=0.9)
    mix_into(out, chimes(rate, seconds - 0.55, ['A4', 'C5', 'F5', 'A5'], 0.1, 0.3, 0.9), rate,
             0.55)
    for name, gain in (('F5', 0.8), ('A5', 0.6), ('C6', 0.7)):
        mix_into(out, bell(rate, note(name), seconds - 1.05, 0.6, 0.8), rate, 1.05, gain)
    return finish(out, rate)


# ---- writing --------------------------------------------------------------------------------


def write_wave(path, samples, rate, bits, with_fact=False):
    """A RIFF WAVE file of mono PCM. 8-bit samples are unsigned around 128, 16-bit ones
    signed; a "fact" chunk (the sample count) goes before the data where asked for."""
    if bits == 8:
        data = bytes(max(0, min(255, int(round(128 + 127 * s)))) for s in samples)
    else:
        data = b''.join(struct.pack('<h', max(-32768, min(32767, int(round(32767 * s)))))
                        for s in samples)
    block_align = bits // 8
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate * block_align, block_align, bits)
    chunks = b'fmt ' + struct.pack('<I', len(fmt)) + fmt
    if with_fact:
        chunks += b'fact' + struct.pack('<I', 4) + struct.pack('<I', len(samples))
    chunks += b'data' + struct.pack('<I', len(data)) + data
    if len(data) % 2:
        chunks += b'\0'  # chunks are padded to an even length
    with open(path, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', 4 + len(chunks)) + b'WAVE' + chunks)


# name, maker, sample rate, bits, length in seconds, fact chunk
CUES = [
    ('entered', entered, 22050, 8, 0.79, False),
    ('invalid', invalid, 11025, 8, 0.25, False),
    ('placecard', placecard, 11025, 8, 0.14, True),
    ('replace', replace, 11025, 16, 0.29, False),
    ('startgame', startgame, 11025, 8, 0.30, False),
    ('winner', winner, 22050, 8, 1.06, False),
    ('winner1', winner1, 11025, 8, 1.76, False),
    ('winner2', winner2, 11025, 8, 2.14, False),
]


def main():
    for name, make, rate, bits, seconds, fact in CUES:
        samples = make(rate, seconds)
        assert len(samples) == int(round(rate * seconds)), name
        assert max(abs(s) for s in samples) <= 1.0, name
        write_wave(os.path.join(HERE, name + '.wav'), samples, rate, bits, fact)
        print('%-10s %5d Hz %2d bit %.2f s' % (name, rate, bits, len(samples) / rate))


if __name__ == '__main__':
    main()
