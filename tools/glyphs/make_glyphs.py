#!/usr/bin/env python3
"""Draws the button glyphs and the dialog icon of the Ostrel plug-in.

Every image is drawn here and nowhere else: the 16x16 glyphs pixel by
pixel from the character maps below (hard edges, for a transparent colour
leaves no room for blending), the icon's two sizes from a small vector
description, a shield and a bird, sampled 8x8 times a pixel for smooth
edges in the alpha channel.

    python3 tools/glyphs/make_glyphs.py [output-directory]

writes into src/ui/dialogs/glyphs/ by default:

* ok.bmp, cancel.bmp, help.bmp, open.bmp, save.bmp, language.bmp:
  16x16, 24 bits a pixel, bottom-up. The colour
  of the bottom-left pixel, magenta #FF00FF, is the transparent colour; no
  other pixel has it.
* ostrel.ico: 32x32 and 16x16 images, 32 bits a pixel with alpha, and
  an AND mask that is set exactly where the alpha is zero.

Standard library only; the output depends on nothing but this file, so
running it again rewrites the same bytes.
"""

import math
import os
import struct
import sys

TRANSPARENT_KEY = (0xFF, 0x00, 0xFF)
GLYPH_SIZE = 16


# --------------------------------------------------------------------------
# Colours

def rgb(hex_text):
    """'#RRGGBB' as an (r, g, b) tuple."""
    value = int(hex_text.lstrip('#'), 16)
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


