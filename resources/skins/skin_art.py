"""Drawing kit shared by both default skins and the program icons: one palette, one typeface, the
glyphs, and a small builder that turns image descriptions into ImageMagick arguments.

Every image is described as an `Img` (a list of `convert` arguments that leaves exactly one image on
the stack); a `Batch` writes all images of a skin with a single `convert` process, which keeps the
generators fast. Ini files are written as UTF-16LE with a byte-order mark, the form the wide profile
functions read Chinese text from.
"""

import math
import subprocess

# --- palette and type ---------------------------------------------------------------------------
def _font_file(family):
    """The font file of `family` (opening it by path is much faster than by name), else the name."""
    try:
        found = subprocess.run(["fc-match", "-f", "%{file}", family], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True).stdout.strip()
    except OSError:
        found = ""
    return found if found.lower().endswith((".ttc", ".ttf", ".otf")) else family.replace(" ", "-")


FONT = _font_file("WenQuanYi Zen Hei")  # the CJK face the programs' "宋体" text maps to on our machines

HEADER_TOP = "#3d95e4"      # title bands: a soft blue gradient
HEADER_BOTTOM = "#2673c4"
HEADER_EDGE = "#1d62ad"
FRAME = "#2a74c2"           # window frame around the content well
WELL = "#f2f7fc"            # content well behind the cards
CARD = "#ffffff"
CARD_EDGE = "#d4e3f0"
DIVIDER = "#e3edf6"
TEXT = "#3a434a"            # RGB(58, 67, 74), the framework's default text colour
TEXT_SOFT = "#7d8c99"
STATUS = "#497798"          # RGB(73, 119, 152), the running-status texts
ACCENT = "#1b85db"          # RGB(27, 133, 219)
ACCENT_DARK = "#1466b0"
RED = "#d13632"             # RGB(209, 54, 50)
GREEN = "#2fa560"
GREEN_DARK = "#1f8a4a"
AMBER = "#f0a324"
AMBER_DARK = "#d4820c"
WARN_BAND = "#fff7e6"
WARN_EDGE = "#f3d9a4"
TRACK = "#e4edf5"           # empty part of bars and rings


def hex_rgb(colour):
    """'#rrggbb' as (r, g, b)."""
    c = colour.lstrip("#")
    return tuple(int(c[i:i + 2], 16) for i in (0, 2, 4))


def ini_rgb(colour):
    """'#rrggbb' as the ini colour text 'r,g,b'."""
    return "%d,%d,%d" % hex_rgb(colour)


def rgba(colour, alpha):
    r, g, b = hex_rgb(colour)
    return "rgba(%d,%d,%d,%.3f)" % (r, g, b, alpha)


# --- MVG snippets -------------------------------------------------------------------------------
_gradient_ids = [0]


def _gradient(x0, y0, x1, y1, stops):
    _gradient_ids[0] += 1
    name = "g%d" % _gradient_ids[0]
    lines = ["push defs", "push gradient '%s' linear %g,%g %g,%g" % (name, x0, y0, x1, y1)]
    lines += ["stop-color '%s' %g" % (c, o) for o, c in stops]
    lines += ["pop gradient", "pop defs"]
    return "\n".join(lines) + "\n", "url(#%s)" % name


def shape(primitive, fill="none", stroke=None, width=1.0, vgrad=None, extra=""):
    """One MVG primitive with a flat or vertical-gradient fill and an optional stroke.
    vgrad = (y0, y1, [(offset, colour), ...])."""
    defs = ""
    if vgrad:
        y0, y1, stops = vgrad
        defs, fill = _gradient(0, y0, 0, y1, stops)
    out = "push graphic-context\n" + defs
    out += "fill '%s'\n" % fill
    out += ("stroke '%s'\nstroke-width %g\n" % (stroke, width)) if stroke else "stroke none\n"
    out += extra + primitive + "\npop graphic-context\n"
    return out


def rrect(x0, y0, x1, y1, r, **kw):
    return shape("roundrectangle %g,%g %g,%g %g,%g" % (x0, y0, x1, y1, r, r), **kw)


def rect(x0, y0, x1, y1, **kw):
    return shape("rectangle %g,%g %g,%g" % (x0, y0, x1, y1), **kw)


def circle(cx, cy, r, **kw):
    return shape("circle %g,%g %g,%g" % (cx, cy, cx + r, cy), **kw)


def line(x0, y0, x1, y1, colour, width=1.0, cap="butt"):
    return shape("line %g,%g %g,%g" % (x0, y0, x1, y1), stroke=colour, width=width,
                 extra="stroke-linecap %s\n" % cap)


