#!/usr/bin/python3
"""Builds the game's images and sounds from Debian packages.

Reads assets/names.txt (every name the game draws or plays, with its
format), assets/manifest.txt (where each one comes from) and
assets/packages.txt (the packages and their licences). Packages are
fetched with apt-get download into a cache beside the game folder and only the
needed paths are unpacked, so nothing needs installing and a second run reuses
the cache. Outputs whose recipe did not change are left alone.

Usage: art.py SOURCE_DIR GAME_DIR
Writes GAME_DIR/gfx, GAME_DIR/sfx, the credits of every output to
CACHE/credits.txt and one contact sheet per folder to BUILD/contact/.

Sections: data files, packages, images, drawn images, sounds, driver.
"""
import fnmatch
import hashlib
import json
import os
import shutil
import subprocess
import sys

from PIL import Image, ImageDraw, ImageEnhance

# The recipes are this file's code too: an edit here remakes every output.
with open(__file__, "rb") as _self:
    RECIPE_VERSION = hashlib.sha1(_self.read()).hexdigest()


def die(msg):
    sys.exit("assets: " + msg)


# ---- data files ----

def read_lines(path):
    with open(path, encoding="utf-8") as f:
        for no, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if line:
                yield no, line


def read_packages(path):
    pkgs = {}
    for no, line in read_lines(path):
        parts = [p.strip() for p in line.split("|")]
        if len(parts) != 5:
            die("%s:%d: want alias|package|root|copyright package|licence" % (path, no))
        alias, pkg, root, cpkg, licence = parts
        pkgs[alias] = {"pkg": pkg, "root": root.strip("/"), "cpkg": cpkg or pkg, "licence": licence}
    return pkgs


def parse_size(text, what):
    try:
        a, b = text.split("x")
        return (None if a == "*" else int(a)), (None if b == "*" else int(b))
    except ValueError:
        die("bad %s %r" % (what, text))


def read_names(path):
    """name -> None for a sound, else (frame w, frame h, cols or None, rows or None)."""
    names = {}
    for no, line in read_lines(path):
        parts = line.split()
        name = parts[0]
        if name in names:
            die("%s:%d: %s listed twice" % (path, no, name))
        if name.startswith("sfx/"):
            names[name] = None
        elif name.startswith("gfx/") and len(parts) == 3:
            fw, fh = parse_size(parts[1], "frame size")
            cols, rows = parse_size(parts[2], "grid")
            names[name] = (fw, fh, cols, rows)
        else:
            die("%s:%d: want 'sfx/NAME' or 'gfx/NAME WxH COLSxROWS'" % (path, no))
    return names


def read_manifest(path):
    recipes = {}
    for no, line in read_lines(path):
        parts = line.split()
        if len(parts) < 2:
            die("%s:%d: want 'NAME OP ARGS...'" % (path, no))
        name, op = parts[0], parts[1]
        srcs, opts = [], {}
        for tok in parts[2:]:
            if "=" in tok and ":" not in tok.split("=", 1)[0]:
                k, v = tok.split("=", 1)
                opts[k] = v
            elif ":" in tok:
                alias, rest = tok.split(":", 1)
                rect = None
                if "@" in rest:
                    rest, r = rest.split("@", 1)
                    rect = tuple(int(v) for v in r.split(","))
                    if len(rect) != 4:
                        die("%s:%d: a rectangle is x,y,w,h" % (path, no))
                srcs.append((alias, rest, rect))
            else:
                die("%s:%d: cannot read %r" % (path, no, tok))
        recipes[name] = {"op": op, "srcs": srcs, "opts": opts, "line": line}
    return recipes


# ---- packages ----

