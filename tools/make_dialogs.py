#!/usr/bin/python3
"""Generates data/system/dialog.cfg: the program's two-button dialog boxes,
each with its background and button images (system image numbers), its
buttons' menu functions with their arguments, and its lines of text. Every
line is measured as the program draws it and must end inside the box.
Run: python3 tools/make_dialogs.py"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from menu_files import text_extent  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')

# System images and menu button functions the dialogs use.
DIALOG_BACKGROUND, OK_IMAGE, CANCEL_IMAGE = 5, 6, 7
QUIT, CLOSE_DIALOG, LEAVE_GAME, LEAVE_EDITOR, DELETE_MAP = 0, 5, 8, 10, 21

# The box spans x 180 to 620; a line's first glyph is centred at x 250.
BOX_RIGHT, TEXT_X, MARGIN = 620, 250, 10

DIALOGS = [
    ('leave the program', QUIT, [
        '^y^2Quit Quorvane?',
        '',
        '^wUnsaved changes to a game are lost.',
        '^wClick the ^gcheckmark^w to quit, or the',
        '^rcross^w to go back.',
    ]),
    ('leave the game being played', LEAVE_GAME, [
        '^y^2Leave this game?',
        '',
        '^wYou return to the main menu.',
        '^wClick the ^gcheckmark^w to leave, or the',
        '^rcross^w to go back.',
    ]),
    ('leave the editor', LEAVE_EDITOR, [
        '^y^2Leave the editor?',
        '',
        '^wChanges you have not saved are lost.',
        '^wClick the ^gcheckmark^w to leave, or the',
        '^rcross^w to keep editing.',
    ]),
    ('delete the current map', DELETE_MAP, [
        '^y^2Delete this map?',
        '',
        '^wThe map, its tiles, objects and logic',
        '^ware removed.',
        '',
        '^wClick the ^gcheckmark^w to delete it, or',
        '^wthe ^rcross^w to keep it.',
    ]),
]


def dialog_cfg():
    out = ['// Dialog boxes: background and button images are system image numbers,',
           '// button functions are menu button functions with their argument.',
           '// Written by tools/make_dialogs.py.']
    for d, (what, ok_function, lines) in enumerate(DIALOGS):
        out += ['', '// Dialog %d: %s' % (d, what),
                'f dialog%dbackground %d' % (d, DIALOG_BACKGROUND),
                'f dialog%dbutton0 %d' % (d, OK_IMAGE),
                'f dialog%dbutton1 %d' % (d, CANCEL_IMAGE),
                'f dialog%dbutton0func %d' % (d, ok_function),
                'f dialog%dbutton0func2 0' % d,
                'f dialog%dbutton1func %d' % (d, CLOSE_DIALOG),
                'f dialog%dbutton1func2 0' % d]
        for k, line in enumerate(lines):
            if TEXT_X + text_extent(line)[1] > BOX_RIGHT - MARGIN:
                raise SystemExit('dialog %d line too long: %s' % (d, line))
            out.append('s dialog%dtext%d %s' % (d, k, line))
        out.append('s dialog%dtext%d end' % (d, len(lines)))
    return '\n'.join(out) + '\n'


def main():
    with open(os.path.join(ROOT, 'system', 'dialog.cfg'), 'w') as f:
        f.write(dialog_cfg())
    print('wrote system/dialog.cfg')


if __name__ == '__main__':
    main()