def mix(a, b, t):
    """The colour t of the way from a to b (t from 0 to 1)."""
    t = min(1.0, max(0.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def vertical(top, bottom, y0, y1):
    """A fill that runs from colour top at row y0 to colour bottom at row y1."""
    top, bottom = rgb(top), rgb(bottom)
    return lambda x, y: mix(top, bottom, (y - y0) / float(y1 - y0))


def diagonal(light, dark, size=GLYPH_SIZE):
    """A fill lit from the top left: light there, dark at the bottom right."""
    light, dark = rgb(light), rgb(dark)
    return lambda x, y: mix(light, dark, (x + y) / float(2 * (size - 1)))


# --------------------------------------------------------------------------
# Images: a list of rows of (r, g, b, a); a is 0 or 255 for the glyphs.

def from_map(rows, palette):
    """Paints a character map: '.' is transparent, every other character a
    colour of the palette (an '#RRGGBB' text or a function of x and y)."""
    size = len(rows)
    image = []
    for y, row in enumerate(rows):
        if len(row) != size:
            raise ValueError('row %d is %d wide, not %d: %r' % (y, len(row), size, row))
        line = []
        for x, ch in enumerate(row):
            if ch == '.':
                line.append((0, 0, 0, 0))
                continue
            colour = palette[ch]
            colour = colour(x, y) if callable(colour) else rgb(colour)
            line.append(colour + (255,))
        image.append(line)
    return image


# --------------------------------------------------------------------------
# File formats

def bmp_bytes(image):
    """A 24-bit bottom-up Windows BMP; transparent pixels become the key."""
    height, width = len(image), len(image[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(image):
        line = bytearray()
        for r, g, b, a in row:
            if a == 0:
                r, g, b = TRANSPARENT_KEY
            elif (r, g, b) == TRANSPARENT_KEY:
                raise ValueError('a drawn pixel has the transparent colour')
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0,
                         14 + len(info))
    return header + info + pixels


def icon_image_bytes(image):
    """One icon image: BITMAPINFOHEADER (double height), 32-bit BGRA colour
    bits and the 1-bit AND mask, both bottom-up."""
    height, width = len(image), len(image[0])
    colour = bytearray()
    for row in reversed(image):
        for r, g, b, a in row:
            if a == 0:
                r = g = b = 0
            colour += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    info = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + colour + mask


def ico_bytes(images):
    """An .ico file holding the images, in the order given."""
    blobs = [icon_image_bytes(image) for image in images]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, blob in zip(images, blobs):
        size = len(image)
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32,
                            len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        data += blob
    return data


# --------------------------------------------------------------------------
# The 16x16 button glyphs. Column and row 0 are the top left; the bottom-left
# pixel must stay '.', for it names the transparent colour.

OK = ([
    '................',
    '................',
    '.............K..',
    '............KGK.',
    '...........KGGK.',
    '..........KGGGK.',
    '.........KGGGK..',
    '..K.....KGGGK...',
    '.KGK...KGGGK....',
    'KGGGK.KGGGK.....',
    'KGGGGKGGGK......',
    '.KGGGGGGK.......',
    '..KGGGGK........',
    '...KGGK.........',
    '....KK..........',
    '................',
], {
    'K': '#1C6420',
    'G': vertical('#7EE06A', '#25962B', 3, 13),
})

CANCEL = ([
    '................',
    '..KK........KK..',
    '.KRRK......KRRK.',
    '.KRRRK....KRRRK.',
    '..KRRRK..KRRRK..',
    '...KRRRKKRRRK...',
    '....KRRRRRRK....',
    '.....KRRRRK.....',
    '.....KRRRRK.....',
    '....KRRRRRRK....',
    '...KRRRKKRRRK...',
    '..KRRRK..KRRRK..',
    '.KRRRK....KRRRK.',
    '.KRRK......KRRK.',
    '..KK........KK..',
    '................',
], {
    'K': '#85100F',
    'R': vertical('#FF6B5E', '#C81E1A', 2, 13),
})

_CIRCLE_PALETTE = {
    'K': '#17408C',
    'B': diagonal('#6FA9F0', '#1D4FB8'),
    'W': '#FFFFFF',
}

HELP = ([
    '.....KKKKKK.....',
    '...KKBBBBBBKK...',
    '..KBBBBBBBBBBK..',
    '.KBBBBWWWWBBBBK.',
    '.KBBBWWBBWWBBBK.',
    'KBBBBWWBBWWBBBBK',
    'KBBBBBBBBWWBBBBK',
    'KBBBBBBBWWBBBBBK',
    'KBBBBBBWWBBBBBBK',
    'KBBBBBBWWBBBBBBK',
    'KBBBBBBBBBBBBBBK',
    '.KBBBBBWWBBBBBK.',
    '.KBBBBBWWBBBBBK.',
    '..KBBBBBBBBBBK..',
    '...KKBBBBBBKK...',
    '.....KKKKKK.....',
], _CIRCLE_PALETTE)

OPEN = ([
    '................',
    '................',
    '.KKKK...........',
    'KyyyyK..........',
    'KyyyyyKKKKKKK...',
    'KyyyyyyyyyyyyK..',
    'KyyyyyyyyyyyyK..',
    'KyyyKKKKKKKKKKKK',
    'KyyKYYYYYYYYYYYK',
    'KyyKYYYYYYYYYYK.',
    'KyKYYYYYYYYYYYK.',
    'KyKYYYYYYYYYYK..',
    'KKYYYYYYYYYYYK..',
    'KKKKKKKKKKKKKK..',
    '................',
    '................',
], {
    'K': '#7A5710',
    'y': vertical('#F2CB55', '#D09A22', 3, 12),
    'Y': vertical('#FFF0A0', '#F4C238', 8, 12),
})

SAVE = ([
    '................',
    '.KKKKKKKKKKKKK..',
    '.KBWWWWWWWWWWBK.',
    '.KBWggggggggWBK.',
    '.KBWWWWWWWWWWBK.',
    '.KBWggggggggWBK.',
    '.KBWWWWWWWWWWBK.',
    '.KBBBBBBBBBBBBK.',
    '.KBBBBBBBBBBBBK.',
    '.KBBBSSSSSSSBBK.',
    '.KBBBSSSSKKSBBK.',
    '.KBBBSSSSKKSBBK.',
    '.KBBBSSSSKKSBBK.',
    '.KBBBSSSSSSSBBK.',
    '.KKKKKKKKKKKKKK.',
    '................',
], {
    'K': '#1A2442',
    'B': diagonal('#5A7CC8', '#2A4690'),
    'W': '#FFFFFF',
    'g': '#9AA8C4',
    'S': vertical('#E4E7EC', '#A9AFBA', 9, 13),
})

LANGUAGE = ([
    '.....KKKKK......',
    '...KKbbLbbKK....',
    '..KbbLbLbLbbK...',
    '.KbbLbbLbbLbbK..',
    '.KLLLLLLLLLLLK..',
    'KbbLbbbLbbbLbbK.',
    'KbbLbbbLbbbLbbK.',
    'KLLLLLLLLLLLLLK.',
    'KbbLbbbLbbbLbbK.',
    'KbbLbbbLbbbLbbK.',
    '.KLLLLLLLLLLLK..',
    '.KbbLbbLbbLbbK..',
    '..KbbLbLbLbbK...',
    '...KKbbLbbKK....',
    '.....KKKKK......',
    '................',
], {
    'K': '#17458A',
    'b': diagonal('#6DB8F2', '#2269C0', 15),
    'L': diagonal('#D8EEFF', '#9CCBF0', 15),
})

GLYPHS = [
    ('ok.bmp', OK),
    ('cancel.bmp', CANCEL),
    ('help.bmp', HELP),
    ('open.bmp', OPEN),
    ('save.bmp', SAVE),
    ('language.bmp', LANGUAGE),
]


# --------------------------------------------------------------------------
# The icon: a blue shield with a white osprey in flight. Each size has its
# own drawing, so that the edges of the 16x16 one fall on whole pixels.

def render(size, scene, samples=8):
    """Samples scene(x, y) -> (r, g, b, a) on a grid of samples x samples
    points in every pixel and averages them, premultiplied by a (0 or 1)."""
    image = []
    n = samples * samples
    for py in range(size):
        line = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    r, g, b, a = scene(px + (sx + 0.5) / samples,
                                       py + (sy + 0.5) / samples)
                    if a:
                        acc[0] += r
                        acc[1] += g
                        acc[2] += b
                        acc[3] += 1
            if acc[3] == 0:
                line.append((0, 0, 0, 0))
            else:
                line.append(tuple(int(round(c / float(acc[3]))) for c in acc[:3])
                            + (int(round(255.0 * acc[3] / n)),))
        image.append(line)
    return image


def shield_half_width(y, top, shoulder, bottom, half):
    """Half the width of the shield at height y, or -1 outside it: straight
    sides down to the shoulder, then curving in to the point at bottom."""
    if y < top or y > bottom:
        return -1.0
    if y <= shoulder:
        return half
    t = (y - shoulder) / (bottom - shoulder)
    return half * math.sqrt(max(0.0, 1.0 - t * t)) * (1.0 - 0.35 * t)


def segment_distance(px, py, ax, ay, bx, by):
    """Distance from p to the segment a-b, and how far along it (0 to 1)."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)), t


def in_stroke(x, y, points):
    """Whether (x, y) is on the polyline, whose points are (x, y, half-width)
    with the half-width running linearly between them."""
    for (ax, ay, ar), (bx, by, br) in zip(points, points[1:]):
        d, t = segment_distance(x, y, ax, ay, bx, by)
        if d <= ar + (br - ar) * t:
            return True
    return False


# Shield outlines are (top, shoulder, bottom, half-width); the bird's
# strokes are drawn for its left half and mirrored about the middle.
ICON_DESIGNS = {
    32: {
        'outer': (2.0, 15.0, 31.0, 13.0),
        'rim': (3.0, 15.0, 29.6, 12.0),
        'field': (4.0, 15.0, 28.2, 11.0),
        'bird': [
            [(16.0, 15.2, 1.5), (10.8, 10.6, 1.3), (6.2, 14.8, 0.5)],     # wing
            [(16.0, 11.2, 1.4), (16.0, 13.4, 1.6), (16.0, 18.0, 0.9)],  # body
            [(16.0, 17.6, 0.9), (14.8, 19.9, 0.7)],                      # tail
        ],
    },
    16: {
        'outer': (1.0, 8.0, 15.4, 7.0),
        'rim': None,
        'field': (2.0, 8.0, 14.0, 6.0),
        'bird': [
            [(8.0, 8.0, 0.9), (5.3, 5.5, 0.8), (2.9, 7.7, 0.5)],
            [(8.0, 5.2, 0.8), (8.0, 6.8, 1.0), (8.0, 9.0, 0.6)],
        ],
    },
}

OUTLINE = rgb('#142E66')
RIM = rgb('#C6D4EC')
LIT = (rgb('#62A2EE'), rgb('#2C62C4'))      # left half, top to bottom
SHADE = (rgb('#3572D6'), rgb('#1B449C'))    # right half
BIRD = rgb('#FFFFFF')


def icon_scene(size):
    design = ICON_DESIGNS[size]
    mid = size / 2.0

    def inside(x, y, shape):
        top, shoulder, bottom, half = shape
        return abs(x - mid) <= shield_half_width(y, top, shoulder, bottom, half)

    def scene(x, y):
        if not inside(x, y, design['outer']):
            return (0, 0, 0, 0)
        if design['rim'] and not inside(x, y, design['rim']):
            return OUTLINE + (1,)
        if not inside(x, y, design['field']):
            return (RIM if design['rim'] else OUTLINE) + (1,)
        bx = x if x <= mid else size - x
        if any(in_stroke(bx, y, stroke) for stroke in design['bird']):
            return BIRD + (1,)
        top, _, bottom, _ = design['field']
        t = (y - top) / (bottom - top)
        light, dark = LIT if x < mid else SHADE
        return mix(light, dark, t) + (1,)

    return scene


def icon_image(size):
    return render(size, icon_scene(size))

# --------------------------------------------------------------------------

def write(path, data):
    with open(path, 'wb') as f:
        f.write(data)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[1] if len(argv) > 1 else os.path.join(here, '..', '..', 'src', 'ui', 'dialogs', 'glyphs')
    out = os.path.normpath(out)
    for name, (rows, palette) in GLYPHS:
        if len(rows) != GLYPH_SIZE or rows[-1][0] != '.':
            raise ValueError('%s: 16 rows and a transparent bottom-left pixel' % name)
        write(os.path.join(out, name), bmp_bytes(from_map(rows, palette)))
    write(os.path.join(out, 'ostrel.ico'), ico_bytes([icon_image(32), icon_image(16)]))
    print('wrote %d glyphs and ostrel.ico to %s' % (len(GLYPHS), out))


if __name__ == '__main__':
    main(sys.argv)
