#!/usr/bin/python3
"""Paints the toolkit's skin image, Resources/Images/DefaultSkin.png (1024x512 RGBA).

Run from anywhere: /usr/bin/python3 tools/make_skin.py [--preview FILE]
The skin cuts every control picture out of this one image by the region table below,
and reads its colour set from 8x8 palette swatches near the bottom edge. Deterministic:
the only noise comes from a fixed seed. Needs Debian's python3-pil and python3-numpy.

Look: the game's parchment sea chart with dark ship's-wood frames, brass for the hovered
state, a deep sea blue for active title bars and focus, and a washed grey for disabled.
"""
import argparse
import os

import numpy as np
from PIL import Image, ImageDraw

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "Resources", "Images", "DefaultSkin.png")
W, H = 1024, 512
SS = 4  # drawn four times larger, then reduced, so curves and glyphs are smooth

# --------------------------------------------------------------------------
# The region table, exactly as the skin reads it: name, kind (B nine-slice,
# S single), x, y, w, h, borders top, bottom, left, right (nine-slice only).
# --------------------------------------------------------------------------
REGIONS = [
    ("Band", "B", 128, 288, 127, 31, (8, 8, 8, 8)),
    ("TreeSelection", "B", 384, 32, 31, 31, (4, 4, 4, 4)),
    ("Shadow", "B", 448, 0, 31, 31, (8, 8, 8, 8)),
    ("BandAlt", "B", 128, 320, 127, 31, (8, 8, 8, 8)),
    ("Panel.First", "B", 256, 0, 63, 63, (16, 16, 16, 16)),
    ("Panel.Second", "B", 320, 0, 63, 63, (16, 16, 16, 16)),
    ("Panel.Third", "B", 256, 64, 63, 63, (16, 16, 16, 16)),
    ("Panel.Fourth", "B", 320, 64, 63, 63, (16, 16, 16, 16)),
    ("Window.Active", "B", 0, 0, 127, 127, (32, 8, 8, 8)),
    ("Window.Inactive", "B", 128, 0, 127, 127, (32, 8, 8, 8)),
    ("CloseButton.Normal", "S", 32, 448, 31, 31, None),
    ("CloseButton.Hovered", "S", 64, 448, 31, 31, None),
    ("CloseButton.Down", "S", 96, 448, 31, 31, None),
    ("MaximizeButton.Normal", "S", 224, 448, 31, 31, None),
    ("MaximizeButton.Hovered", "S", 256, 448, 31, 31, None),
    ("MaximizeButton.Down", "S", 288, 448, 31, 31, None),
    ("MinimizeButton.Normal", "S", 128, 448, 31, 31, None),
    ("MinimizeButton.Hovered", "S", 160, 448, 31, 31, None),
    ("MinimizeButton.Down", "S", 192, 448, 31, 31, None),
    ("RestoreButton.Normal", "S", 224, 480, 31, 31, None),
    ("RestoreButton.Hovered", "S", 256, 480, 31, 31, None),
    ("RestoreButton.Down", "S", 288, 480, 31, 31, None),
    ("RadioButton.Normal", "S", 464, 32, 15, 15, None),
    ("RadioButton.Checked", "S", 448, 32, 15, 15, None),
    ("RadioButton.Disabled", "S", 464, 48, 15, 15, None),
    ("RadioButton.DisabledChecked", "S", 448, 48, 15, 15, None),
    ("CheckBox.Normal", "S", 464, 64, 15, 15, None),
    ("CheckBox.Checked", "S", 448, 64, 15, 15, None),
    ("CheckBox.Disabled", "S", 464, 80, 15, 15, None),
    ("CheckBox.DisabledChecked", "S", 448, 80, 15, 15, None),
    ("TextBox.Normal", "B", 0, 150, 127, 21, (4, 4, 4, 4)),
    ("TextBox.Focus", "B", 0, 172, 127, 21, (4, 4, 4, 4)),
    ("TextBox.Disabled", "B", 0, 193, 127, 21, (4, 4, 4, 4)),
    ("LargePanel", "B", 256, 128, 127, 127, (16, 16, 16, 16)),
    ("TwoStateIcon.On", "S", 464, 96, 15, 15, None),
    ("TwoStateIcon.Off", "S", 448, 96, 15, 15, None),
    ("ProgressBar.Back", "B", 384, 0, 31, 31, (8, 8, 8, 8)),
    ("ProgressBar.Front", "B", 416, 0, 31, 31, (8, 8, 8, 8)),
    ("ScrollBar.TrackV", "B", 384, 208, 15, 127, (4, 4, 4, 4)),
    ("ScrollBar.BarV.Normal", "B", 400, 208, 15, 127, (4, 4, 4, 4)),
    ("ScrollBar.BarV.Hovered", "B", 416, 208, 15, 127, (4, 4, 4, 4)),
    ("ScrollBar.BarV.Down", "B", 432, 208, 15, 127, (4, 4, 4, 4)),
    ("ScrollBar.BarV.Disabled", "B", 448, 208, 15, 127, (4, 4, 4, 4)),
    ("ScrollBar.TrackH", "B", 384, 128, 127, 15, (4, 4, 4, 4)),
    ("ScrollBar.BarH.Normal", "B", 384, 144, 127, 15, (4, 4, 4, 4)),
    ("ScrollBar.BarH.Hovered", "B", 384, 160, 127, 15, (4, 4, 4, 4)),
    ("ScrollBar.BarH.Down", "B", 384, 176, 127, 15, (4, 4, 4, 4)),
    ("ScrollBar.BarH.Disabled", "B", 384, 192, 127, 15, (4, 4, 4, 4)),
] + [
    (f"ScrollButton.{state}[{k}]", "B", x, y0 + 16 * k, 15, 15, (2, 2, 2, 2))
    for state, x, y0 in (("Normal", 464, 208), ("Hovered", 480, 208),
                         ("Down", 464, 272), ("Disabled", 528, 272))
    for k in range(4)
] + [
    ("MenuArrow", "S", 464, 112, 15, 15, None),
    ("MenuCheck", "S", 448, 112, 15, 15, None),
    ("ThinStrip", "B", 0, 128, 127, 21, (1, 1, 1, 1)),
    ("Menu.Plain", "B", 128, 192, 127, 63, (8, 8, 8, 8)),
    ("Menu.WithColumn", "B", 128, 128, 127, 63, (8, 8, 24, 8)),
    ("MenuItem.Highlight", "B", 128, 256, 127, 31, (8, 8, 8, 8)),
    ("Button.Normal", "B", 480, 0, 31, 31, (8, 8, 8, 8)),
    ("Button.Hovered", "B", 480, 32, 31, 31, (8, 8, 8, 8)),
    ("Button.Disabled", "B", 480, 64, 31, 31, (8, 8, 8, 8)),
    ("Button.Down", "B", 480, 96, 31, 31, (8, 8, 8, 8)),
    ("TallPanel", "B", 256, 256, 63, 127, (8, 8, 8, 8)),
    ("StateTile.Hovered", "B", 320, 320, 31, 31, (8, 8, 8, 8)),
    ("StateTile.Second", "B", 352, 256, 31, 31, (8, 8, 8, 8)),
    ("StateTile.Plain", "B", 352, 288, 31, 31, (8, 8, 8, 8)),
    ("StateTile.FirstSecond", "B", 320, 256, 31, 31, (8, 8, 8, 8)),
    ("StateTile.First", "B", 320, 288, 31, 31, (8, 8, 8, 8)),
    ("TinyStateIcon.RowA.Normal", "S", 384, 112, 7, 7, None),
    ("TinyStateIcon.RowA.Hovered", "S", 392, 112, 7, 7, None),
    ("TinyStateIcon.RowA.Down", "S", 400, 112, 7, 7, None),
    ("TinyStateIcon.RowA.Disabled", "S", 408, 112, 7, 7, None),
    ("TinyStateIcon.RowB.Normal", "S", 384, 120, 7, 7, None),
    ("TinyStateIcon.RowB.Hovered", "S", 392, 120, 7, 7, None),
    ("TinyStateIcon.RowB.Down", "S", 400, 120, 7, 7, None),
    ("TinyStateIcon.RowB.Disabled", "S", 408, 120, 7, 7, None),
    ("DropDownField.Normal", "B", 384, 336, 127, 31, (8, 8, 8, 32)),
    ("DropDownField.Hovered", "B", 384, 368, 127, 31, (8, 8, 8, 32)),
    ("DropDownField.Down", "B", 384, 400, 127, 31, (8, 8, 8, 32)),
    ("DropDownField.Disabled", "B", 384, 432, 127, 31, (8, 8, 8, 32)),
    ("DropDownArrow.Normal", "S", 496, 272, 15, 15, None),
    ("DropDownArrow.First", "S", 496, 288, 15, 15, None),
    ("DropDownArrow.SecondOrThird", "S", 496, 304, 15, 15, None),
    ("DropDownArrow.Fourth", "S", 496, 320, 15, 15, None),
    ("SmallStateIcon.ColumnA.Normal", "S", 416, 32, 15, 15, None),
    ("SmallStateIcon.ColumnA.Hovered", "S", 416, 48, 15, 15, None),
    ("SmallStateIcon.ColumnA.Down", "S", 416, 64, 15, 15, None),
    ("SmallStateIcon.ColumnA.Disabled", "S", 416, 80, 15, 15, None),
    ("SmallStateIcon.ColumnB.Normal", "S", 432, 32, 15, 15, None),
    ("SmallStateIcon.ColumnB.Hovered", "S", 432, 48, 15, 15, None),
    ("SmallStateIcon.ColumnB.Down", "S", 432, 64, 15, 15, None),
    ("SmallStateIcon.ColumnB.Disabled", "S", 432, 80, 15, 15, None),
    ("Tab.Bottom.Active", "B", 0, 416, 63, 31, (8, 8, 8, 8)),
    ("Tab.Bottom.Inactive", "B", 128, 416, 63, 31, (8, 8, 8, 8)),
    ("Tab.Top.Active", "B", 0, 384, 63, 31, (8, 8, 8, 8)),
    ("Tab.Top.Inactive", "B", 128, 384, 63, 31, (8, 8, 8, 8)),
    ("Tab.Left.Active", "B", 64, 384, 31, 63, (8, 8, 8, 8)),
    ("Tab.Left.Inactive", "B", 192, 384, 31, 63, (8, 8, 8, 8)),
    ("Tab.Right.Active", "B", 96, 384, 31, 63, (8, 8, 8, 8)),
    ("Tab.Right.Inactive", "B", 224, 384, 31, 63, (8, 8, 8, 8)),
    ("InsetPanel", "B", 0, 256, 127, 127, (8, 8, 8, 8)),
    ("Strip", "B", 128, 352, 127, 31, (4, 4, 4, 4)),
    ("SmallPanel", "B", 256, 384, 63, 63, (8, 8, 8, 8)),
    ("TitledPanel.Full", "B", 320, 384, 63, 63, (21, 8, 8, 8)),
    ("TitledPanel.Compact", "B", 320, 352, 63, 31, (8, 8, 8, 8)),
    ("GroupBox", "B", 0, 448, 31, 31, (8, 8, 8, 8)),
]

