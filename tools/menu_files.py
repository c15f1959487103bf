"""Writing menu systems in the ui.cfg layout the program reads and its menu
editor writes, measuring text lines as the program draws them, and the shared
art style of menu images (PIL)."""
import re

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf'


def fmt(value):
    """A number as a text stream writes it by default (6 significant digits)."""
    if isinstance(value, int):
        return str(value)
    text = '%.6g' % value
    return text


class Button:
    def __init__(self, x, y, w, h, tex, func, func2=0):
        self.values = (x, y, w, h, tex, func, func2)


class Textbox:
    def __init__(self, x, y, w, h, textnum, linked=-1):
        self.values = (x, y, w, h, textnum, linked)


class Text:
    def __init__(self, x, y, text, rgb=(1, 1, 1)):
        self.x, self.y, self.text, self.rgb = x, y, text, rgb


class Menu:
    def __init__(self, background=-1, buttons=(), textboxes=(), texts=()):
        self.background = background
        self.buttons = list(buttons)
        self.textboxes = list(textboxes)
        self.texts = list(texts)


def ui_cfg(menus, intro, editor_main, editor, ingame, animated=()):
    """The text of a ui.cfg; `animated` holds (image, frames, speed) triples."""
    out = ['// This file was created by the Quorvane application.',
           '// Please do not change or edit anything in this file as it may',
           '// cause errors when the UI is trying to be loaded.', '', '// Menu IDs',
           'f intromenu %d' % intro, 'f editormainmenu %d' % editor_main, 'f editormenu %d' % editor,
           'f ingamemenu %d' % ingame]
    for image, frames, speed in animated:
        out += ['f image%danim 1' % image, 'f image%dframe %d' % (image, frames), 'f image%dspeed %d' % (image, speed)]
    for m, menu in enumerate(menus):
        out += ['// ***', '// Menu %d' % m, '// ***', '', '// Menu Background',
                'f menu%dbackground %d' % (m, menu.background), '']
        for b, button in enumerate(menu.buttons):
            out.append('// Menu %d Button %d' % (m, b))
            for key, value in zip(('x', 'y', 'w', 'h', 'tex', 'func', 'func2'), button.values):
                out.append('f menu%dbutton%d%s %s' % (m, b, key, fmt(value)))
        out += ['// Menu %dButton %d' % (m, len(menu.buttons)),
                's menu%dbutton%d endButtonLoad' % (m, len(menu.buttons)), '']
        for t, box in enumerate(menu.textboxes):
            out.append('// Menu %d Textbox %d' % (m, t))
            for key, value in zip(('x', 'y', 'w', 'h', 'textnum', 'linkedbutton'), box.values):
                out.append('f menu%dtextbox%d%s %s' % (m, t, key, fmt(value)))
        out += ['// Menu %dTextbox %d' % (m, len(menu.textboxes)),
                's menu%dtextbox%d endTextboxLoad' % (m, len(menu.textboxes)), '']
        for l, line in enumerate(menu.texts):
            out.append('// Menu %d Textline %d' % (m, l))
            out += ['f menu%dtext%dx %s' % (m, l, fmt(line.x)), 'f menu%dtext%dy %s' % (m, l, fmt(line.y))]
            for key, value in zip('rgb', line.rgb):
                out.append('f menu%dtext%d%s %s' % (m, l, key, fmt(value)))
            out.append('s menu%dtext%dstring %s' % (m, l, line.text))
        out += ['// Menu %d Textline %d' % (m, len(menu.texts)),
                's menu%dtext%d endTextLoad' % (m, len(menu.texts)), '', '// Script Strings',
                's menu%dstring0 end' % m, '']
    out += ['// Stop loading menu', 's menu%d endMenuLoad' % len(menus)]
    return '\n'.join(out)


# The glyph half-widths of the text sizes ^1 to ^4 (4 is the default). A glyph
# is centred on the pen, which moves 2 s + 1 a glyph.
TEXT_SIZES = {'1': 4, '2': 5, '3': 6, '4': 8}


def text_extent(line):
    """How far the drawn glyphs of a line reach to the left and to the right
    of the x it is drawn at (colour and size codes draw nothing)."""
    size, pen, left, right = 4, 0, 0, 0
    for code, char in re.findall(r'\^(.)|(.)', line, re.S):
        if code:
            size = TEXT_SIZES.get(code, size)
            continue
        if pen == 0:
            left = -size
        right = pen + size
        pen += 2 * size + 1
    return left, right


def centred_text(y, line, width=800):
    """A text line centred across the screen."""
    left, right = text_extent(line)
    return Text(width // 2 - (left + right) // 2, y, line)


def font(size):
    return ImageFont.truetype(FONT, size)


def vertical_gradient(size, top, bottom):
    w, h = size
    im = Image.new('RGB', size)
    draw = ImageDraw.Draw(im)
    for y in range(h):
        t = y / max(1, h - 1)
        draw.line([(0, y), (w, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))
    return im


def hills(im, colour, base, amplitude, period, phase):
    """Soft rolling hills along the bottom of an image."""
    import math
    w, h = im.size
    draw = ImageDraw.Draw(im)
    points = [(x, base + amplitude * math.sin(x / period + phase) + amplitude * 0.4 * math.sin(x / (period * 0.37)))
              for x in range(0, w + 1, 4)]
    draw.polygon(points + [(w, h), (0, h)], fill=colour)


def button_image(label, colour, size=(256, 64)):
    """A rounded, lit button with a centred label, on a transparent ground."""
    w, h = size
    im = Image.new('RGBA', size, (0, 0, 0, 0))
    shadow = Image.new('RGBA', size, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).rounded_rectangle([6, 8, w - 4, h - 2], radius=18, fill=(0, 0, 0, 110))
    im.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(3)))
    body = vertical_gradient((w - 8, h - 10), tuple(min(255, c + 60) for c in colour), colour).convert('RGBA')
    mask = Image.new('L', body.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, body.size[0] - 1, body.size[1] - 1], radius=16, fill=255)
    im.paste(body, (4, 3), mask)
    draw = ImageDraw.Draw(im)
    draw.rounded_rectangle([4, 3, w - 5, h - 8], radius=16, outline=(255, 255, 255, 150), width=2)
    f = font(26)
    box = draw.textbbox((0, 0), label, font=f)
    tx, ty = (w - (box[2] - box[0])) / 2 - box[0], (h - 6 - (box[3] - box[1])) / 2 - box[1]
    draw.text((tx + 1, ty + 2), label, font=f, fill=(0, 0, 0, 140))
    draw.text((tx, ty), label, font=f, fill=(255, 255, 255, 255))
    return im


def panel_image(size=(256, 256), alpha=150):
    im = Image.new('RGBA', size, (0, 0, 0, 0))
    ImageDraw.Draw(im).rounded_rectangle([2, 2, size[0] - 3, size[1] - 3], radius=24, fill=(10, 20, 40, alpha),
                                         outline=(255, 255, 255, 90), width=3)
    return im
