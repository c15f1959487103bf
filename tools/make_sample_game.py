#!/usr/bin/python3
"""Generates the sample game data/games/sample/: two maps with textured tiles
and varied heights, objects of every type (cube, square, model, billboard) on
several layers, an animated image, the built-in sky, a 3DS model with its
texture, sounds, phrases, a few logic rules and the game's own menus and splash
image. Every folder is already numbered as the loader numbers it. Needs
python3-pil and the built-in map images and menus (make_map_images.py,
make_menus.py). Run: python3 tools/make_sample_game.py"""
import math
import os
import shutil
import sys

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_menus  # noqa: E402
from audio import mix, note, pluck, seq, sweep, tone, write_wav  # noqa: E402
from make_map_images import NAMES as BUILTIN, SKY_FACES  # noqa: E402
from menu_files import centred_text, font, ui_cfg, vertical_gradient  # noqa: E402
from tds import MeshBuilder, model_3ds  # noqa: E402

NAME = 'sample'
GAME = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data', 'games', NAME)
TILE = 6.0       # world units per tile
OWN_BASE = 200   # first game image index of the game's own map images
CELL = 64        # one frame of an animation strip, ten cells wide

CUBE, SQUARE, MODEL, BILLBOARD = 0, 1, 2, 3


def builtin(name):
    """The game image index of a built-in map image (data/map/)."""
    return BUILTIN.index(name)


# ---------------------------------------------------------------- images

def crystal_strip():
    """Four frames of a glowing crystal, side by side in a strip of ten cells."""
    im = Image.new('RGBA', (CELL * 10, CELL), (0, 0, 0, 0))
    for f in range(4):
        glow = Image.new('RGBA', (CELL, CELL), (0, 0, 0, 0))
        d = ImageDraw.Draw(glow)
        r = 18 + 4 * math.sin(f * math.pi / 2)
        d.ellipse([32 - r, 32 - r, 32 + r, 32 + r], fill=(120, 220, 255, 90))
        glow = glow.filter(ImageFilter.GaussianBlur(4))
        d = ImageDraw.Draw(glow)
        d.polygon([(32, 6), (46, 30), (32, 58), (18, 30)], fill=(80 + 40 * f, 200, 255, 255),
                  outline=(255, 255, 255, 255))
        d.line([(32, 6), (32, 58)], fill=(255, 255, 255, 160))
        im.alpha_composite(glow, (f * CELL, 0))
    return im