# --------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------
PARCHMENT = (236, 220, 178)
PARCHMENT_LIGHT = (246, 236, 206)
PARCHMENT_DARK = (214, 192, 142)
INK = (58, 40, 24)
WOOD = (92, 58, 30)
WOOD_DARK = (56, 34, 16)
WOOD_LIGHT = (140, 96, 54)
BRASS = (212, 170, 78)
BRASS_LIGHT = (240, 208, 120)
SEA = (34, 92, 110)
SEA_LIGHT = (70, 140, 156)
SEA_DARK = (20, 58, 72)
GREY = (170, 164, 150)
GREY_LIGHT = (206, 202, 192)
GREY_DARK = (128, 122, 112)
RED = (170, 48, 36)

# The colour set, by index. The swatch of index i sits at the pixel the skin reads it from.
# Roles the skin itself draws with: 6 tree lines, 10-12 row lines, 13-15 row fills,
# 19 corner strips, 47 the modal background. The controls' text colours are chosen here too:
# 0/1 window title (active/inactive), 21-24 button text (normal/hovered/down/disabled),
# 25-28 tab text, 29-32 menu text, 33 label text, 34 tooltip text, 48 tooltip background
# (opaque, so nothing under a tip shows through its text),
# and the label's other colours: 36 dark, 37 highlight, 42 bright (gui/skin/ColorIndex.h).
# The inactive title is dark enough to read on the grey title bar.
PALETTE = {
    0: PARCHMENT_LIGHT + (255,), 1: (72, 66, 58, 255),
    2: INK + (255,), 3: INK + (255,), 4: PARCHMENT_LIGHT + (255,), 5: GREY_DARK + (255,),
    6: WOOD + (255,), 7: SEA + (255,), 8: BRASS + (255,), 9: GREY_DARK + (255,),
    10: PARCHMENT_DARK + (255,), 11: BRASS + (255,), 12: SEA_LIGHT + (255,),
    13: PARCHMENT + (255,), 14: BRASS_LIGHT + (255,), 15: (200, 220, 214, 255),
    16: INK + (255,), 17: SEA_DARK + (255,), 18: GREY_DARK + (255,),
    19: PARCHMENT_DARK + (255,), 20: WOOD_LIGHT + (255,),
    21: INK + (255,), 22: WOOD_DARK + (255,), 23: PARCHMENT_LIGHT + (255,), 24: GREY_DARK + (255,),
    25: INK + (255,), 26: WOOD_DARK + (255,), 27: PARCHMENT_LIGHT + (255,), 28: GREY_DARK + (255,),
    29: INK + (255,), 30: INK + (255,), 31: PARCHMENT_LIGHT + (255,), 32: GREY_DARK + (255,),
    33: INK + (255,), 34: INK + (255,), 35: SEA_DARK + (255,), 36: WOOD + (255,),
    37: RED + (255,), 38: SEA + (255,), 39: BRASS + (255,), 40: GREY_DARK + (255,),
    41: INK + (255,), 42: PARCHMENT_LIGHT + (255,), 43: SEA_LIGHT + (255,),
    44: WOOD_LIGHT + (255,), 45: GREY + (255,), 46: PARCHMENT_DARK + (255,),
    47: SEA_DARK + (150,), 48: PARCHMENT_LIGHT + (255,),
}

