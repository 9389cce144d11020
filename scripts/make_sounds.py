#!/usr/bin/env python3
"""Makes the game's four sounds into assets/: synthesised here from nothing
but arithmetic, so that every sample is our own. Run it again after a change
and commit what it writes; the output is the same every time.

  駒打音.wav  a piece set down on a wooden board
  禁止.wav    a short low buzz for a refused move
  その他.wav  a light chime
  BGM.wav     a calm koto-like loop in the in scale (miyako-bushi)
"""
import math
import os
import random
import struct
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.join(HERE, "..", "assets")


def write_wav(name, samples, rate, peak=0.8):
    top = max(1e-9, max(abs(s) for s in samples))
    scale = peak / top
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s * scale)) * 32767))) for s in samples)
    with wave.open(os.path.join(ASSETS, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames)


def resonator(signal, rate, freq, q):
    """Two-pole band-pass: what gives a burst of noise the ring of wood."""
    r = math.exp(-math.pi * freq / (q * rate))
    a1, a2 = -2 * r * math.cos(2 * math.pi * freq / rate), r * r
    y1 = y2 = 0.0
    out = []
    for x in signal:
        y = (1 - r) * x - a1 * y1 - a2 * y2
        out.append(y)
        y2, y1 = y1, y
    return out


def piece_click(rng):
    rate = 22050
    n = int(0.16 * rate)
    noise = [rng.uniform(-1, 1) * math.exp(-i / (0.003 * rate)) for i in range(n)]
    knock = resonator(noise, rate, 2300, 6)
    body = resonator(noise, rate, 950, 10)
    out = []
    for i in range(n):
        t = i / rate
        thock = math.sin(2 * math.pi * 210 * t) * math.exp(-t / 0.025)
        out.append(1.6 * knock[i] + 1.2 * body[i] + 0.35 * thock)
    return out, rate


def buzz():
    rate = 22050
    n = int(0.30 * rate)
    out = []
    for i in range(n):
        t = i / rate
        env = min(1.0, t / 0.006) * min(1.0, (0.30 - t) / 0.04)
        # Odd harmonics of a low square wave, rounded off at the top.
        s = sum(math.sin(2 * math.pi * 98 * k * t) / k for k in (1, 3, 5, 7, 9, 11))
        out.append(env * math.tanh(1.5 * s))
    return out, rate


def chime():
    rate = 22050
    n = int(1.2 * rate)
    out = [0.0] * n
    for start, f, amp in ((0.0, 1318.5, 1.0), (0.09, 1975.5, 0.7)):
        for ratio, decay, level in ((1.0, 0.45, 1.0), (2.76, 0.18, 0.35), (5.40, 0.08, 0.15)):
            for i in range(int(start * rate), n):
                t = i / rate - start
                out[i] += amp * level * math.sin(2 * math.pi * f * ratio * t) * math.exp(-t / decay) * min(1.0, t / 0.002)
    return out, rate


def pluck(rng, rate, freq, seconds, brightness):
    """A plucked string (Karplus-Strong with an all-pass for exact pitch)."""
    period = rate / freq
    smoothing = brightness / 2  # the loop filter's own delay, in samples
    n_delay = int(period - smoothing)
    frac = period - smoothing - n_delay
    if frac < 0.2:  # the all-pass keeps its delay steady only above this
        n_delay -= 1
        frac += 1
    ap = (1 - frac) / (1 + frac)
    line = [rng.uniform(-1, 1) for _ in range(n_delay)]
    # A softer pluck: the burst is smoothed once or twice.
    for _ in range(2 if brightness < 0.5 else 1):
        line = [(line[i] + line[i - 1]) / 2 for i in range(len(line))]
    mean = sum(line) / len(line)
    line = [x - mean for x in line]
    feedback = math.exp(-math.log(1000) / (seconds * freq))  # 60 dB down after `seconds`
    out = []
    pos = 0
    prev = 0.0
    ap_x = ap_y = 0.0
    for _ in range(int(seconds * rate)):
        x = line[pos]
        lp = feedback * ((1 - smoothing) * x + smoothing * prev)
        prev = x
        y = ap * lp + ap_x - ap * ap_y
        ap_x, ap_y = lp, y
        line[pos] = y
        out.append(x)
        pos = (pos + 1) % n_delay
    return out


def bgm(rng):
    rate = 16000
    beat = 60 / 72
    notes = {"E2": 82.41, "F2": 87.31, "A2": 110.0, "B2": 123.47, "E3": 164.81,
             "E4": 329.63, "F4": 349.23, "A4": 440.0, "B4": 493.88, "C5": 523.25,
             "E5": 659.26, "F5": 698.46}
    melody = [  # (note or None for a rest, beats)
        ("E5", 1), ("C5", 1), ("B4", 1), ("A4", 1),
        ("B4", 1.5), ("C5", 0.5), ("B4", 1), (None, 1),
        ("A4", 1), ("F4", 1), ("E4", 2),
        (None, 1), ("E4", 0.5), ("F4", 0.5), ("A4", 1), ("B4", 1),
        ("C5", 1), ("E5", 1), ("F5", 1), ("E5", 1),
        ("C5", 1.5), ("B4", 0.5), ("A4", 2),
        ("F4", 1), ("A4", 1), ("B4", 1), ("C5", 0.5), ("B4", 0.5),
        ("A4", 1), ("F4", 1), ("E4", 2),
    ]
    bass = ["E2", "A2", "E2", "E2", "A2", "A2", "F2", "E2"]  # one a bar
    fifth = {"E2": "B2", "A2": "E3", "F2": "A2"}
    length = int(round(32 * beat * rate))
    out = [0.0] * length

    lead_in = int(0.05 * rate)  # no onset on the seam itself

    def add(note, at_beat, level, seconds, brightness):
        start = lead_in + int(round(at_beat * beat * rate))
        for i, s in enumerate(pluck(rng, rate, notes[note], seconds, brightness)):
            # The loop is a ring: a tail that runs past the end sounds at the start.
            out[(start + i) % length] += level * s

    t = 0.0
    for note, beats in melody:
        if note:
            add(note, t, 0.55, 2.6, 0.7)
        t += beats
    for bar, note in enumerate(bass):
        add(note, bar * 4, 0.45, 3.5, 0.3)
        add(fifth[note], bar * 4 + 2, 0.25, 3.0, 0.3)
    # Soft saturation keeps the rare peaks of overlapping notes round.
    return [math.tanh(1.2 * s) for s in out], rate


def main():
    rng = random.Random(20261208)
    os.makedirs(ASSETS, exist_ok=True)
    for name, (samples, rate), peak in (
        ("駒打音.wav", piece_click(rng), 0.9),
        ("禁止.wav", buzz(), 0.4),
        ("その他.wav", chime(), 0.6),
        ("BGM.wav", bgm(rng), 0.5),
    ):
        write_wav(name, samples, rate, peak)
        print(name, len(samples) / rate, "s")


if __name__ == "__main__":
    main()
