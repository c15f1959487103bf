#!/usr/bin/python3
"""Generates the 15 system sounds of data/soundreq/ (16-bit mono PCM WAV):
clicks and blips for the menus and editors, a looping menu tune and the
start-up melody. Run from anywhere: python3 tools/make_system_sounds.py"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from audio import mix, note, pluck, seq, silence, sweep, tone, write_wav  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'soundreq')


def arpeggio(names, step, length, volume=1.0):
    return mix(*[pluck(note(n), length, volume) for n in names], offsets=[i * step for i in range(len(names))])


def menu_tune():
    """Eight bars of a gentle pentatonic tune over a soft pad; the last note has
    died away before the end, so the file loops without a click."""
    bar = 0.75
    melody = ['E5', 'G5', 'A5', 'G5', 'E5', 'D5', 'C5', 'D5',
              'E5', 'G5', 'C6', 'A5', 'G5', 'E5', 'D5', 'C5']
    chords = [['C3', 'G3', 'E4'], ['A2', 'E3', 'C4'], ['F2', 'C3', 'A3'], ['G2', 'D3', 'B3']] * 2
    parts, offsets = [], []
    for i, n in enumerate(melody):
        parts.append(pluck(note(n), 0.7, 0.5, decay=4.0))
        offsets.append(i * bar / 2)
    for i, chord in enumerate(chords):
        for n in chord:
            parts.append(tone(note(n), bar * 0.98, 0.12, attack=0.15, release=0.3, harmonics=(1.0, 0.2)))
            offsets.append(i * bar)
    total = len(chords) * bar
    out = mix(*parts, offsets=offsets)
    return out[:int(total * 22050)]


def start_melody():
    line = ['C4', 'E4', 'G4', 'C5', 'E5', 'G5']
    rise = arpeggio(line, 0.12, 1.6, 0.6)
    chord = mix(*[pluck(note(n), 2.2, 0.45, decay=2.0) for n in ['C4', 'G4', 'C5', 'E5', 'G5']])
    return seq(rise[:int(0.8 * 22050)], chord)


SOUNDS = {
    'click': lambda: tone(1800, 0.03, 0.8, attack=0.001, release=0.02, harmonics=(1.0, 0.5, 0.25)),
    'cancel': lambda: seq(tone(660, 0.08, release=0.03), tone(440, 0.12)),
    'boop': lambda: sweep(520, 300, 0.12, 0.9),
    'delete': lambda: sweep(900, 180, 0.22, 0.9),
    'copy': lambda: seq(tone(880, 0.05, release=0.02), silence(0.03), tone(1175, 0.07)),
    'mainmenu': menu_tune,
    'ok': lambda: seq(tone(note('C5'), 0.08, release=0.03), tone(note('G5'), 0.16)),
    'open': lambda: sweep(400, 900, 0.14, 0.8),
    'close': lambda: sweep(900, 400, 0.14, 0.8),
    'error': lambda: seq(tone(160, 0.12, harmonics=(1.0, 0.6, 0.4, 0.3)), silence(0.05),
                         tone(160, 0.18, harmonics=(1.0, 0.6, 0.4, 0.3))),
    'select': lambda: tone(1320, 0.05, 0.7, release=0.03),
    'leave': lambda: seq(tone(note('G5'), 0.09), tone(note('E5'), 0.09), tone(note('C5'), 0.16)),
    'create': lambda: arpeggio(['C5', 'E5', 'G5', 'C6'], 0.06, 0.5, 0.7),
    'change': lambda: seq(tone(note('A4'), 0.07), tone(note('D5'), 0.1)),
    'melody': start_melody,
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, make in SOUNDS.items():
        write_wav(os.path.join(OUT, name + '.wav'), make())
    print('wrote %d sounds to %s' % (len(SOUNDS), os.path.normpath(OUT)))


if __name__ == '__main__':
    main()
