#!/usr/bin/python3
"""Generates the program's own menu systems: the menu images of data/ui/
(already numbered 10000, 10001, ... as the loader numbers them, so that a run
renames nothing) and the two menu files data/system/ui.cfg (the front end)
and data/system/ingameui.cfg (the menus of every game without its own: the
game's title menu, the in-game menu, the editor hub and the editor menu).
Needs python3-pil. Run: python3 tools/make_menus.py"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from PIL import Image, ImageDraw  # noqa: E402
from menu_files import (Button, Menu, Text, Textbox, button_image, centred_text, hills,  # noqa: E402
                        panel_image, ui_cfg, vertical_gradient)

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')

# Button function ids of the menu system.
QUIT, LOAD_MENU, OPEN_DIALOG = 0, 1, 4
DEBUG, LOAD_GAME, LEAVE_GAME, LOAD_EDITOR = 6, 7, 8, 9
EDIT_GAME, LEAVE_INGAME_MENU, CREATE_GAME, ENTER_GAME, MENU_EDITOR = 11, 14, 15, 16, 17
MAIN_MENU, FULLSCREEN_ON, FULLSCREEN_OFF = 18, 19, 20
SOUND_ON, SOUND_OFF, VOLUME_UP, VOLUME_DOWN, SHOW_INTRO, BROWSE = 23, 24, 25, 26, 29, 30
# Dialog boxes of system/dialog.cfg.
DIALOG_QUIT, DIALOG_LEAVE_GAME, DIALOG_LEAVE_EDITOR = 0, 1, 2
# Texts of the textboxes.
TEXT_GAME_TO_LOAD, TEXT_GAME_TO_EDIT, TEXT_GAME_TO_CREATE = 0, 1, 2

# The lowest row of the menus, clear of the menu editor's bar along the
# bottom of the window (from y 520), which is drawn over the menu it edits.
BOTTOM_ROW = 470

BLUE, GREEN, RED, GREY, GOLD = (40, 90, 170), (40, 140, 80), (170, 50, 50), (80, 90, 110), (170, 120, 30)

# The menu images in index order: the backgrounds, the panel, then the
# buttons by their labels and colours; the folder that opens the game
# browser is an icon.
BACKGROUNDS = ['front', 'game', 'hub']
PANEL = 'panel'
FOLDER = 'folder'
BUTTONS = [
    ('Play Game', BLUE), ('Edit Game', BLUE), ('Create Game', GREEN), (FOLDER, None), ('Options', GREY),
    ('Quit', RED), ('Back', GREY), ('Sound On', GREEN), ('Sound Off', RED), ('Volume +', BLUE),
    ('Volume -', BLUE), ('Full Screen', GREY), ('Windowed', GREY), ('Debug On', GOLD), ('Debug Off', GOLD),
    ('Play', GREEN), ('Resume', GREEN), ('Main Menu', BLUE), ('Leave Game', RED), ('Edit World', GREEN),
    ('Menu Editor', BLUE), ('Leave Editor', RED), ('Introduction', GOLD), ('Restart', GOLD),
    # No bundled menu shows this one any more; it keeps its place, so that a
    # game's own menu images keep the indices its saved ui.cfg gives them.
    ('Editor Menu', GREY),
]
IMAGE_NAMES = BACKGROUNDS + [PANEL] + [label for label, _ in BUTTONS]


def image(name):
    """The menu image index of a background, the panel or a button label."""
    return IMAGE_NAMES.index(name)


def background(kind):
    size = (800, 600)
    if kind == 'front':
        im = vertical_gradient(size, (28, 60, 120), (150, 190, 230))
        hills(im, (70, 120, 80), 470, 26, 90, 0.3)
        hills(im, (45, 95, 60), 520, 20, 60, 1.7)
    elif kind == 'game':
        im = vertical_gradient(size, (20, 30, 60), (90, 70, 120))
        hills(im, (50, 40, 80), 500, 30, 110, 2.1)
    else:
        im = vertical_gradient(size, (30, 35, 45), (70, 80, 95))
        draw_grid(im)
    return im


def draw_grid(im):
    from PIL import ImageDraw
    draw = ImageDraw.Draw(im)
    for x in range(0, 800, 40):
        draw.line([(x, 0), (x, 600)], fill=(90, 100, 115))
    for y in range(0, 600, 40):
        draw.line([(0, y), (800, y)], fill=(90, 100, 115))


def write_images(folder):
    os.makedirs(folder, exist_ok=True)
    for f in os.listdir(folder):
        os.remove(os.path.join(folder, f))
    for k, name in enumerate(IMAGE_NAMES):
        number = 10000 + k
        if name in BACKGROUNDS:
            background(name).save(os.path.join(folder, '%d.jpg' % number), quality=88)
        elif name == PANEL:
            panel_image().save(os.path.join(folder, '%d.png' % number))
        elif name == FOLDER:
            folder_image().save(os.path.join(folder, '%d.png' % number))
        else:
            colour = dict(BUTTONS)[name]
            button_image(name, colour).save(os.path.join(folder, '%d.png' % number))


def folder_image(size=64):
    """A folder, shown square: the button that opens the game browser."""
    k = 4  # drawn at four times the size and scaled down
    S = size * k
    im = Image.new('RGBA', (S, S), (0, 0, 0, 0))
    draw = ImageDraw.Draw(im)
    back, front, edge = (214, 160, 52, 255), (250, 204, 92, 255), (110, 74, 16, 255)
    w = 3 * k
    draw.rounded_rectangle([S * 0.08, S * 0.16, S * 0.46, S * 0.34], radius=4 * k, fill=back, outline=edge, width=w)
    draw.rounded_rectangle([S * 0.08, S * 0.26, S * 0.92, S * 0.84], radius=5 * k, fill=back, outline=edge, width=w)
    draw.rectangle([S * 0.16, S * 0.32, S * 0.84, S * 0.5], fill=(250, 250, 244, 255), outline=edge, width=k)
    draw.polygon([(S * 0.16, S * 0.42), (S * 0.98, S * 0.42), (S * 0.86, S * 0.84), (S * 0.06, S * 0.84)],
                 fill=front, outline=edge, width=w)
    return im.resize((size, size), Image.LANCZOS)


def button(x, y, label, func, func2=0, w=80, h=20):
    return Button(x, y, w, h, image(label), func, func2)


def front_end():
    """The intro menu (play, edit, create a game) and the options menu."""
    rows = [(200, 'Play a game:', TEXT_GAME_TO_LOAD, 'Play Game', LOAD_GAME),
            (270, 'Edit a game:', TEXT_GAME_TO_EDIT, 'Edit Game', LOAD_EDITOR),
            (340, 'New game name:', TEXT_GAME_TO_CREATE, 'Create Game', CREATE_GAME)]
    buttons, boxes = [], []
    texts = [centred_text(70, '^4^wQuorvane'),
             centred_text(120, '^wBuild small tile-map games, and play them.'),
             centred_text(420, '^yTip:^w type a name, or pick a game with the ^yfolder icon^w. Press ^y`^w for '
                               'the console.')]
    for y, label, textnum, action, func in rows:
        texts.append(Text(100, y, '^w' + label))
        boxes.append(Textbox(240, y, 230, 26, textnum, len(buttons)))
        buttons.append(button(620, y, action, func, textnum))
        if func != CREATE_GAME:
            buttons.append(button(500, y, FOLDER, BROWSE, textnum, w=18, h=18))
    buttons += [button(200, BOTTOM_ROW, 'Options', LOAD_MENU, 1), button(400, BOTTOM_ROW, 'Introduction', SHOW_INTRO),
                button(600, BOTTOM_ROW, 'Quit', OPEN_DIALOG, DIALOG_QUIT)]
    intro = Menu(image('front'), buttons, boxes, texts)

    pairs = [(170, 'Sound', 'Sound On', SOUND_ON, 0, 'Sound Off', SOUND_OFF, 0),
             (240, 'Volume', 'Volume +', VOLUME_UP, 0, 'Volume -', VOLUME_DOWN, 0),
             (310, 'Display', 'Full Screen', FULLSCREEN_ON, 0, 'Windowed', FULLSCREEN_OFF, 0),
             (380, 'Debug overlay', 'Debug On', DEBUG, 1, 'Debug Off', DEBUG, 0)]
    buttons = []
    texts = [centred_text(80, '^3^wOptions')]
    for y, label, a, fa, ga, b, fb, gb in pairs:
        texts.append(Text(130, y, '^w' + label))
        buttons += [button(430, y, a, fa, ga), button(610, y, b, fb, gb)]
    buttons.append(button(400, BOTTOM_ROW, 'Back', LOAD_MENU, 0))
    options = Menu(image('front'), buttons, [], texts)
    return [intro, options]


def game_menus(title_background, title, subtitle):
    """The menus a game plays and is edited with: its title menu (0), the
    in-game menu (1), the editor hub (2) and the editor menu (3)."""
    title_menu = Menu(title_background,
                      [button(400, 320, 'Play', ENTER_GAME), button(400, 390, 'Leave Game', OPEN_DIALOG,
                                                                     DIALOG_LEAVE_GAME)],
                      [], [centred_text(150, '^3^w' + title), centred_text(210, '^w' + subtitle)])
    ingame = Menu(image('game'),
                  [button(400, 230, 'Resume', LEAVE_INGAME_MENU), button(400, 300, 'Restart', ENTER_GAME),
                   button(400, 370, 'Main Menu', MAIN_MENU),
                   button(400, 440, 'Leave Game', OPEN_DIALOG, DIALOG_LEAVE_GAME)],
                  [], [centred_text(140, '^3^wPaused'),
                       centred_text(BOTTOM_ROW + 30, '^wPress ^yEscape^w to go back to the game.')])
    hub = Menu(image('hub'),
               [button(400, 250, 'Edit World', EDIT_GAME), button(400, 320, 'Menu Editor', MENU_EDITOR),
                button(400, 390, 'Leave Editor', OPEN_DIALOG, DIALOG_LEAVE_EDITOR)],
               [], [centred_text(120, '^3^wProject Editor'),
                    centred_text(170, '^wEdit the maps and objects, or the menus of this game.'),
                    centred_text(BOTTOM_ROW, '^wIn the world editor, save your work with the disk icon of the'),
                    centred_text(BOTTOM_ROW + 25, '^wtoolbar; its door icon at the top brings you back here.')])
    # The world editor's screen is drawn while this menu is shown, and a menu
    # is drawn over it: no place of the window is clear of every screen,
    # panel and picker of the editor (the logic and phrase editors fill the
    # window), so the menu holds nothing. The toolbar's door icon returns to
    # the hub, and its Test button (or F5) playtests.
    editor = Menu()
    return [title_menu, ingame, hub, editor]


GAME_IDS = dict(intro=0, ingame=1, editor_main=2, editor=3)


def main():
    write_images(os.path.join(ROOT, 'ui'))
    with open(os.path.join(ROOT, 'system', 'ui.cfg'), 'w') as f:
        f.write(ui_cfg(front_end(), intro=0, editor_main=-1, editor=-1, ingame=0))
    with open(os.path.join(ROOT, 'system', 'ingameui.cfg'), 'w') as f:
        f.write(ui_cfg(game_menus(image('game'), 'Game Menu', 'Press Play to start the game.'),
                       GAME_IDS['intro'], GAME_IDS['editor_main'], GAME_IDS['editor'], GAME_IDS['ingame']))
    print('wrote %d menu images, ui.cfg and ingameui.cfg' % len(IMAGE_NAMES))


if __name__ == '__main__':
    main()