def sign():
    im = Image.new('RGBA', (128, 128), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rectangle([58, 60, 70, 127], fill=(110, 75, 40, 255))
    d.rounded_rectangle([6, 12, 121, 72], radius=8, fill=(190, 150, 90, 255), outline=(90, 60, 30, 255), width=4)
    d.text((16, 42), 'PORTAL', font=font(17), fill=(60, 30, 10, 255), anchor='lm')
    d.polygon([(98, 34), (110, 42), (98, 50)], fill=(60, 30, 10, 255))
    return im


# The message box covers the whole window, its image inset by a hundredth on
# every side: an image this size lands on the 800 x 600 window pixel for pixel.
MESSAGE_SIZE = (816, 612)


def draw_centred(draw, centre_y, line, size, colour):
    draw.text((MESSAGE_SIZE[0] // 2, centre_y), line, font=font(size), fill=colour, anchor='mm')


def message_box():
    """"You win!" on a panel in the middle of the window, the rest clear. The
    panel is opaque: it covers the player and the time shown above it."""
    w, h = MESSAGE_SIZE
    im = Image.new('RGBA', MESSAGE_SIZE, (0, 0, 0, 0))
    shadow = Image.new('RGBA', MESSAGE_SIZE, (0, 0, 0, 0))
    panel = [w // 2 - 230, h // 2 - 95, w // 2 + 230, h // 2 + 95]
    ImageDraw.Draw(shadow).rounded_rectangle([c + 6 for c in panel], radius=22, fill=(0, 0, 0, 120))
    im.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(6)))
    d = ImageDraw.Draw(im)
    d.rounded_rectangle(panel, radius=22, fill=(20, 40, 80, 255), outline=(255, 220, 100, 255), width=4)
    draw_centred(d, h // 2 - 28, 'You win!', 64, (255, 230, 120, 255))
    draw_centred(d, h // 2 + 48, 'Press Enter to return to the menus.', 22, (235, 240, 250, 255))
    return im


def flag():
    im = Image.new('RGBA', (128, 256), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    d.rectangle([20, 20, 28, 255], fill=(200, 200, 210, 255))
    d.polygon([(28, 24), (120, 50), (28, 80)], fill=(220, 40, 40, 255), outline=(120, 20, 20, 255))
    return im


def portal():
    im = Image.new('RGBA', (128, 128), (0, 0, 0, 0))
    d = ImageDraw.Draw(im)
    for i in range(8):
        r = 60 - 7 * i
        d.ellipse([64 - r, 64 - r, 64 + r, 64 + r], outline=(150 + 12 * i, 80, 255, 200), width=5)
    return im.filter(ImageFilter.GaussianBlur(0.8))


OWN_IMAGES = [('crystal', crystal_strip), ('sign', sign), ('message', message_box), ('flag', flag),
              ('portal', portal)]
SKY = tuple(builtin('sky_' + face) for face in SKY_FACES)


def own(name):
    return OWN_BASE + [n for n, _ in OWN_IMAGES].index(name)


# ---------------------------------------------------------------- model

def house_mesh():
    """A small house: a box of walls under a pyramid roof, y up, centred on x and
    z. Every face turns counter-clockwise seen from outside, its front face, so
    that the world's culling of back faces keeps the outside."""
    m = MeshBuilder()
    wall, top = 1.0, 1.0
    corners = [(-1, -1), (-1, 1), (1, 1), (1, -1)]
    for i in range(4):
        (x0, z0), (x1, z1) = corners[i], corners[(i + 1) % 4]
        m.quad([(x0, 0, z0), (x1, 0, z1), (x1, wall, z1), (x0, wall, z0)],
               [(0, 0), (1, 0), (1, 0.5), (0, 0.5)])
        m.triangle([(x0 * 1.15, top, z0 * 1.15), (x1 * 1.15, top, z1 * 1.15), (0, top + 0.9, 0)],
                   [(0, 0.5), (1, 0.5), (0.5, 1.0)])
    m.quad([(-1, 0, -1), (1, 0, -1), (1, 0, 1), (-1, 0, 1)], [(0, 0), (1, 0), (1, 0.5), (0, 0.5)])
    return m


def house_texture():
    im = Image.new('RGB', (256, 256))
    d = ImageDraw.Draw(im)
    d.rectangle([0, 0, 255, 127], fill=(170, 50, 40))       # roof (top of the image)
    for y in range(0, 128, 16):
        d.line([(0, y), (255, y)], fill=(120, 30, 25), width=3)
    d.rectangle([0, 128, 255, 255], fill=(225, 210, 170))   # walls
    d.rectangle([100, 170, 156, 255], fill=(110, 70, 40))   # door
    d.rectangle([20, 160, 70, 200], fill=(120, 170, 220), outline=(80, 60, 40), width=4)
    d.rectangle([186, 160, 236, 200], fill=(120, 170, 220), outline=(80, 60, 40), width=4)
    return im


# ---------------------------------------------------------------- sounds

def game_sounds():
    chime = mix(pluck(note('E6'), 0.5, 0.8), pluck(note('B6'), 0.6, 0.6), offsets=[0, 0.07])
    whoosh = seq(sweep(200, 1200, 0.35, 0.8), sweep(1200, 300, 0.3, 0.6))
    fanfare = seq(tone(note('C5'), 0.14), tone(note('E5'), 0.14), tone(note('G5'), 0.14),
                  mix(pluck(note('C6'), 1.2, 0.7), pluck(note('G5'), 1.2, 0.5), pluck(note('E5'), 1.2, 0.5)))
    return [chime, whoosh, fanfare]


# ---------------------------------------------------------------- maps

class GameObject:
    """One object of a map, at the middle of tile (x, y) (a fraction for a place
    between tiles). `size` is the half-size (w, h, d) the object line stores: h
    is the height a Cube, Model or Billboard rises above and below its position,
    so they stand h above the ground. A Square lies flat at its position and
    repeats its image across itself. `rot` is stored as (x, y, z) in degrees; a
    Model's rotations reach the axes in the order x, z, y, so its z rotation
    turns it about the vertical."""

    def __init__(self, name, kind, tex, layer, x, y, size, ground, obstruct=1, rot=(0, 0, 0), box=None):
        self.name, self.kind, self.tex, self.layer = name, kind, tex, layer
        self.pos = (x * TILE, y * TILE, ground + (0.0 if kind == SQUARE else size[1]))
        self.size = size
        self.box = box or size
        self.obstruct = obstruct
        self.rot = rot

    def line(self):
        fields = list(self.pos) + list(self.size) + [self.tex, self.layer] + list(self.box) + \
            [self.obstruct, self.name, self.kind] + list(self.rot)
        return ' '.join(num(v) if not isinstance(v, str) else v for v in fields)


def num(v):
    if isinstance(v, int):
        return str(v)
    return '%.6g' % v


class GameMap:
    def __init__(self, name, w, h, tiles, heights, objects, fog=None, sky=SKY, layers=7, stretch=0):
        self.name, self.w, self.h = name, w, h
        self.tiles, self.heights, self.objects = tiles, heights, objects
        self.fog, self.sky, self.layers, self.stretch = fog, sky, layers, stretch


CORNERS = [(0, 0), (1, 0), (0, 1), (1, 1)]


def ground_at(heights, x, y):
    """The ground in the middle of tile (x, y): the mean of its corners, which
    take the heights of tiles (x, y), (x + 1, y), (x, y + 1), (x + 1, y + 1)
    (0 beyond the map)."""
    return sum(heights.get((x + i, y + j), 0.0) for i, j in CORNERS) / 4


def level(heights, x, y):
    """Flattens tile (x, y) at the height of its middle, for a building whose
    footprint, however turned, stays inside the tile (6 units across)."""
    flat = round(ground_at(heights, x, y), 2)
    for i, j in CORNERS:
        if (x + i, y + j) in heights:
            heights[(x + i, y + j)] = flat


# The player's name carries a black colour code and a larger size: its
# score, the seconds played, shows above it as "Time 12" in black, readable
# over grass and snow.
PLAYER_NAME = '^k^2Time'
# A text stands in the world from the point it is drawn at towards the
# camera's right, a glyph every half unit. The time is drawn at the label, an
# object that the rules keep two units to the player's left, so that "Time 12"
# stands centred over the player; it is drawn twice the label's height above
# the player's middle, clear of the crate.
LABEL_RISE = 3.0


def time_label(x, y, ground):
    """The label of the player at tile (x, y): hidden, not solid, and too small
    to see in the editor."""
    speck = 0.01
    return GameObject('label', SQUARE, builtin('crate'), 0, x, y, (speck, LABEL_RISE / 2, speck), ground, obstruct=0)


def meadow():
    w = h = 12

    def height(x, y):
        if (x - 8) ** 2 + (y - 8) ** 2 <= 4:
            return -0.8                                   # a pond
        return round(1.2 * math.sin(x / 2.0) * math.cos(y / 3.0) + 0.4 * (x + y) / 12, 2)

    def texture(x, y):
        if (x - 8) ** 2 + (y - 8) ** 2 <= 4:
            return builtin('water')
        if (x - 8) ** 2 + (y - 8) ** 2 <= 8:
            return builtin('sand')
        if y == 3 or (x == 3 and y > 3):
            return builtin('dirt')
        if x == 0 or y == 0:
            return builtin('stone')
        return builtin('grass')

    tiles = {(x, y): texture(x, y) for x in range(w) for y in range(h)}
    heights = {(x, y): height(x, y) for x in range(w) for y in range(h)}
    level(heights, 6, 2)
    g = lambda x, y: ground_at(heights, x, y)  # noqa: E731
    tree, rock = builtin('tree'), builtin('rock')
    objects = [
        GameObject(PLAYER_NAME, CUBE, builtin('crate'), 0, 3, 3, (1.0, 1.0, 1.0), g(3, 3)),
        GameObject('house', MODEL, 0, 1, 6, 2, (2.1, 2.1, 2.1), g(6, 2), rot=(0, 0, 30)),
        GameObject('tree', BILLBOARD, tree, 2, 1, 6, (1.5, 3.0, 1.5), g(1, 6)),
        GameObject('tree', BILLBOARD, tree, 2, 2, 9, (1.5, 3.0, 1.5), g(2, 9)),
        GameObject('tree', BILLBOARD, tree, 2, 10, 2, (1.5, 3.0, 1.5), g(10, 2)),
        GameObject('tree', BILLBOARD, tree, 2, 5, 10, (1.5, 3.0, 1.5), g(5, 10)),
        GameObject('crystal', BILLBOARD, own('crystal'), 0, 8, 5, (0.8, 0.8, 0.8), g(8, 5)),
        GameObject('sign', BILLBOARD, own('sign'), 4, 4, 7, (1.0, 1.0, 1.0), g(4, 7)),
        GameObject('portal', BILLBOARD, own('portal'), 0, 10, 10, (1.5, 1.5, 1.5), g(10, 10)),
        GameObject('crate', CUBE, builtin('crate'), 6, 5, 5, (0.8, 0.8, 0.8), g(5, 5)),
        GameObject('wall', CUBE, builtin('brick'), 6, 0, 11, (3.0, 1.0, 0.5), g(0, 11)),
        GameObject('jetty', SQUARE, builtin('planks'), 5, 6.35, 8, (7.0, 1.2, 0.2), -0.05, obstruct=0),
        GameObject('villager', BILLBOARD, builtin('character'), 3, 7, 4, (0.9, 1.8, 0.9), g(7, 4)),
        GameObject('rock', BILLBOARD, rock, 2, 9, 3, (1.2, 1.2, 1.2), g(9, 3)),
        GameObject('rock', BILLBOARD, rock, 2, 4, 10, (0.8, 0.8, 0.8), g(4, 10)),
        time_label(3, 3, g(3, 3)),
    ]
    return GameMap('Meadow', w, h, tiles, heights, objects)


def snowfield():
    w = h = 10
    heights = {(x, y): round(0.8 * math.cos(x / 1.7) + 0.6 * math.sin(y / 1.3), 2) for x in range(w) for y in range(h)}
    tiles = {(x, y): builtin('stone') if (x + y) % 7 == 0 else builtin('snow') for x in range(w) for y in range(h)}
    tiles.update({(x, 5): builtin('planks') for x in range(2, 8)})
    level(heights, 4, 7)
    g = lambda x, y: ground_at(heights, x, y)  # noqa: E731
    objects = [
        GameObject(PLAYER_NAME, CUBE, builtin('crate'), 0, 1, 1, (1.0, 1.0, 1.0), g(1, 1)),
        GameObject('flag', BILLBOARD, own('flag'), 0, 8, 8, (1.0, 2.0, 1.0), g(8, 8), box=(2.0, 2.0, 2.0)),
        GameObject('hut', MODEL, 0, 1, 4, 7, (2.0, 2.0, 2.0), g(4, 7), rot=(0, 0, -20)),
        GameObject('crate', CUBE, builtin('crate'), 6, 6, 3, (0.8, 0.8, 0.8), g(6, 3)),
        GameObject('crate', CUBE, builtin('crate'), 6, 6, 4, (0.8, 0.8, 0.8), g(6, 4)),
        GameObject('pine', BILLBOARD, builtin('tree'), 2, 2, 7, (1.5, 3.0, 1.5), g(2, 7)),
        GameObject('rock', BILLBOARD, builtin('rock'), 2, 7, 2, (1.0, 1.0, 1.0), g(7, 2)),
        time_label(1, 1, g(1, 1)),
    ]
    return GameMap('Snowfield', w, h, tiles, heights, objects, fog=(0.1, 0.85, 0.9, 0.95))


PHRASES = {
    0: '^wWelcome to the ^gMeadow^w! Touch the ^ccrystal^w, then step into the ^pportal^w.',
    1: '^wFind the ^oflag^w in the snow to win.',
    2: '^cThe crystal hums.',
}
ANIMATED = [(own('crystal'), 3, 200)]


def map_cfg(maps):
    out = ['// This file was created by the Quorvane application.',
           '// Please do not change or edit anything in this file as it may',
           '// cause errors when the map is trying to be loaded.', '',
           '// The version format of this configuration file', 'f version 1']
    for image, frames, speed in ANIMATED:
        out += ['f image%danim 1' % image, 'f image%dframe %d' % (image, frames), 'f image%dspeed %d' % (image, speed)]
    out.append('')
    for m, gm in enumerate(maps):
        fog = gm.fog or (0.0, 1.0, 1.0, 1.0)
        out += ['// ***', '// Map %d' % m, '// ***', '', '// Tile Stretch', 'f map%dstretch %d' % (m, gm.stretch),
                '// Layer', 'f map%dlayer %d' % (m, gm.layers), '', '// Fog', 'f map%dfog %d' % (m, 1 if gm.fog else 0),
                'f map%dfogdensity %s' % (m, num(fog[0])), 'f map%dfogr %s' % (m, num(fog[1])),
                'f map%dfogg %s' % (m, num(fog[2])), 'f map%dfogb %s' % (m, num(fog[3])), '',
                's map%dsky %s' % (m, ' '.join(str(s) for s in gm.sky)), '// Map Width', 'f map%dw %d' % (m, gm.w),
                '', '// Map Height', 'f map%dh %d' % (m, gm.h), '', '// Map Name', 's map%dname %s' % (m, gm.name),
                '', '// Tile Data ']
        for x in range(gm.w):
            for y in range(gm.h):
                if gm.tiles[(x, y)] != 0:
                    out.append('f map%dtile%d_%d %d' % (m, x, y, gm.tiles[(x, y)]))
                if gm.heights[(x, y)] != 0.0:
                    out.append('f map%dtile%d_%dh %s' % (m, x, y, num(gm.heights[(x, y)])))
        out += ['', '// Object Data ']
        for o, obj in enumerate(gm.objects):
            out.append('s map%dobject%d %s' % (m, o, obj.line()))
        out += ['s map%dobject%d endObjectLoad' % (m, len(gm.objects)), '']
    out += ['// Stop map loading', 's map%d endMapLoad' % len(maps), '// Game Phrases']
    out += ['s phrase%d %s' % (p, t) for p, t in sorted(PHRASES.items())]
    return '\n'.join(out) + '\n'


# Logic: eight step ids per rule (condition, value, is, predicate, value, then, action, value).
DO_ONCE, REPEATEDLY, WHILE_GLOBAL_SCORE, EVERY_SECONDS, WHEN_OBJECT, WHEN_WIN = 128, 129, 127, 132, 100, 102
UP, DOWN, LEFT, RIGHT, ENTER = 104, 105, 106, 107, 109
IS, TOUCHING, EQUAL_TO, THEN = 300, 400, 428, 600
AND, DISPLAY_IMAGE, REMOVE_IMAGE, DISPLAY_PHRASE, REMOVE_PHRASE, PLAY_SOUND, GOTO_MAP, WIN, END_GAME = \
    700, 703, 704, 705, 706, 744, 770, 701, 773
HIDE, UNSOLID, ADD_GLOBAL, GLOBAL_TO_OWN_SCORE, SHOW_SCORE_ABOVE = 721, 724, 764, 769, 711
OVERHEAD_VIEW, OVERHEAD_UPDATE, SPAWN_LEFT = 741, 740, 727
FORWARD, BACKWARD, LEFTWARD, RIGHTWARD = 719, 720, 717, 718
DISABLE_ENTER, ENABLE_ENTER, DISABLE_ARROWS = 798, 790, 796
CRYSTALS, SECONDS, WON = 0, 1, 2  # global scores: crystals found, seconds played, 1 once won
PLAYER = 0


def rule(condition, value, action, action_value, predicate=TOUCHING, other=0):
    return (condition, value, IS, predicate, other, THEN, action, action_value)


def touched(thing, action, value):
    """Once, when the player touches `thing`."""
    return rule(WHEN_OBJECT, PLAYER, action, value, other=thing)


def clock():
    """A second more on the clock every second, until the game is won: an
    "and" chain whose first rule holds only while global score WON is 0."""
    return [rule(WHILE_GLOBAL_SCORE, WON, AND, 0, predicate=EQUAL_TO, other=0),
            rule(EVERY_SECONDS, 1, ADD_GLOBAL, SECONDS)]


def player_rules(label):
    """The player's own rules: the overhead camera, which looks down on the
    player from behind and shows what lies ahead; the arrow keys; the seconds
    as its own score; and the first step of its label to its left."""
    return [rule(DO_ONCE, 0, OVERHEAD_VIEW, 0), rule(REPEATEDLY, 0, OVERHEAD_UPDATE, PLAYER),
            rule(UP, 0, FORWARD, PLAYER), rule(DOWN, 0, BACKWARD, PLAYER),
            rule(LEFT, 0, LEFTWARD, PLAYER), rule(RIGHT, 0, RIGHTWARD, PLAYER),
            rule(REPEATEDLY, 0, GLOBAL_TO_OWN_SCORE, SECONDS), rule(REPEATEDLY, 0, SPAWN_LEFT, label)]


def label_rules(label):
    """The label's rules: hidden from the start, a second step left, and the
    player's name and score drawn above it."""
    return [rule(DO_ONCE, 0, HIDE, label), rule(REPEATEDLY, 0, SPAWN_LEFT, label),
            rule(REPEATEDLY, 0, SHOW_SCORE_ABOVE, PLAYER)]


def won():
    """Every frame once the game is won: the arrow keys are off, so the player
    stays where it touched the flag whatever key was held; the win panel is
    shown afresh, so no key takes it away, and no phrase stays over it; Enter
    is on, and takes the panel away before it ends the game (a game shown a
    panel or a phrase does not end)."""
    return [rule(WHEN_WIN, 0, DISABLE_ARROWS, 0), rule(WHEN_WIN, 0, REMOVE_PHRASE, 0),
            rule(WHEN_WIN, 0, DISPLAY_IMAGE, own('message')), rule(WHEN_WIN, 0, ENABLE_ENTER, 0),
            rule(ENTER, 0, REMOVE_IMAGE, 0), rule(ENTER, 0, END_GAME, 0)]


def local_rules(game_map):
    label = [o.name for o in game_map.objects].index('label')
    return {PLAYER: player_rules(label), label: label_rules(label)}


def logic_cfg(meadow_map, snow_map):
    names = [[o.name for o in m.objects] for m in (meadow_map, snow_map)]
    crystal, portal, flag = names[0].index('crystal'), names[0].index('portal'), names[1].index('flag')
    maps = [
        ([rule(DO_ONCE, 0, DISPLAY_PHRASE, 0)] + clock() +
         [touched(crystal, PLAY_SOUND, 0), touched(crystal, DISPLAY_PHRASE, 2), touched(crystal, ADD_GLOBAL, CRYSTALS),
          touched(crystal, HIDE, crystal), touched(crystal, UNSOLID, crystal),
          touched(portal, GOTO_MAP, 1)], local_rules(meadow_map)),
        ([rule(DO_ONCE, 0, DISPLAY_PHRASE, 1), rule(DO_ONCE, 0, DISABLE_ENTER, 0)] + clock() +
         [touched(flag, ADD_GLOBAL, WON), touched(flag, WIN, 0), touched(flag, PLAY_SOUND, 2)] + won(),
         local_rules(snow_map)),
    ]
    out = ['// This file was created by the Quorvane application.', '', 'f version 1']
    for m, (global_rules, local) in enumerate(maps):
        out.append('f map%dsentencecount %d' % (m, len(global_rules)))
        for s, r in enumerate(global_rules):
            out.append('s map%dsentence%d %s' % (m, s, ' '.join(str(v) for v in r)))
        for o, rules in sorted(local.items()):
            out.append('f map%dobject%dsentencecount %d' % (m, o, len(rules)))
            for s, r in enumerate(rules):
                out.append('s map%dobject%dsentence%d %s' % (m, o, s, ' '.join(str(v) for v in r)))
    return '\n'.join(out) + '\n'


HELP_TOPICS = [
    ('^wThe Game', ['^yCrystal Meadow^w', '', 'Walk the meadow and find the crystal.',
                   'The portal beside it leads on to the snowfield,',
                   'where a flag waits for you. Reach it to win.',
                   'The seconds played show above you.']),
    ('^wControls', ['^yControls^w', '', '^yUp^w and ^yDown^w walk forward and back.',
                    '^yLeft^w and ^yRight^w step to either side.',
                    'Move the ^ymouse^w to turn.',
                    '^yEscape^w opens the in-game menu.',
                    'Once you have won, ^yEnter^w returns to the menus.']),
]


def help_cfg():
    out = ['// The help topics of Crystal Meadow.', '', 's helptitle ^3^yCrystal Meadow^w']
    for t, (title, lines) in enumerate(HELP_TOPICS):
        out.append('s help%dtitle %s' % (t, title))
        out += ['s help%dline%d %s' % (t, j, line) for j, line in enumerate(lines + ['end'])]
    out.append('s help%dtitle end' % len(HELP_TOPICS))
    return '\n'.join(out) + '\n'


def title_background():
    """A meadow at dusk, the same on both sides of the middle, where the
    menu's texts and buttons stand."""
    scale = 2  # drawn at twice the size, then scaled down for smooth edges
    im = vertical_gradient((800 * scale, 600 * scale), (20, 70, 60), (150, 210, 170))
    d = ImageDraw.Draw(im)
    s = lambda *v: [c * scale for c in v]  # noqa: E731
    d.rectangle(s(0, 556, 800, 600), fill=(34, 96, 56))
    for offset, top, shade in ((70, 420, 0), (190, 450, 14), (300, 490, 28)):
        for x in (offset, 800 - offset):
            d.polygon(s(x - 55, 560, x, top, x + 55, 560), fill=(30, 88 + shade, 50))
            d.rectangle(s(x - 6, 560, x + 6, 574), fill=(80, 56, 34))
    d.polygon(s(400, 470, 426, 515, 400, 566, 374, 515), fill=(120, 220, 255), outline=(235, 250, 255))
    d.line(s(400, 470, 400, 566), fill=(235, 250, 255), width=scale)
    return im.resize((800, 600), Image.LANCZOS)


def splash():
    im = vertical_gradient((800, 600), (10, 20, 40), (40, 80, 120))
    d = ImageDraw.Draw(im)
    for y, line, size, colour in ((250, 'Crystal Meadow', 56, (230, 245, 255)),
                                  (330, 'a Quorvane sample game', 22, (180, 210, 240))):
        left, _, right, _ = d.textbbox((0, 0), line, font=font(size))
        d.text(((800 - (right - left)) // 2 - left, y), line, font=font(size), fill=colour)
    return im


# The controls, under the title menu's subtitle.
CONTROL_LINES = [(240, '^yUp^w and ^yDown^w walk forward and back, ^yLeft^w and ^yRight^w step aside.'),
                 (264, 'Move the ^ymouse^w to turn. ^yEscape^w pauses the game.')]


def game_menus():
    ids = make_menus.GAME_IDS
    menus = make_menus.game_menus(len(make_menus.IMAGE_NAMES), 'Crystal Meadow',
                                  'Find the crystal, then the flag in the snow.')
    menus[ids['intro']].texts += [centred_text(y, '^w' + text) for y, text in CONTROL_LINES]
    return ui_cfg(menus, ids['intro'], ids['editor_main'], ids['editor'], ids['ingame'])


def main():
    if os.path.isdir(GAME):
        shutil.rmtree(GAME)
    for sub in ['system', 'map', 'ui', 'sound', 'model', 'modeltex']:
        os.makedirs(os.path.join(GAME, sub))
    for k, (_, make) in enumerate(OWN_IMAGES):
        make().save(os.path.join(GAME, 'map', '%d.png' % (10000 + k)))
    title_background().save(os.path.join(GAME, 'ui', '10000.jpg'), quality=88)
    splash().save(os.path.join(GAME, 'splash0.jpg'), quality=88)
    mesh = house_mesh()
    with open(os.path.join(GAME, 'model', '10000.3ds'), 'wb') as f:
        f.write(model_3ds('house', mesh.vertices, mesh.faces, mesh.coords))
    house_texture().save(os.path.join(GAME, 'modeltex', '10000.png'))
    for k, samples in enumerate(game_sounds()):
        write_wav(os.path.join(GAME, 'sound', '%d.wav' % (1000 + k)), samples)
    maps = [meadow(), snowfield()]
    with open(os.path.join(GAME, 'system', 'map.cfg'), 'w') as f:
        f.write(map_cfg(maps))
    with open(os.path.join(GAME, 'system', 'logic.cfg'), 'w') as f:
        f.write(logic_cfg(*maps))
    with open(os.path.join(GAME, 'system', 'ui.cfg'), 'w') as f:
        f.write(game_menus())
    with open(os.path.join(GAME, 'system', 'help.cfg'), 'w') as f:
        f.write(help_cfg())
    print('wrote the sample game to %s' % os.path.normpath(GAME))


if __name__ == '__main__':
    main()