# Pixels the palette is read from, in read order, with the colour index each one fills.
PALETTE_READS = [
    (4, 508, 0), (12, 508, 1), (20, 508, 21), (28, 508, 22), (20, 500, 23), (28, 500, 24),
    (36, 508, 25), (44, 508, 26), (36, 500, 27), (44, 500, 28), (52, 508, 29), (60, 508, 30),
    (52, 500, 31), (60, 500, 32), (68, 508, 2), (76, 508, 3), (68, 500, 4), (76, 500, 5),
    (84, 508, 6), (92, 508, 7), (84, 500, 8), (92, 500, 9), (100, 508, 10), (108, 508, 11),
    (100, 500, 12), (108, 500, 20), (116, 508, 13), (124, 508, 14), (116, 500, 15),
    (124, 500, 19), (132, 508, 16), (140, 508, 17), (132, 500, 18), (148, 508, 47),
    (156, 508, 48), (148, 500, 33), (156, 500, 34), (164, 508, 35), (172, 508, 36),
    (164, 500, 37), (172, 500, 38), (180, 508, 39), (188, 508, 40), (180, 500, 41),
    (188, 500, 42), (196, 508, 43), (204, 508, 44), (196, 500, 45), (204, 500, 46),
]

# --------------------------------------------------------------------------
# Drawing primitives, in 1x pixel units on the 4x canvas
# --------------------------------------------------------------------------