def arc_path(cx, cy, r, a0, a1):
    """SVG path of a circular arc from angle a0 to a1 (degrees, clockwise from 12 o'clock)."""
    def pt(a):
        t = math.radians(a)
        return cx + r * math.sin(t), cy - r * math.cos(t)
    (x0, y0), (x1, y1) = pt(a0), pt(a1)
    large = 1 if (a1 - a0) % 360 > 180 else 0
    return "M %.3f,%.3f A %g,%g 0 %d 1 %.3f,%.3f" % (x0, y0, r, r, large, x1, y1)


def arc(cx, cy, r, a0, a1, colour, width, cap="round"):
    return shape("path '%s'" % arc_path(cx, cy, r, a0, a1), stroke=colour, width=width,
                 extra="stroke-linecap %s\n" % cap)


# --- glyphs: drawn in a 24-unit box, placed and scaled by glyph() ------------------------------
def _glyph_body(name, fg, bg):
    f = lambda prim: shape(prim, fill=fg)
    holes = lambda prim: shape(prim, fill=bg)
    stroked = lambda prim, w: shape(prim, stroke=fg, width=w,
                                    extra="stroke-linecap round\nstroke-linejoin round\n")
    if name == "bolt":
        return f("path 'M13.8,1.8 L4.6,13.6 L11,13.6 L9.6,22.2 L19.4,9.6 L13,9.6 Z'")
    if name == "gamepad":
        return (f("path 'M7.2,6.5 L16.8,6.5 C20.6,6.5 22.6,9.8 22.2,14.2 C21.9,18 19.6,19.9 17.6,18.8 "
                  "C16.4,18.1 15.8,16.6 14.6,15.6 L9.4,15.6 C8.2,16.6 7.6,18.1 6.4,18.8 "
                  "C4.4,19.9 2.1,18 1.8,14.2 C1.4,9.8 3.4,6.5 7.2,6.5 Z'")
                + holes("rectangle 5,10.3 9.8,11.9") + holes("rectangle 6.6,8.7 8.2,13.5")
                + holes("circle 16,10.2 17.1,10.2") + holes("circle 18.2,12.5 19.3,12.5"))
    if name == "gauge":
        return (stroked("path '%s'" % arc_path(12, 13.5, 9, -125, 125), 2.6)
                + stroked("line 12,13.5 16.6,8.6", 2.2) + f("circle 12,13.5 14.1,13.5"))
    if name == "apps":
        return "".join(f("roundrectangle %g,%g %g,%g 2,2" % (x, y, x + 7.6, y + 7.6))
                       for x in (3, 13.4) for y in (3, 13.4))
    if name == "memory":
        pins = "".join(f("rectangle %g,16.4 %g,19.6" % (x, x + 1.4)) for x in (4.2, 7.6, 11, 14.4, 17.8))
        return (f("roundrectangle 2,6.5 22,16.6 1.6,1.6") + pins
                + "".join(holes("rectangle %g,8.8 %g,13.8" % (x, x + 3.8)) for x in (4.4, 10.1, 15.8)))
    if name == "check":
        return stroked("path 'M5.2,12.6 L10,17.4 L19.2,7.4'", 2.9)
    if name == "warning":
        return (shape("path 'M12,3 L22,20.4 L2,20.4 Z'", fill=fg, stroke=fg, width=2.2,
                      extra="stroke-linejoin round\n")
                + holes("roundrectangle 10.9,8.6 13.1,15.2 1,1") + holes("circle 12,17.7 13.3,17.7"))
    if name == "question":
        return (f("circle 12,12 22,12")
                + shape("path 'M8.9,9.3 C8.9,7.2 10.3,5.9 12.2,5.9 C14.1,5.9 15.4,7.2 15.4,8.9 "
                        "C15.4,11.2 12.4,11.5 12.4,14.1'", stroke=bg, width=2.3,
                        extra="stroke-linecap round\n")
                + holes("circle 12.4,17.6 13.8,17.6"))
    if name == "wrench":
        return (stroked("line 5.6,18.4 13.4,10.6", 3.8) + f("circle 15.6,8.4 20.6,8.4")
                + holes("circle 18.5,5.5 21.1,5.5") + holes("path 'M16.6,4.6 L19.4,7.4 L22,4.8 L19.2,2 Z'"))
    if name == "arrow_up":
        return f("path 'M12,3.2 L19.6,11 L14.6,11 L14.6,20.4 L9.4,20.4 L9.4,11 L4.4,11 Z'")
    if name == "close":
        return stroked("line 7,7 17,17", 2.0) + stroked("line 17,7 7,17", 2.0)
    if name == "minus":
        return stroked("line 6.5,12.5 17.5,12.5", 2.0)
    raise ValueError(name)


def glyph(name, x, y, size, fg="#ffffff", bg="#000000"):
    """MVG of glyph `name` scaled into the square (x, y, size); `bg` paints its inner details."""
    s = size / 24.0
    return ("push graphic-context\ntranslate %g,%g\nscale %g,%g\n" % (x, y, s, s)
            + _glyph_body(name, fg, bg) + "pop graphic-context\n")