class Packages:
    def __init__(self, table, cache):
        self.table = table
        self.debs = os.path.join(cache, "debs")
        self.unpacked = os.path.join(cache, "unpacked")
        self.updated = False

    def deb(self, pkg):
        os.makedirs(self.debs, exist_ok=True)
        found = sorted(f for f in os.listdir(self.debs) if f.startswith(pkg + "_") and f.endswith(".deb"))
        if found:
            return os.path.join(self.debs, found[-1])
        print("assets: downloading %s" % pkg, flush=True)
        for attempt in range(2):
            r = subprocess.run(["apt-get", "download", "-q", pkg], cwd=self.debs,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
            if r.returncode == 0:
                return self.deb(pkg)
            if attempt == 0 and not self.updated:
                # A fresh machine may have no package lists yet.
                self.updated = True
                subprocess.run(["apt-get", "update", "-qq"], stdout=subprocess.DEVNULL)
        die("could not download %s: %s" % (pkg, r.stderr.strip()))

    def root(self, alias):
        return os.path.join(self.unpacked, alias)

    def ensure(self, alias, paths):
        """Unpacks the given paths (relative to the package root) of one alias."""
        p = self.table[alias]
        dest = self.root(alias)
        members = ["./" + p["root"] + "/" + q for q in sorted(set(paths))]
        missing = [m for m in members if not os.path.exists(os.path.join(dest, m))]
        if missing:
            os.makedirs(dest, exist_ok=True)
            unpack(self.deb(p["pkg"]), dest, missing)
        cfile = self.copyright_path(alias)
        if not os.path.exists(cfile):
            unpack(self.deb(p["cpkg"]), dest, ["./" + os.path.relpath(cfile, dest)])

    def copyright_path(self, alias):
        return os.path.join(self.root(alias), "usr/share/doc", self.table[alias]["cpkg"], "copyright")

    def source(self, alias, path):
        return os.path.join(self.root(alias), self.table[alias]["root"], path)


def unpack(deb, dest, members):
    # Only the named paths come out of the archive: the large data packages
    # hold far more than the game uses.
    fs = subprocess.Popen(["dpkg-deb", "--fsys-tarfile", deb], stdout=subprocess.PIPE)
    r = subprocess.run(["tar", "-x", "-C", dest, "-f", "-"] + members, stdin=fs.stdout,
                       stderr=subprocess.PIPE, text=True)
    fs.stdout.close()
    fs.wait()
    if r.returncode != 0:
        die("unpacking %s: %s" % (os.path.basename(deb), r.stderr.strip()[:2000]))


def glob_matches(glob, path):
    """A copyright file names upstream paths (lib/xtra/graf/x.png); the package
    installs them elsewhere (usr/share/angband/xtra/graf/x.png): a glob matches
    when any tail of it matches the tail of the path."""
    if glob == "*":
        return True
    comps = glob.split("/")
    tails = ("/".join(comps[i:]) for i in range(len(comps)))
    # A tail of wildcards alone (the "*" of "debian/*") would match anything.
    return any(fnmatch.fnmatch(path, "*/" + t) for t in tails if set(t) - set("*?/"))


def dep5_licence(copyright_file, path, fallback):
    """The licence (and holder) a machine-readable copyright file gives a path, else the fallback."""
    try:
        with open(copyright_file, encoding="utf-8", errors="replace") as f:
            text = f.read()
    except OSError:
        return fallback
    if not text.startswith("Format:"):
        return fallback
    best = None
    for stanza in text.split("\n\n"):
        files, licence, holder, key = [], None, None, None
        for line in stanza.splitlines():
            if line[:1] not in (" ", "\t") and ":" in line:
                key, val = line.split(":", 1)
                if key == "Files":
                    files = val.split()
                elif key == "License":
                    licence = val.strip()
                elif key == "Copyright":
                    holder = val.strip()
            elif key == "Files":
                files += line.split()
        if licence and any(glob_matches(g, path) for g in files):
            best = licence + (", copyright " + holder if holder else "")  # the last matching stanza wins
    return best or fallback


# ---- images ----

def load_rgba(path, rect):
    im = Image.open(path).convert("RGBA")
    if rect:
        x, y, w, h = rect
        im = im.crop((x, y, x + w, y + h))
    return im


def parse_colour(text):
    text = text.lstrip("#")
    vals = [int(text[i:i + 2], 16) for i in range(0, len(text), 2)]
    return tuple(vals + [255] * (4 - len(vals)))


def fit(im, fw, fh, opts):
    """Places an image into a frame: pixels kept as they are where they fit."""
    if opts.get("fill") == "1":
        # Cover the frame (backgrounds, portraits): scale and crop to fill.
        s = max(fw / im.width, fh / im.height)
        im = im.resize((max(1, round(im.width * s)), max(1, round(im.height * s))),
                       Image.NEAREST if s == int(s) else Image.LANCZOS)
        x, y = (im.width - fw) // 2, (im.height - fh) // 2
        return im.crop((x, y, x + fw, y + fh))
    if im.width > fw or im.height > fh:
        box = im.getchannel("A").getbbox()
        if box:
            im = im.crop(box)
    if im.width > fw or im.height > fh:
        s = min(fw / im.width, fh / im.height)
        k = 1
        while im.width / (k + 1) >= 1 and (im.width / k > fw or im.height / k > fh):
            k += 1
        if im.width % k == 0 and im.height % k == 0 and im.width // k <= fw and im.height // k <= fh:
            im = im.resize((im.width // k, im.height // k), Image.NEAREST)
        else:
            im = im.resize((max(1, int(im.width * s)), max(1, int(im.height * s))), Image.LANCZOS)
    out = Image.new("RGBA", (fw, fh))
    align = opts.get("align")
    if align == "topleft":
        # Cursors: the hot spot is the top-left corner.
        out.alpha_composite(im, (0, 0))
        return out
    y = fh - im.height if align == "bottom" else (fh - im.height) // 2
    out.alpha_composite(im, ((fw - im.width) // 2, y))
    return out


def same_box(frames):
    """Crops the frames of an animation to their common box, so they stay aligned."""
    box = None
    for f in frames:
        b = f.getchannel("A").getbbox()
        if b:
            box = b if box is None else (min(box[0], b[0]), min(box[1], b[1]), max(box[2], b[2]), max(box[3], b[3]))
    if box is None or any(f.size != frames[0].size for f in frames):
        return frames
    return [f.crop(box) for f in frames]


def head_crop(im):
    """The head and shoulders of a portrait: a square from the top of its figure."""
    box = im.getchannel("A").getbbox() or (0, 0, im.width, im.height)
    w, h = box[2] - box[0], box[3] - box[1]
    side = int(min(w, h) * 0.6)
    cx = (box[0] + box[2]) // 2
    x0 = max(0, cx - side // 2)
    y0 = box[1] + int(h * 0.02)
    return im.crop((x0, y0, x0 + side, y0 + side))


def on_background(im, colour):
    bg = Image.new("RGBA", im.size, colour)
    bg.alpha_composite(im)
    return bg


def adjust(im, opts):
    if "hue" in opts:
        shift = int(opts["hue"]) % 360 * 255 // 360
        a = im.getchannel("A")
        h, s, v = im.convert("RGB").convert("HSV").split()
        h = h.point(lambda p: (p + shift) % 256)
        im = Image.merge("HSV", (h, s, v)).convert("RGB")
        im.putalpha(a)
    if "sat" in opts:
        a = im.getchannel("A")
        im = ImageEnhance.Color(im.convert("RGB")).enhance(float(opts["sat"])).convert("RGBA")
        im.putalpha(a)
    if "bright" in opts:
        a = im.getchannel("A")
        im = ImageEnhance.Brightness(im.convert("RGB")).enhance(float(opts["bright"])).convert("RGBA")
        im.putalpha(a)
    if "tint" in opts:
        c = parse_colour(opts["tint"])
        layer = Image.new("RGBA", im.size, c[:3] + (255,))
        mixed = Image.blend(im.convert("RGBA"), layer, c[3] / 255 * 0.5)
        mixed.putalpha(im.getchannel("A"))
        im = mixed
    if opts.get("flip") == "1":
        im = im.transpose(Image.FLIP_LEFT_RIGHT)
    if "alpha" in opts:
        a = im.getchannel("A").point(lambda p: p * int(opts["alpha"]) // 255)
        im.putalpha(a)
    return im


def team_colour(im, hue):
    """Battle for Wesnoth paints the side's colour as magenta, recoloured when the
    game runs; here it becomes one fixed hue (degrees)."""
    a = im.getchannel("A")
    h, s, v = im.convert("RGB").convert("HSV").split()
    target = hue % 360 * 255 // 360
    hp, sp = h.load(), s.load()
    for y in range(im.height):
        for x in range(im.width):
            if 205 <= hp[x, y] <= 245 and sp[x, y] > 90:
                hp[x, y] = target
    out = Image.merge("HSV", (h, s, v)).convert("RGB")
    out.putalpha(a)
    return out


def keep_main_part(im):
    """Drops the bits of neighbouring sprites that a cut from a packed atlas
    catches at its edges: every part far smaller than the largest goes."""
    a = im.getchannel("A")
    px = a.load()
    W, H = im.size
    seen = [[False] * W for _ in range(H)]
    parts = []
    for y0 in range(H):
        for x0 in range(W):
            if seen[y0][x0] or px[x0, y0] == 0:
                continue
            stack, part = [(x0, y0)], []
            seen[y0][x0] = True
            while stack:
                x, y = stack.pop()
                part.append((x, y))
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if 0 <= nx < W and 0 <= ny < H and not seen[ny][nx] and px[nx, ny] > 0:
                        seen[ny][nx] = True
                        stack.append((nx, ny))
            parts.append(part)
    if not parts:
        return im
    biggest = max(len(p) for p in parts)
    out = im.copy()
    op = out.load()
    def at_side(part):
        return any(x == 0 or x == W - 1 for x, _ in part)

    for part in parts:
        # A neighbour's canopy reaching in from the side can be large; it
        # still is not the sprite.
        if len(part) < biggest * 0.1 or (at_side(part) and len(part) < biggest * 0.5):
            for x, y in part:
                op[x, y] = (0, 0, 0, 0)
    return out


def source_frames(recipe, pk, opts):
    frames = []
    scale = int(opts.get("scale", "1"))
    for alias, path, rect in recipe["srcs"]:
        im = load_rgba(pk.source(alias, path), rect)
        if opts.get("clean") == "1":
            im = keep_main_part(im)
        if "tc" in opts:
            im = team_colour(im, int(opts["tc"]))
        if scale != 1:
            im = im.resize((im.width * scale, im.height * scale), Image.NEAREST)
        frames.append(adjust(im, opts))
    return frames


def sheet(frames, fw, fh, cols, rows):
    cols = cols or len(frames)
    rows = rows or (len(frames) + cols - 1) // cols
    out = Image.new("RGBA", (fw * cols, fh * rows))
    for i, fr in enumerate(frames[: cols * rows]):
        out.alpha_composite(fr, ((i % cols) * fw, (i // cols) * fh))
    return out


def autotile(tex, piece, opts):
    """A 4 x 8 sheet of quarter pieces built from one square texture.

    Rows 2-5 hold a 2 x 2 block of cells with its outer border (corners,
    edges, middle), rows 0-1 columns 2-3 the inner corners, as the map's
    autotile drawing expects; the other pieces repeat the texture."""
    cell = piece * 2
    tex = tex.resize((cell, cell), Image.NEAREST) if tex.size != (cell, cell) else tex
    if opts.get("edge") == "none":
        # Cells that stand alone (trees): every piece is a quarter of the picture.
        out = Image.new("RGBA", (piece * 4, piece * 8))
        for y in range(0, piece * 8, cell):
            for x in range(0, piece * 4, cell):
                out.alpha_composite(tex, (x, y))
        return out
    edge = parse_colour(opts.get("edge", "000000c0"))
    light = parse_colour(opts.get("light", "ffffff40"))
    t = max(2, piece // 8)
    out = Image.new("RGBA", (piece * 4, piece * 8))
    for y in range(0, piece * 8, cell):
        for x in range(0, piece * 4, cell):
            out.alpha_composite(tex, (x, y))
    d = ImageDraw.Draw(out, "RGBA")
    # The 2 x 2 block: its outer border gets the edge.
    bx, by, bw = 0, piece * 2, piece * 4
    d.rectangle((bx, by, bx + bw - 1, by + bw - 1), outline=edge, width=t)
    d.rectangle((bx + t, by + t, bx + bw - 1 - t, by + bw - 1 - t), outline=light, width=max(1, t // 2))
    if opts.get("round") == "1":
        r = piece // 2
        for cx, cy in ((0, 0), (1, 0), (0, 1), (1, 1)):
            x0, y0 = bx + cx * (bw - r), by + cy * (bw - r)
            mask = Image.new("L", (r, r), 0)
            ImageDraw.Draw(mask).pieslice((-r if cx else 0, -r if cy else 0, (r if cx else 2 * r) - 1,
                                           (r if cy else 2 * r) - 1), 0, 360, fill=255)
            region = out.crop((x0, y0, x0 + r, y0 + r))
            region.putalpha(Image.composite(region.getchannel("A"), Image.new("L", (r, r), 0), mask))
            out.paste(region, (x0, y0))
    # Inner corners: the cell at columns 2-3, rows 0-1 has a notch at each corner.
    ix, iy = piece * 2, 0
    n = t * 3
    for cx, cy in ((0, 0), (1, 0), (0, 1), (1, 1)):
        x0 = ix + (0 if cx == 0 else cell - n)
        y0 = iy + (0 if cy == 0 else cell - n)
        d.rectangle((x0, y0, x0 + n - 1, y0 + n - 1), fill=edge)
    return out


# ---- drawn images (where no package has a fitting picture) ----

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"


def font_path(bold=True, serif=False):
    return FONT_DIR + "DejaVu%s%s.ttf" % ("Serif" if serif else "Sans", "-Bold" if bold else "")


def font(size, bold=True, serif=False):
    from PIL import ImageFont
    try:
        return ImageFont.truetype(font_path(bold, serif), size)
    except OSError:
        die("missing %s (package fonts-dejavu-core)" % font_path(bold, serif))


def check_glyph(ch):
    # A symbol the font lacks would be drawn as an empty box without a word.
    from fontTools.ttLib import TTFont
    if ord(ch) not in TTFont(font_path(), lazy=True).getBestCmap():
        die("U+%04X is not in %s" % (ord(ch), font_path()))


def draw_image(kind, fw, fh, opts, i=0, n=1):
    """Pictures no package has: marks, badges and simple effects, drawn four
    times larger and reduced, for smooth edges. i of n is the animation frame."""
    ss = 4
    W, H = fw * ss, fh * ss
    im = Image.new("RGBA", (W, H))
    d = ImageDraw.Draw(im)
    col = parse_colour(opts.get("c", "ffffff"))
    white = (255, 255, 255, 255)
    w = max(1, int(opts.get("w", "2"))) * ss
    t = (i + 1) / n  # animation progress, 0 < t <= 1
    if kind in ("circle_ok", "circle_del", "no_drop"):
        d.ellipse((ss, ss, W - ss - 1, H - ss - 1), fill=col if kind != "no_drop" else None,
                  outline=white if kind != "no_drop" else col, width=ss if kind != "no_drop" else W // 8)
        if kind == "circle_ok":
            d.line((W * 0.27, H * 0.52, W * 0.43, H * 0.68, W * 0.73, H * 0.34), fill=white, width=int(W * 0.12),
                   joint="curve")
        elif kind == "circle_del":
            for a, b in (((0.32, 0.32), (0.68, 0.68)), ((0.68, 0.32), (0.32, 0.68))):
                d.line((W * a[0], H * a[1], W * b[0], H * b[1]), fill=white, width=int(W * 0.12))
        else:
            d.line((W * 0.25, H * 0.25, W * 0.75, H * 0.75), fill=col, width=W // 8)
    elif kind == "frame":
        inset = int(opts.get("inset", "0")) * ss
        d.rectangle((inset, inset, W - 1 - inset, H - 1 - inset), outline=col, width=w)
    elif kind == "fill":
        inset = int(opts.get("inset", "0")) * ss
        d.rectangle((inset, inset, W - 1 - inset, H - 1 - inset), fill=col,
                    outline=parse_colour(opts["o"]) if "o" in opts else None, width=w)
    elif kind == "corners":
        m = W // 4
        e = w // 2
        for x, y, sx, sy in ((e, e, 1, 1), (W - 1 - e, e, -1, 1), (e, H - 1 - e, 1, -1), (W - 1 - e, H - 1 - e, -1, -1)):
            d.line((x, y + sy * m, x, y, x + sx * m, y), fill=col, width=w, joint="curve")
    elif kind == "dot":
        r = W * float(opts.get("r", "0.15"))
        d.ellipse((W / 2 - r, H / 2 - r, W / 2 + r, H / 2 + r), fill=col, outline=(0, 0, 0, 160), width=ss)
    elif kind == "cross":
        m = W * 0.25
        d.line((m, m, W - m, H - m), fill=col, width=w)
        d.line((W - m, m, m, H - m), fill=col, width=w)
    elif kind == "ring":
        r0 = W * 0.5 * float(opts.get("r", "0.8"))
        d.ellipse((W / 2 - r0, H / 2 - r0, W / 2 + r0, H / 2 + r0), outline=col, width=w)
    elif kind == "glyph":
        # A badge: a rounded square in the colour with a symbol on it.
        bg = parse_colour(opts.get("bg", "202028e0"))
        d.rounded_rectangle((0, 0, W - 1, H - 1), radius=W // 5, fill=bg, outline=col, width=max(ss, W // 16))
        ch = chr(int(opts["ch"], 16))
        check_glyph(ch)
        f = font(int(H * float(opts.get("size", "0.72"))))
        d.text((W / 2, H / 2 + H * 0.03), ch, font=f, fill=col, anchor="mm")
    elif kind == "heart":
        d.polygon([(W * 0.5, H * 0.88), (W * 0.1, H * 0.45), (W * 0.5, H * 0.3), (W * 0.9, H * 0.45)], fill=col)
        d.ellipse((W * 0.08, H * 0.15, W * 0.52, H * 0.6), fill=col)
        d.ellipse((W * 0.48, H * 0.15, W * 0.92, H * 0.6), fill=col)
    elif kind == "belt":
        d.rounded_rectangle((0, H * 0.36, W - 1, H * 0.64), radius=ss * 2, fill=col, outline=(40, 24, 8, 255), width=ss)
        d.rectangle((W * 0.38, H * 0.28, W * 0.62, H * 0.72), outline=(230, 190, 60, 255), width=ss * 2)
        d.line((W * 0.5, H * 0.36, W * 0.5, H * 0.64), fill=(230, 190, 60, 255), width=ss)
    elif kind == "cloud":
        import random
        rnd = random.Random(opts.get("seed", "1"))
        for _ in range(14):
            r = rnd.uniform(0.15, 0.3) * W
            x, y = rnd.uniform(r, W - r), rnd.uniform(r, H - r)
            d.ellipse((x - r, y - r, x + r, y + r), fill=col)
        layer = im.filter(__import__("PIL.ImageFilter", fromlist=["x"]).GaussianBlur(W / 16))
        im = layer
    elif kind == "slash":
        # A white arc swept across the cell, growing then fading.
        a1 = -150 + 240 * t
        alpha = int(255 * (1.0 if t < 0.7 else (1 - t) / 0.3 + 0.1))
        d.arc((W * 0.1, H * 0.1, W * 0.9, H * 0.9), -150, a1, fill=col[:3] + (min(255, alpha),), width=W // 10)
    elif kind == "burst":
        r = W * 0.45 * t
        alpha = int(255 * (1 - t * 0.7))
        for k in range(8):
            import math
            a = k * math.pi / 4
            d.line((W / 2 + math.cos(a) * r * 0.3, H / 2 + math.sin(a) * r * 0.3,
                    W / 2 + math.cos(a) * r, H / 2 + math.sin(a) * r), fill=col[:3] + (alpha,), width=W // 16)
        d.ellipse((W / 2 - r * 0.3, H / 2 - r * 0.3, W / 2 + r * 0.3, H / 2 + r * 0.3), fill=col[:3] + (alpha,))
    elif kind == "stars":
        import math
        for k in range(5):
            a = k * 2 * math.pi / 5 + t * 2
            x, y = W / 2 + math.cos(a) * W * 0.3, H * 0.35 + math.sin(a) * H * 0.12
            d.text((x, y), "\u2605", font=font(W // 5), fill=col, anchor="mm")
    elif kind == "rise":
        # A condition's symbol rising out of the unit and fading.
        ch = chr(int(opts["ch"], 16))
        check_glyph(ch)
        y = H * (0.72 - 0.42 * t)
        alpha = 255 if t < 0.6 else int(255 * (1 - t) / 0.4)
        r = W * 0.22
        d.ellipse((W / 2 - r, y - r, W / 2 + r, y + r), fill=col[:3] + (alpha // 4,))
        d.text((W / 2, y), ch, font=font(int(H * 0.42)), fill=col[:3] + (alpha,), anchor="mm",
               stroke_width=ss, stroke_fill=(0, 0, 0, alpha))
    elif kind == "text":
        f = font(int(H * float(opts.get("size", "0.6"))), serif=True)
        txt = opts["t"].replace("_", " ")
        for dx, dy in ((-1, -1), (1, -1), (-1, 1), (1, 1), (0, 2)):
            d.text((W / 2 + dx * ss * 2, H / 2 + dy * ss * 2), txt, font=f, fill=(30, 12, 4, 255), anchor="mm")
        d.text((W / 2, H / 2), txt, font=f, fill=col, anchor="mm")
    elif kind == "cursor":
        d.polygon([(0, 0), (0, H * 0.75), (W * 0.2, H * 0.58), (W * 0.34, H * 0.9), (W * 0.46, H * 0.85),
                   (W * 0.32, H * 0.53), (W * 0.55, H * 0.53)], fill=col, outline=(0, 0, 0, 255))
    elif kind == "null":
        d.rectangle((0, 0, W - 1, H - 1), fill=(40, 40, 48, 255), outline=(90, 90, 100, 255), width=ss)
        d.text((W / 2, H / 2), "?", font=font(int(H * 0.6)), fill=(150, 150, 160, 255), anchor="mm")
    else:
        die("no drawing named %r" % kind)
    return im.resize((fw, fh), Image.LANCZOS)


# ---- sounds ----

def make_sound(recipe, pk, dst_stem):
    op, opts = recipe["op"], recipe["opts"]
    if op == "snd":
        alias, path, _ = recipe["srcs"][0]
        src = pk.source(alias, path)
        ext = os.path.splitext(src)[1]
        effects = opts.get("sox", "").replace(",", " ").split()
        if not effects:
            out = dst_stem + ext
            shutil.copyfile(src, out + ".part")
            os.replace(out + ".part", out)
            return out
        out = dst_stem + ".ogg"
        run_sox([src], out, effects)
        return out
    if op == "synth":
        # Notes as NAME:SECONDS, played one after the other.
        out = dst_stem + ".ogg"
        parts = []
        tmpdir = dst_stem + ".notes"
        os.makedirs(tmpdir, exist_ok=True)
        wave = opts.get("wave", "square")
        for i, note in enumerate(opts["notes"].split(",")):
            pitch, secs = note.split(":")
            p = os.path.join(tmpdir, "%02d.wav" % i)
            tone = [pitch] if pitch not in ("noise",) else []
            kind = "brownnoise" if pitch == "noise" else wave
            subprocess.run(["sox", "-n", "-r", "44100", "-c", "1", p, "synth", secs, kind] + tone + [
                            "fade", "0", secs, str(float(secs) * 0.3), "vol", "0.4"], check=True)
            parts.append(p)
        run_sox(parts, out, ["reverb", "30"])
        shutil.rmtree(tmpdir, ignore_errors=True)
        return out
    die("no sound recipe %r" % op)


def run_sox(inputs, out, effects):
    r = subprocess.run(["sox"] + inputs + ["-t", "ogg", out + ".part"] + effects,
                       stderr=subprocess.PIPE, text=True)
    if r.returncode != 0:
        die("sox: " + r.stderr.strip())
    os.replace(out + ".part", out)


# ---- driver ----

def remove_outputs(game, name):
    base = os.path.join(game, name)
    for ext in (".png", ".ogg", ".wav", ".mp3"):
        if os.path.exists(base + ext):
            os.remove(base + ext)


def existing_output(game, name):
    base = os.path.join(game, name)
    for ext in (".png", ".ogg", ".wav", ".mp3"):
        if os.path.exists(base + ext):
            return base + ext
    return None


def build_one(name, fmt, recipe, pk, game):
    dst_stem = os.path.join(game, name)
    os.makedirs(os.path.dirname(dst_stem), exist_ok=True)
    remove_outputs(game, name)
    if fmt is None:
        return make_sound(recipe, pk, dst_stem)
    fw, fh, cols, rows = fmt
    op, opts = recipe["op"], recipe["opts"]
    if op == "img":
        frames = source_frames(recipe, pk, opts)
        if opts.get("head") == "1":
            frames = [head_crop(f) for f in frames]
        if len(frames) > 1:
            frames = same_box(frames)
        frames = [fit(f, fw, fh, opts) for f in frames]
        if "bg" in opts:
            frames = [on_background(f, parse_colour(opts["bg"])) for f in frames]
        im = sheet(frames, fw, fh, cols, rows)
    elif op == "auto":
        tex = source_frames(recipe, pk, opts)[0]
        im = autotile(tex, fw, opts)
    elif op == "draw":
        n = int(opts.get("frames", "0")) or (cols or 1) * (rows or 1)
        frames = [adjust(draw_image(opts["kind"], fw, fh, opts, i, n), opts) for i in range(n)]
        im = sheet(frames, fw, fh, cols or n, rows or 1)
    else:
        die("%s: no image recipe %r" % (name, op))
    out = dst_stem + ".png"
    im.save(out + ".part", "PNG", optimize=False)
    os.replace(out + ".part", out)
    return out


def credit_lines(name, recipe, pk, table):
    if not recipe["srcs"]:
        what = "sound made with sox" if recipe["op"] == "synth" else "drawn"
        return ["%s: %s by scripts/art.py; same licence as the game" % (name, what)]
    lines = []
    for alias, path, rect in recipe["srcs"]:
        p = table[alias]
        full = p["root"] + "/" + path
        lic = dep5_licence(pk.copyright_path(alias), full, p["licence"])
        where = " rectangle %d,%d,%d,%d" % rect if rect else ""
        changed = "; changed with sox (%s)" % recipe["opts"]["sox"] if "sox" in recipe["opts"] else ""
        lines.append("%s: Debian package %s, /%s%s%s; licence %s; see /usr/share/doc/%s/copyright"
                     % (name, p["pkg"], full, where, changed, lic, p["cpkg"]))
    return lines


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: art.py SOURCE_DIR GAME_DIR")
    src_dir, game = sys.argv[1], os.path.abspath(sys.argv[2])
    data = os.path.join(src_dir, "assets")
    build = os.path.dirname(game)
    cache = os.path.join(build, "assets-cache")
    contact_dir = os.path.join(build, "contact")
    table = read_packages(os.path.join(data, "packages.txt"))
    names = read_names(os.path.join(data, "names.txt"))
    recipes = read_manifest(os.path.join(data, "manifest.txt"))

    missing = [n for n in names if n not in recipes]
    if missing:
        die("no recipe in the manifest for %s" % ", ".join(missing[:20]))
    extra = [n for n in recipes if n not in names]
    if extra:
        die("the manifest names what the game does not use: %s" % ", ".join(extra[:20]))
    for n, r in recipes.items():
        for alias, _, _ in r["srcs"]:
            if alias not in table:
                die("%s: unknown package alias %r" % (n, alias))

    pk = Packages(table, cache)
    state_file = os.path.join(cache, "state.json")
    try:
        with open(state_file) as f:
            state = json.load(f)
    except (OSError, ValueError):
        state = {}

    todo = []
    for name, fmt in names.items():
        key = hashlib.sha1(("%s|%s|%s" % (RECIPE_VERSION, fmt, recipes[name]["line"])).encode()).hexdigest()
        if state.get(name) != key or not existing_output(game, name):
            todo.append((name, key))

    if todo:
        # Every source path of an alias comes out in one pass over its archive.
        needed = {}
        for name, _ in todo:
            for alias, path, _ in recipes[name]["srcs"]:
                needed.setdefault(alias, set()).add(path)
        for alias, paths in needed.items():
            all_paths = {p for r in recipes.values() for a, p, _ in r["srcs"] if a == alias}
            pk.ensure(alias, all_paths | paths)
        for name, key in todo:
            build_one(name, names[name], recipes[name], pk, game)
            state[name] = key
        os.makedirs(cache, exist_ok=True)
        with open(state_file + ".part", "w") as f:
            json.dump(state, f, indent=0, sort_keys=True)
        os.replace(state_file + ".part", state_file)
        print("assets: %d images and sounds made" % len(todo), flush=True)

    # Credits need every copyright file, which a cold cache may not have yet.
    for alias in {a for r in recipes.values() for a, _, _ in r["srcs"]}:
        if not os.path.exists(pk.copyright_path(alias)):
            pk.ensure(alias, set())
    credits = []
    for name in sorted(names):
        credits += credit_lines(name, recipes[name], pk, table)
    write_if_changed(os.path.join(cache, "credits.txt"), "\n".join(credits) + "\n")

    if todo or not os.path.isdir(contact_dir):
        import contact
        contact.write_sheets(game, names, contact_dir)


def write_if_changed(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    with open(path + ".part", "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(path + ".part", path)


if __name__ == "__main__":
    main()