def shade(color, f):
    """Lighter for f > 0, darker for f < 0; alpha kept."""
    c = color[:3]
    if f >= 0:
        out = tuple(int(v + (255 - v) * f) for v in c)
    else:
        out = tuple(int(v * (1 + f)) for v in c)
    return out + tuple(color[3:])


class Painter:
    def __init__(self):
        self.img = Image.new("RGBA", (W * SS, H * SS), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.img)

    def box(self, x, y, w, h):
        return [x * SS, y * SS, (x + w) * SS - 1, (y + h) * SS - 1]

    def rect(self, x, y, w, h, fill, radius=0.0, outline=None, width=1.0):
        kw = {"fill": fill}
        if outline is not None:
            kw["outline"] = outline
            kw["width"] = max(1, int(width * SS))
        if radius > 0:
            self.draw.rounded_rectangle(self.box(x, y, w, h), radius=int(radius * SS), **kw)
        else:
            self.draw.rectangle(self.box(x, y, w, h), **kw)

    def vgradient(self, x, y, w, h, top, bottom, radius=0.0):
        """A vertical gradient clipped to a rounded rectangle."""
        layer = Image.new("RGBA", (w * SS, h * SS))
        for row in range(h * SS):
            t = row / max(1, h * SS - 1)
            c = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
            ImageDraw.Draw(layer).line([(0, row), (w * SS, row)], fill=c)
        mask = Image.new("L", layer.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, w * SS - 1, h * SS - 1],
                                               radius=int(radius * SS), fill=255)
        self.img.paste(layer, (x * SS, y * SS), mask)

    def polygon(self, points, fill):
        self.draw.polygon([(px * SS, py * SS) for px, py in points], fill=fill)

    def line(self, points, fill, width):
        self.draw.line([(px * SS, py * SS) for px, py in points], fill=fill, width=int(width * SS))

    def ellipse(self, x, y, w, h, fill, outline=None, width=1.0):
        kw = {"fill": fill}
        if outline is not None:
            kw["outline"] = outline
            kw["width"] = int(width * SS)
        self.draw.ellipse([x * SS, y * SS, (x + w) * SS - 1, (y + h) * SS - 1], **kw)

    def result(self):
        return self.img.convert("RGBa").resize((W, H), Image.LANCZOS).convert("RGBA")