# --- images -------------------------------------------------------------------------------------
def _escape_label(text):
    return text.replace("%", "%%").replace("\\", "\\\\")


class Img:
    """`convert` arguments that leave one image of w x h on the stack."""

    def __init__(self, w, h, bg="none"):
        self.w, self.h = w, h
        self.args = ["-size", "%dx%d" % (w, h), "xc:%s" % bg]
        # An image marked opaque is written without alpha: the programs then hold 3 bytes a pixel, not 4.
        self.opaque = False

    @classmethod
    def raw(cls, w, h, args):
        img = cls.__new__(cls)
        img.w, img.h, img.args, img.opaque = w, h, list(args), False
        return img

    def draw(self, *mvg):
        self.args += ["-draw", "".join(mvg)]
        return self

    def paste(self, other, x, y):
        self.args += ["("] + other.args + [")", "-geometry", "%+d%+d" % (x, y), "-composite"]
        return self

    def text(self, x, y, text, size=12, colour=TEXT, bold=False, box=None, align="left"):
        """Text whose line box starts at (x, y); with box=(w, h) it is aligned inside that box."""
        label = ["(", "-background", "none", "-font", FONT, "-pointsize", str(size), "-fill", colour]
        if bold:
            label += ["-stroke", colour, "-strokewidth", "0.45"]
        label += ["label:" + _escape_label(text), ")"]
        if box:  # aligned on a canvas of the box (gravity must be set before the images are read)
            gravity = {"left": "West", "center": "Center", "right": "East"}[align]
            canvas = ["(", "-gravity", gravity, "-size", "%dx%d" % box, "xc:none"]
            label = canvas + label + ["-composite", ")"]
        self.args += label + ["-geometry", "%+d%+d" % (x, y), "-composite"]
        return self

    def shadow(self, mvg, bounds, blur=2.0, dy=1):
        """A blurred copy of the shape `mvg` (drawn in a translucent shadow colour) under what follows;
        `bounds` (x0, y0, x1, y1) encloses the shape, so only that part is blurred."""
        x0, y0, x1, y1 = [int(v) for v in bounds]
        m = int(math.ceil(blur * 3))
        layer = Img(x1 - x0 + 2 * m, y1 - y0 + 2 * m)
        moved = "push graphic-context\ntranslate %d,%d\n" % (m - x0, m - y0)
        layer.draw(moved + mvg + "pop graphic-context\n")
        layer.args += ["-blur", "0x%g" % blur]
        return self.paste(layer, x0 - m, y0 - m + dy)


def hstrip(frames):
    """Frames side by side, left to right."""
    args = []
    for f in frames:
        args += ["("] + f.args + [")"]
    return Img.raw(sum(f.w for f in frames), max(f.h for f in frames), args + ["-background", "none",
                                                                               "+append"])


class Batch:
    """Collects images and writes them with one `convert` process."""

    def __init__(self):
        self.items = []

    def add(self, path, img):
        self.items.append((path, img))
        return img

    def run(self):
        if not self.items:
            return
        # no time stamps in the files, so the same sources always give the same bytes
        cmd = ["convert", "-respect-parentheses", "-define", "png:exclude-chunks=date,time"]
        for path, img in self.items:
            target = (("png24:" if img.opaque else "png32:") + path) if path.endswith(".png") else path
            cmd += ["("] + img.args + ["-depth", "8", "-write", target, "-delete", "0--1", ")"]
        cmd += ["-size", "1x1", "xc:none", "null:"]
        done = subprocess.run(cmd, stderr=subprocess.PIPE, text=True)
        if done.returncode != 0 or done.stderr.strip():
            raise SystemExit("convert failed: " + done.stderr.strip())


# --- shared pieces ------------------------------------------------------------------------------
BUTTON_LOOKS = {
    # state: (top, bottom, border, highlight)
    "normal": ("#fdfeff", "#e2eefa", "#9ec0df", "#ffffff"),
    "hover": ("#ffffff", "#d3e7fa", "#5d9fd8", "#ffffff"),
    "pressed": ("#cfe2f4", "#e4eff9", "#4a87c0", None),
    "disabled": ("#f5f7f9", "#eceff2", "#cdd5dc", None),
}


def button_face(w, h, state, r=4):
    """One frame of the light button used by both programs."""
    top, bottom, border, highlight = BUTTON_LOOKS[state]
    img = Img(w, h)
    img.draw(rrect(0.5, 0.5, w - 0.5, h - 0.5, r, stroke=border, vgrad=(0, h, [(0, top), (1, bottom)])))
    if highlight:
        img.draw(line(r, 1.5, w - r, 1.5, rgba(highlight, 0.9)))
    return img


