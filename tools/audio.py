"""Small synthesis helpers shared by the sound generators: tones with soft
envelopes, sweeps, chords, silence, and writing 16-bit mono PCM WAV files."""
import math
import struct
import wave

RATE = 22050
PEAK = 0.6  # of full scale, leaves headroom when sounds overlap


def _env(i, n, attack, release):
    a = int(attack * RATE)
    r = int(release * RATE)
    if a and i < a:
        return i / a
    if r and i >= n - r:
        return max(0.0, (n - i) / r)
    return 1.0


def tone(freq, seconds, volume=1.0, attack=0.005, release=0.05, harmonics=(1.0, 0.3, 0.1)):
    """A note with a few harmonics, shaped so it starts and ends at silence."""
    n = int(seconds * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        s = sum(h * math.sin(2 * math.pi * freq * (k + 1) * t) for k, h in enumerate(harmonics))
        out.append(volume * s / sum(harmonics) * _env(i, n, attack, release))
    return out


def sweep(f0, f1, seconds, volume=1.0, attack=0.005, release=0.04):
    """A sine gliding from f0 to f1 (exponentially)."""
    n = int(seconds * RATE)
    out, phase = [], 0.0
    for i in range(n):
        f = f0 * (f1 / f0) ** (i / max(1, n - 1))
        phase += 2 * math.pi * f / RATE
        out.append(volume * math.sin(phase) * _env(i, n, attack, release))
    return out


def pluck(freq, seconds, volume=1.0, decay=6.0):
    """A bell-like note that fades out exponentially."""
    n = int(seconds * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        s = math.sin(2 * math.pi * freq * t) + 0.35 * math.sin(2 * math.pi * freq * 2 * t) \
            + 0.12 * math.sin(2 * math.pi * freq * 3.01 * t)
        out.append(volume * s / 1.47 * math.exp(-decay * t) * _env(i, n, 0.002, 0.02))
    return out


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def mix(*parts, offsets=None):
    """Adds signals together, each starting at its offset in seconds."""
    offsets = offsets or [0.0] * len(parts)
    length = max(int(o * RATE) + len(p) for p, o in zip(parts, offsets))
    out = [0.0] * length
    for p, o in zip(parts, offsets):
        start = int(o * RATE)
        for i, v in enumerate(p):
            out[start + i] += v
    return out


def seq(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def note(name):
    """Frequency of a note name such as 'A4', 'C#5'."""
    names = {'C': -9, 'C#': -8, 'D': -7, 'D#': -6, 'E': -5, 'F': -4, 'F#': -3, 'G': -2, 'G#': -1,
             'A': 0, 'A#': 1, 'B': 2}
    pitch, octave = name[:-1], int(name[-1])
    return 440.0 * 2 ** ((names[pitch] + 12 * (octave - 4)) / 12)


def write_wav(path, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = PEAK * 32767 / peak
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b''.join(struct.pack('<h', int(round(s * scale))) for s in samples))
