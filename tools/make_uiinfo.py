#!/usr/bin/python3
"""Generates data/system/uiinfo.cfg: the help lines that the world editor
(keys gehelp0line0 to gehelp0line6) and the menu editor (keys uehelp0line0 to
uehelp0line4) show in their lower panel while no tool is selected. Each line
is kept short enough to end left of the panel's own controls.
Run: python3 tools/make_uiinfo.py"""
import os
import re

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')

# Visible characters a line may hold: 9 pixels each from x 13 keeps the text
# left of the controls at the right of either panel.
MAX_VISIBLE = 75

WORLD_EDITOR = [
    '^yWorld Editor^w: click a tile or an object on the map to edit it here.',
    'Left click selects; shift or right click adds objects or widens tiles.',
    'Drag a selected object to move it; arrow keys nudge it, Delete removes it.',
    'With an object selected, a and s raise or lower it; q w e r t y rotate it.',
    'Enter and Space raise or lower the camera; point at an edge to scroll.',
    'Keys 1-7 toggle layers, F9 wire frame, F10 outlines, F5 starts a playtest.',
    'Escape switches to the walking camera and back; press h for help.',
]

MENU_EDITOR = [
    '^yMenu Editor^w: left click a button, textbox or text line to select it.',
    'Drag the selection or use the arrow keys to move it; Enter clears it.',
    'Type into a selected text line; a caret code sets its size or colour.',
    'With nothing selected the lower controls change the menu background.',
    'Icons at the right: animation, save the project, leave; h opens help.',
]


def visible(line):
    """The line as drawn, without its two-character ^ codes."""
    return re.sub(r'\^.', '', line)


def uiinfo_cfg():
    out = ['// Help lines of the editors\' lower panels, shown while no tool is selected.',
           '// Written by tools/make_uiinfo.py.', '', '// World editor']
    for prefix, lines in (('gehelp0', WORLD_EDITOR), ('uehelp0', MENU_EDITOR)):
        if prefix == 'uehelp0':
            out += ['', '// Menu editor']
        for k, line in enumerate(lines):
            if len(visible(line)) > MAX_VISIBLE:
                raise SystemExit('help line too long (%d): %s' % (len(visible(line)), line))
            out.append('s %sline%d %s' % (prefix, k, line))
    return '\n'.join(out) + '\n'


def main():
    with open(os.path.join(ROOT, 'system', 'uiinfo.cfg'), 'w') as f:
        f.write(uiinfo_cfg())
    print('wrote system/uiinfo.cfg')


if __name__ == '__main__':
    main()