# State looks shared by every stateful control: face colours top/bottom and the frame.
STATES = {
    "Normal": (PARCHMENT_LIGHT, PARCHMENT_DARK, WOOD),
    "Hovered": (BRASS_LIGHT, BRASS, WOOD_DARK),
    "Down": (WOOD_LIGHT, WOOD, WOOD_DARK),
    "Disabled": (GREY_LIGHT, GREY, GREY_DARK),
}


def mix(under, over, alpha):
    """over laid on under with the given opacity (0-255), as an opaque colour."""
    return tuple(int(u + (o - u) * alpha / 255) for u, o in zip(under[:3], over[:3])) + (255,)


def framed(p, x, y, w, h, state, radius=4.0, frame=1.5):
    top, bottom, edge = STATES[state]
    p.rect(x, y, w, h, edge + (255,), radius=radius)
    p.vgradient(x + 1, y + 1, w - 2, h - 2, top, bottom, radius=max(0.0, radius - 1))
    # The rim is mixed into the face, never left translucent: whatever lies under the control
    # must not show through its top edge.
    if state == "Down":  # pressed in: a dark rim along the top
        p.rect(x + 1, y + 1, w - 2, 2, mix(top, shade(bottom, -0.3), 160), radius=1)
    else:  # raised: a light rim along the top
        p.rect(x + 2, y + 1, w - 4, 1, mix(top, shade(top, 0.5), 200))


