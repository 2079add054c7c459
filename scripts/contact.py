"""Contact sheets: one PNG per image folder, every image with its name, so a
person can review the art at a glance. The tile sheet also shows a small map
of each environment drawn the way the map view draws it."""
import os

from PIL import Image, ImageDraw

CELL = 96
LABEL = 24
COLS = 10
BG = (48, 48, 56, 255)


def folder_of(name):
    parts = name.split("/")
    return parts[1] if len(parts) > 2 else "top"


def write_sheets(game, names, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    groups = {}
    for name, fmt in sorted(names.items()):
        if fmt is not None:
            groups.setdefault(folder_of(name), []).append((name, fmt))
    for folder, items in groups.items():
        im = sheet_for(game, items)
        if folder == "tiles":
            maps = env_maps(game, items)
            if maps:
                both = Image.new("RGBA", (max(im.width, maps.width), im.height + maps.height), BG)
                both.paste(maps, (0, 0))
                both.paste(im, (0, maps.height))
                im = both
        im.save(os.path.join(out_dir, folder + ".png"))


def sheet_for(game, items):
    rows = (len(items) + COLS - 1) // COLS
    im = Image.new("RGBA", (COLS * CELL, rows * (CELL + LABEL)), BG)
    d = ImageDraw.Draw(im)
    for i, (name, fmt) in enumerate(items):
        x, y = (i % COLS) * CELL, (i // COLS) * (CELL + LABEL)
        d.rectangle((x + 2, y + 2, x + CELL - 3, y + CELL - 3), fill=(72, 72, 84, 255))
        path = os.path.join(game, name + ".png")
        if os.path.exists(path):
            pic = Image.open(path).convert("RGBA")
            fw, fh = fmt[0], fmt[1]
            # Single-frame images show whole; sheets show whole too, shrunk.
            s = min((CELL - 8) / pic.width, (CELL - 8) / pic.height)
            if s >= 1:
                s = int(s)
                pic = pic.resize((pic.width * s, pic.height * s), Image.NEAREST)
            else:
                pic = pic.resize((max(1, int(pic.width * s)), max(1, int(pic.height * s))), Image.LANCZOS)
            im.alpha_composite(pic, (x + (CELL - pic.width) // 2, y + (CELL - pic.height) // 2))
        else:
            d.line((x + 4, y + 4, x + CELL - 5, y + CELL - 5), fill=(255, 0, 0, 255), width=3)
        label = name.split("/", 2)[-1]
        d.text((x + 3, y + CELL + 1), label[:15], fill=(255, 255, 160, 255))
        if len(label) > 15:
            d.text((x + 3, y + CELL + 11), label[15:30], fill=(255, 255, 160, 255))
    return im


# The map view's choice of piece per quarter: (column, row) for
# (side, vertical and diagonal neighbour), (side and vertical), (side only),
# (vertical only), (neither).
PIECES = {
    (0, 0): ((2, 4), (2, 0), (2, 2), (0, 4), (0, 2)),
    (1, 0): ((1, 4), (3, 0), (1, 2), (3, 4), (3, 2)),
    (0, 1): ((2, 3), (2, 1), (2, 5), (0, 3), (0, 5)),
    (1, 1): ((1, 3), (3, 1), (1, 5), (3, 3), (3, 5)),
}

# 1 ground, 2 wall, 3 hard, 4 obstacle, 5 tree
SAMPLE = [
    "22222222",
    "21111132",
    "21551112",
    "21553142",
    "21111332",
    "22211112",
    "22222222",
]
TILE_KEYS = {1: "grnd", 2: "wall", 3: "hard", 4: "obst", 5: "tree"}


def env_maps(game, items):
    envs = sorted({n.split("/")[2].rsplit("_", 1)[0] for n, _ in items})
    c = 48
    w, h = len(SAMPLE[0]) * c, len(SAMPLE) * c
    out = Image.new("RGBA", (len(envs) * (w + 8), h + LABEL), BG)
    d = ImageDraw.Draw(out)
    for k, env in enumerate(envs):
        sheets = {}
        for t, key in TILE_KEYS.items():
            p = os.path.join(game, "gfx/tiles/%s_%s.png" % (env, key))
            if os.path.exists(p):
                sheets[t] = Image.open(p).convert("RGBA")
        ox = k * (w + 8)
        for y, row in enumerate(SAMPLE):
            for x, ch in enumerate(row):
                t = int(ch)
                cell = (ox + x * c, y * c)
                if 1 in sheets:
                    draw_frame(out, sheets[1], 128, (x * 7 + y * 3) % 97, cell, c)
                if t in (2, 5) and t in sheets:
                    draw_auto(out, sheets[t], cell, c, mask_at(x, y, ch))
                elif t in (3, 4) and t in sheets:
                    draw_frame(out, sheets[t], 128, x + y, cell, c)
        d.text((ox + 4, h + 4), env, fill=(255, 255, 160, 255))
    return out


def draw_frame(out, sheet, f, variant, at, c):
    n = max(1, (sheet.width // f) * (sheet.height // f))
    i = variant % n
    cols = sheet.width // f
    fr = sheet.crop(((i % cols) * f, (i // cols) * f, (i % cols) * f + f, (i // cols) * f + f))
    out.alpha_composite(fr.resize((c, c), Image.LANCZOS), at)


def mask_at(x, y, ch):
    def same(dx, dy):
        yy, xx = y + dy, x + dx
        return not (0 <= yy < len(SAMPLE) and 0 <= xx < len(SAMPLE[0])) or SAMPLE[yy][xx] == ch
    return {(dx, dy): same(dx, dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)}


def draw_auto(out, sheet, at, c, same):
    p = sheet.width // 4
    q = c // 2
    for (qx, qy), choice in PIECES.items():
        sx = 1 if qx else -1
        sy = 1 if qy else -1
        hh, vv, dd = same[(sx, 0)], same[(0, sy)], same[(sx, sy)]
        if hh and vv:
            col, row = choice[0] if dd else choice[1]
        elif hh:
            col, row = choice[2]
        elif vv:
            col, row = choice[3]
        else:
            col, row = choice[4]
        piece = sheet.crop((col * p, row * p, col * p + p, row * p + p)).resize((q, q), Image.LANCZOS)
        out.alpha_composite(piece, (at[0] + qx * q, at[1] + qy * q))