def button_strip(w, h, states=("normal", "hover", "pressed", "disabled"), r=4):
    return hstrip([button_face(w, h, s, r) for s in states])


def caption_button(glyph_name, hover_fill, pressed_fill, w=30, h=24):
    """Caption button over the blue title band: white glyph, a tinted plate on hover and press."""
    frames = []
    for plate, alpha in ((None, 1.0), (hover_fill, 1.0), (pressed_fill, 1.0), (None, 0.45)):
        f = Img(w, h)
        if plate:
            f.draw(rrect(0, 0, w - 1, h - 1, 3, fill=plate))
        g = 16
        f.draw(glyph(glyph_name, (w - g) / 2.0, (h - g) / 2.0, g, fg=rgba("#ffffff", alpha)))
        frames.append(f)
    return hstrip(frames)


def close_button(w=30, h=24):
    return caption_button("close", "#e5544d", "#c73c35", w, h)


def minimize_button(w=30, h=24):
    return caption_button("minus", rgba("#ffffff", 0.2), rgba("#0b3d73", 0.25), w, h)


def bar_track(h):
    """Three-slice track of an image-look bar: rounded ends, a one-pixel middle column."""
    r = h / 2.0
    w = 2 * int(math.ceil(r)) + 1
    img = Img(w, h)
    img.draw(rrect(0.5, 0.5, w - 0.5, h - 1.5, r - 1, fill="#dfe9f3", stroke="#cbdcec"))
    img.draw(line(2, h - 0.5, w - 2, h - 0.5, rgba("#ffffff", 0.9)))
    return img


def bar_fill(h, top="#63b6f6", bottom="#2581d8"):
    w = 2 * int(math.ceil(h / 2.0)) + 1
    img = Img(w, h)
    img.draw(rrect(0, 0, w - 1, h - 1, h / 2.0 - 0.5, vgrad=(0, h, [(0, top), (1, bottom)])))
    return img


def bar_knob(size=16):
    img = Img(size, size)
    c = size / 2.0
    img.shadow(circle(c, c, c - 2, fill=rgba("#1c4a78", 0.35)), (0, 0, size, size), blur=1.2, dy=1)
    img.draw(circle(c, c, c - 2, fill="#ffffff", stroke=ACCENT, width=2))
    img.draw(circle(c, c, 2, fill=ACCENT))
    return img


def logo(size, glyph_name="bolt", top="#4aa6f2", bottom="#1c69bf"):
    """The product mark: a rounded square in a soft gradient with a white glyph."""
    img = Img(size, size)
    r = max(2.0, size * 0.22)
    img.draw(rrect(0, 0, size - 1, size - 1, r, vgrad=(0, size, [(0, top), (1, bottom)])))
    if size >= 24:  # a faint gloss on the upper half (flat: ImageMagick gradients drop alpha)
        img.draw(rrect(1, 1, size - 2, size * 0.48, r * 0.9, fill=rgba("#ffffff", 0.13)))
    inset = size * (0.12 if size <= 16 else 0.19)
    img.draw(glyph(glyph_name, inset, inset, size - 2 * inset, fg="#ffffff", bg=bottom))
    return img


BLUE_BADGE = ("#5aaef0", "#2479cf")   # badge and disc gradients: idle, done, warning
GREEN_BADGE = ("#5fd08f", GREEN_DARK)
AMBER_BADGE = ("#ffc453", AMBER_DARK)

SORVIK_LOGO = ("bolt", "#4aa6f2", "#1c69bf")
TAVISK_LOGO = ("arrow_up", "#52c690", "#1f8f58")


def badge(size, glyph_name, top, bottom, glyph_ratio=0.56):
    """A round coloured badge with a white glyph (status icons)."""
    img = Img(size, size)
    c = size / 2.0
    img.draw(circle(c, c, c - 0.5, vgrad=(0, size, [(0, top), (1, bottom)])))
    g = size * glyph_ratio
    img.draw(glyph(glyph_name, c - g / 2, c - g / 2, g, fg="#ffffff", bg=bottom))
    return img


def write_ini(path, header, sections):
    """Ini file with a comment header; sections = [(name, [(key, value), ...]), ...]."""
    lines = ["; " + h for h in header] + [""]
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in keys]
        lines.append("")
    text = "\r\n".join(lines)
    with open(path, "wb") as f:
        f.write(b"\xff\xfe" + text.encode("utf-16-le"))


class ImageTable:
    """The numbered image table of "ImageRes.ini": add() returns each file's 1-based number."""

    def __init__(self):
        self.files = []

    def add(self, name):
        if name not in self.files:
            self.files.append(name)
        return self.files.index(name) + 1

    def write(self, path, header):
        keys = [("ImageNumber", str(len(self.files)))]
        keys += [("ImageID_%d" % (i + 1), f) for i, f in enumerate(self.files)]
        write_ini(path, header, [("ImageRes", keys)])