def parchment_panel(p, x, y, w, h, border, radius=6.0, inset=False):
    p.rect(x, y, w, h, WOOD + (255,), radius=radius)
    p.rect(x + 1, y + 1, w - 2, h - 2, (WOOD_LIGHT if not inset else WOOD_DARK) + (255,),
           radius=radius - 1)
    inner = max(2, border // 3)
    p.vgradient(x + inner, y + inner, w - 2 * inner, h - 2 * inner,
                PARCHMENT_DARK if inset else PARCHMENT_LIGHT,
                PARCHMENT_LIGHT if inset else PARCHMENT, radius=max(1.0, radius - inner))


# The window's layout: a title bar 24 pixels high docked at the top, 4 pixels of margin under
# it, then the inner panel from row 28 down; resizers 6 pixels wide on the sides and the bottom.
# The frame's top border is 32 rows, so its picture holds the whole title bar, the margin and
# the inner panel's first four rows.
TITLE_BAR = 24
TITLE_MARGIN = 4
RESIZER = 6
FRAME_RIM = 2


def window(p, x, y, w, h, active):
    frame = WOOD if active else GREY_DARK
    bar_top, bar_bottom = (SEA_LIGHT, SEA_DARK) if active else (GREY_LIGHT, GREY)
    p.rect(x, y, w, h, frame + (255,), radius=7)
    # The bar ends with the title bar's last row, so a title centred in the title bar is
    # centred in the bar; the separator is the margin's first row.
    p.vgradient(x + FRAME_RIM, y + FRAME_RIM, w - 2 * FRAME_RIM, TITLE_BAR - FRAME_RIM, bar_top, bar_bottom,
                radius=4)
    p.rect(x + FRAME_RIM, y + TITLE_BAR, w - 2 * FRAME_RIM, 1, shade(frame, -0.4) + (255,))
    top = TITLE_BAR + TITLE_MARGIN
    p.vgradient(x + RESIZER, y + top, w - 2 * RESIZER, h - top - RESIZER, PARCHMENT_LIGHT, PARCHMENT, radius=2)


# The window buttons are drawn 31 x 31 from the top left of a control only as high as the title
# bar, at the bar's right end: the framed box stays inside the bar (rows 4 to 21) and near its
# right end, and the rows below the bar stay clear.
GLYPH_BOX = (12, 4, 18, 18)


def glyph_button(p, x, y, state, glyph):
    bx, by, bw, bh = GLYPH_BOX
    framed(p, x + bx, y + by, bw, bh, state, radius=4)
    ink = PARCHMENT_LIGHT + (255,) if state == "Down" else INK + (255,)
    cx, cy = x + bx + bw / 2, y + by + bh / 2
    if glyph == "close":
        p.line([(cx - 3.5, cy - 3.5), (cx + 3.5, cy + 3.5)], ink, 2.0)
        p.line([(cx - 3.5, cy + 3.5), (cx + 3.5, cy - 3.5)], ink, 2.0)
    elif glyph == "maximize":
        p.rect(cx - 4.5, cy - 4.5, 9, 9, None, outline=ink, width=1.2)
        p.rect(cx - 4.5, cy - 4.5, 9, 2.5, ink)
    elif glyph == "minimize":
        p.rect(cx - 4.5, cy + 2, 9, 2.5, ink)
    elif glyph == "restore":
        p.rect(cx - 2, cy - 5, 7, 6.5, None, outline=ink, width=1.2)
        p.rect(cx - 5, cy - 1.5, 7, 6.5, PARCHMENT_LIGHT + (255,), outline=ink, width=1.2)


def arrow(p, x, y, w, h, direction, color):
    cx, cy = x + w / 2, y + h / 2
    s = min(w, h) * 0.22
    pts = {
        "left": [(cx - s, cy), (cx + s * 0.7, cy - s * 1.2), (cx + s * 0.7, cy + s * 1.2)],
        "right": [(cx + s, cy), (cx - s * 0.7, cy - s * 1.2), (cx - s * 0.7, cy + s * 1.2)],
        "up": [(cx, cy - s), (cx - s * 1.2, cy + s * 0.7), (cx + s * 1.2, cy + s * 0.7)],
        "down": [(cx, cy + s), (cx - s * 1.2, cy - s * 0.7), (cx + s * 1.2, cy - s * 0.7)],
    }[direction]
    p.polygon(pts, color)


def check_mark(p, x, y, w, h, color):
    p.line([(x + w * 0.2, y + h * 0.52), (x + w * 0.42, y + h * 0.74), (x + w * 0.8, y + h * 0.26)],
           color, 2.0)


# --------------------------------------------------------------------------
# Each region's picture, chosen by its name
# --------------------------------------------------------------------------

SCROLL_DIRECTIONS = ["left", "up", "right", "down"]  # index k of the scroll-button arrays


def state_of(name):
    """The state word among the name's dotted parts ("DropDownField.Normal" is Normal)."""
    parts = name.split("[")[0].split(".")
    for s in ("Hovered", "Down", "Disabled"):
        if s in parts:
            return s
    return "Normal"


def paint_region(p, name, x, y, w, h, borders):
    s = state_of(name)
    ink = INK + (255,)
    if name.startswith("Window."):
        window(p, x, y, w, h, name.endswith("Active"))
    elif name.startswith(("CloseButton", "MaximizeButton", "MinimizeButton", "RestoreButton")):
        glyph_button(p, x, y, s, name.split("Button")[0].lower())
    elif name.startswith("Button."):
        framed(p, x, y, w, h, s, radius=6)
    elif name.startswith(("Panel.", "LargePanel", "TallPanel", "SmallPanel")):
        parchment_panel(p, x, y, w, h, borders[0])
    elif name == "InsetPanel":
        parchment_panel(p, x, y, w, h, borders[0], radius=3, inset=True)
    elif name.startswith("TitledPanel"):
        parchment_panel(p, x, y, w, h, 8)
        if name.endswith("Full"):
            p.vgradient(x + 2, y + 2, w - 4, 17, SEA_LIGHT, SEA, radius=4)
    elif name == "GroupBox":
        p.rect(x + 3, y + 3, w - 6, h - 6, None, radius=4, outline=WOOD + (255,), width=1.5)
    elif name in ("Band", "BandAlt"):
        p.vgradient(x, y, w, h, PARCHMENT_LIGHT if name == "Band" else PARCHMENT,
                    PARCHMENT_DARK, radius=4)
    elif name == "Strip":
        p.vgradient(x, y, w, h, PARCHMENT, PARCHMENT_DARK, radius=2)
        p.rect(x, y + h - 1, w, 1, WOOD_LIGHT + (255,))
    elif name == "ThinStrip":
        p.rect(x, y, w, h, WOOD_LIGHT + (255,))
        p.rect(x + 1, y + 1, w - 2, h - 2, PARCHMENT_LIGHT + (255,))
    elif name == "Shadow":
        for i in range(8):
            p.rect(x + i, y + i, w - 2 * i, h - 2 * i, (0, 0, 0, 10 + 4 * i), radius=8 - i)
    elif name == "TreeSelection":
        p.rect(x, y, w, h, SEA_LIGHT + (110,), radius=3, outline=SEA + (255,), width=1)
    elif name.startswith("TextBox"):
        edge = {"Normal": WOOD_LIGHT, "Focus": SEA, "Disabled": GREY}[name.split(".")[1]]
        fill = GREY_LIGHT if "Disabled" in name else (252, 248, 234)
        p.rect(x, y, w, h, edge + (255,), radius=3)
        p.rect(x + 1, y + 1, w - 2, h - 2, fill + (255,), radius=2)
        p.rect(x + 2, y + 1, w - 4, 1, shade(fill, -0.12) + (255,))
    elif name.startswith(("CheckBox", "RadioButton")):
        disabled = state_of(name) == "Disabled" or name.endswith("DisabledChecked")
        face = GREY_LIGHT if disabled else (252, 248, 234)
        edge = GREY_DARK if disabled else WOOD
        mark = (GREY_DARK if disabled else SEA_DARK) + (255,)
        if name.startswith("CheckBox"):
            p.rect(x + 1, y + 1, 13, 13, face + (255,), radius=2, outline=edge + (255,), width=1.2)
            if "Checked" in name:
                check_mark(p, x + 1, y + 1, 13, 13, mark)
        else:
            p.ellipse(x + 1, y + 1, 13, 13, face + (255,), outline=edge + (255,), width=1.2)
            if "Checked" in name:
                p.ellipse(x + 4.5, y + 4.5, 6, 6, mark)
    elif name.startswith("TwoStateIcon"):
        p.rect(x + 2, y + 2, 11, 11, PARCHMENT_LIGHT + (255,), radius=2,
               outline=WOOD + (255,), width=1)
        p.rect(x + 4.5, y + 7, 6, 1.2, ink)
        if name.endswith("Off"):  # collapsed: a plus to expand
            p.rect(x + 7, y + 4.5, 1.2, 6, ink)
    elif name == "ProgressBar.Back":
        p.rect(x, y, w, h, WOOD + (255,), radius=5)
        p.vgradient(x + 2, y + 2, w - 4, h - 4, PARCHMENT_DARK, PARCHMENT_LIGHT, radius=4)
    elif name == "ProgressBar.Front":
        p.rect(x, y, w, h, SEA_DARK + (255,), radius=5)
        p.vgradient(x + 2, y + 2, w - 4, h - 4, SEA_LIGHT, SEA, radius=4)
    elif name.startswith("ScrollBar.Track"):
        p.rect(x, y, w, h, PARCHMENT_DARK + (255,), radius=3)
        p.rect(x + 1, y + 1, w - 2, h - 2, shade(PARCHMENT_DARK, 0.3) + (255,), radius=2)
    elif name.startswith("ScrollBar.Bar"):
        framed(p, x, y, w, h, s, radius=4)
    elif name.startswith("ScrollButton"):
        framed(p, x, y, w, h, s, radius=3)
        k = int(name.split("[")[1][0])
        color = (PARCHMENT_LIGHT if s == "Down" else GREY_DARK if s == "Disabled" else INK) + (255,)
        arrow(p, x, y, w, h, SCROLL_DIRECTIONS[k], color)
    elif name == "MenuArrow":
        arrow(p, x, y, w, h, "right", ink)
    elif name == "MenuCheck":
        check_mark(p, x + 1, y + 1, 13, 13, ink)
    elif name.startswith("Menu."):
        p.rect(x, y, w, h, WOOD + (255,), radius=4)
        p.rect(x + 1, y + 1, w - 2, h - 2, PARCHMENT_LIGHT + (255,), radius=3)
        if name.endswith("WithColumn"):
            p.rect(x + 1, y + 1, 22, h - 2, PARCHMENT_DARK + (255,), radius=3)
            p.rect(x + 23, y + 3, 1, h - 6, WOOD_LIGHT + (255,))
    elif name == "MenuItem.Highlight":
        p.vgradient(x, y, w, h, BRASS_LIGHT, BRASS, radius=4)
    elif name.startswith("StateTile"):
        look = {"Plain": "Normal", "Hovered": "Hovered", "First": "Down",
                "Second": "Normal", "FirstSecond": "Down"}[name.split(".")[1]]
        framed(p, x, y, w, h, look, radius=5)
        if "Second" in name:
            p.rect(x + 3, y + h - 5, w - 6, 2, SEA + (255,))
    elif name.startswith("TinyStateIcon"):
        color = {"Normal": WOOD, "Hovered": BRASS, "Down": SEA_DARK, "Disabled": GREY}[s]
        if ".RowA." in name:
            p.ellipse(x + 0.5, y + 0.5, 6, 6, color + (255,))
        else:
            p.rect(x + 0.5, y + 0.5, 6, 6, color + (255,), radius=1)
    elif name.startswith("SmallStateIcon"):
        color = {"Normal": WOOD, "Hovered": BRASS, "Down": SEA_DARK, "Disabled": GREY}[s]
        if ".ColumnA." in name:
            arrow(p, x, y, w, h, "down", color + (255,))
        else:
            arrow(p, x, y, w, h, "right", color + (255,))
    elif name.startswith("DropDownField"):
        framed(p, x, y, w, h, s, radius=5)
        p.rect(x + w - 32, y + 5, 1, h - 10, shade(STATES[s][2], 0.3) + (255,))
        color = (PARCHMENT_LIGHT if s == "Down" else GREY_DARK if s == "Disabled" else INK) + (255,)
        arrow(p, x + w - 31, y, 31, h, "down", color)
    elif name.startswith("DropDownArrow"):
        color = {"Normal": INK, "First": SEA_DARK, "SecondOrThird": BRASS,
                 "Fourth": GREY_DARK}[name.split(".")[1]]
        arrow(p, x, y, w, h, "down", color + (255,))
    elif name.startswith("Tab."):
        _, side, kind = name.split(".")
        active = kind == "Active"
        top, bottom = (PARCHMENT_LIGHT, PARCHMENT) if active else (PARCHMENT_DARK, GREY)
        p.rect(x, y, w, h, (WOOD if active else WOOD_LIGHT) + (255,), radius=6)
        p.vgradient(x + 1, y + 1, w - 2, h - 2, top, bottom, radius=5)
        # the side that joins the page is square and open
        if side == "Top":
            p.rect(x + 1, y + h - 6, w - 2, 6, bottom + (255,))
        elif side == "Bottom":
            p.rect(x + 1, y, w - 2, 6, top + (255,))
        elif side == "Left":
            p.rect(x + w - 6, y + 1, 6, h - 2, bottom + (255,))
        else:
            p.rect(x, y + 1, 6, h - 2, bottom + (255,))
    else:
        raise SystemExit(f"no picture for region {name}")


# --------------------------------------------------------------------------
# Assembly
# --------------------------------------------------------------------------


def extrude_edges(img, regions, cells):
    """Copies each region's edge pixels one pixel outwards into free gutter pixels, so
    linear filtering at a region's border samples the region itself, never a neighbour."""
    a = np.asarray(img).copy()
    taken = np.zeros((H, W), bool)
    for _, _, x, y, w, h, _ in regions:
        taken[y:y + h, x:x + w] = True
    for cx, cy in cells:
        taken[cy:cy + 8, cx:cx + 8] = True
    for _, _, x, y, w, h, _ in regions:
        for yy in range(max(0, y - 1), min(H, y + h + 1)):
            for xx in range(max(0, x - 1), min(W, x + w + 1)):
                if not taken[yy, xx]:
                    a[yy, xx] = a[min(max(yy, y), y + h - 1), min(max(xx, x), x + w - 1)]
    return Image.fromarray(a, "RGBA")


def palette_cells():
    """The 8x8 swatch around each pixel the palette is read from, as (left, top, index)."""
    return [((px // 8) * 8, (py // 8) * 8, index) for px, py, index in PALETTE_READS]


def build():
    p = Painter()
    for name, kind, x, y, w, h, borders in REGIONS:
        paint_region(p, name, x, y, w, h, borders)
    img = p.result()
    cells = palette_cells()
    img = extrude_edges(img, REGIONS, [(cx, cy) for cx, cy, _ in cells])
    draw = ImageDraw.Draw(img)
    for cx, cy, index in cells:
        draw.rectangle([cx, cy, cx + 7, cy + 7], fill=PALETTE[index])
    return img


def check(img):
    assert img.size == (W, H)
    assert len(REGIONS) == 118
    assert sum(r[1] == "B" for r in REGIONS) == 74
    for name, _, x, y, w, h, _ in REGIONS:
        assert x + w <= W and y + h <= H, name
    for px, py, index in PALETTE_READS:
        assert img.getpixel((px, py)) == PALETTE[index], (px, py)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--preview", help="also write a 2x preview on a sea-blue backdrop")
    args = parser.parse_args()
    img = build()
    check(img)
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    img.save(OUT, optimize=True)  # no gamma or colour-profile chunk: swatches read back exactly
    print("wrote", os.path.relpath(OUT, ROOT), img.size)
    if args.preview:
        back = Image.new("RGBA", img.size, (40, 70, 90, 255))
        back.alpha_composite(img)
        back.resize((W * 2, H * 2), Image.NEAREST).save(args.preview)


if __name__ == "__main__":
    main()
