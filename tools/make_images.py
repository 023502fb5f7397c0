#!/usr/bin/python3
"""Draws every image of the game into Resources/Images.

Run from anywhere: /usr/bin/python3 tools/make_images.py [--only NAME ...]
The output is deterministic: all randomness comes from fixed seeds.
Needs Debian's python3-pil and python3-numpy.
"""
import argparse
import math
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMAGES = os.path.join(ROOT, "Resources", "Images")

# --------------------------------------------------------------------------
# Small helpers
# --------------------------------------------------------------------------


def rng(seed):
    return np.random.RandomState(seed)


def save(img, name):
    path = os.path.join(IMAGES, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img = bleed_transparent(img.convert("RGBA"))
    img.save(path, optimize=True)
    print("wrote", os.path.relpath(path, ROOT), img.size)


def downsample(img, size):
    """Resizes with premultiplied alpha so edges keep their colour."""
    return img.convert("RGBa").resize(size, Image.LANCZOS).convert("RGBA")


def bleed_transparent(img):
    """Gives fully transparent pixels the colour of their nearest visible neighbour.

    The textures are sampled with linear filtering, so the colour hidden under
    alpha 0 leaks into the edges; without this every sprite would get a dark rim.
    """
    a = np.asarray(img).astype(np.float32)
    alpha = a[..., 3]
    known = alpha > 0
    if known.all() or not known.any():
        return img
    rgb = a[..., :3] * known[..., None]
    weight = known.astype(np.float32)
    filled_rgb = rgb.copy()
    filled = known.copy()
    for _ in range(64):
        if filled.all():
            break
        s_rgb = np.zeros_like(filled_rgb)
        s_w = np.zeros_like(weight)
        for dy, dx in ((0, 1), (0, -1), (1, 0), (-1, 0), (1, 1), (1, -1), (-1, 1), (-1, -1)):
            s_rgb += np.roll(np.roll(filled_rgb * filled[..., None], dy, 0), dx, 1)
            s_w += np.roll(np.roll(filled.astype(np.float32), dy, 0), dx, 1)
        grow = (~filled) & (s_w > 0)
        filled_rgb[grow] = s_rgb[grow] / s_w[grow][:, None]
        filled = filled | grow
    out = a.copy()
    out[..., :3] = np.where(known[..., None], a[..., :3], filled_rgb)
    return Image.fromarray(np.clip(out + 0.5, 0, 255).astype(np.uint8), "RGBA")


def periodic_noise(shape, seed, low, high, power=1.0):
    """Tileable fractal noise in [-1, 1]: white noise band-passed in the frequency domain."""
    h, w = shape
    r = rng(seed)
    white = r.standard_normal((h, w))
    fy = np.fft.fftfreq(h)[:, None] * h
    fx = np.fft.fftfreq(w)[None, :] * w
    k = np.sqrt(fx * fx + fy * fy)
    band = ((k >= low) & (k <= high)).astype(np.float64)
    with np.errstate(divide="ignore"):
        shaping = np.where(k > 0, k ** (-power), 0.0)
    field = np.fft.ifft2(np.fft.fft2(white) * band * shaping).real
    field /= np.abs(field).max() + 1e-9
    return field


def value_noise(shape, seed, scale):
    """Smooth, non-tiling noise in [-1, 1] made by upscaling a small random grid."""
    h, w = shape
    r = rng(seed)
    gh, gw = max(2, int(h / scale) + 2), max(2, int(w / scale) + 2)
    grid = (r.rand(gh, gw) * 255).astype(np.uint8)
    img = Image.fromarray(grid, "L").resize((w, h), Image.BICUBIC)
    v = np.asarray(img).astype(np.float64) / 127.5 - 1.0
    return v


def fbm(shape, seed, base_scale, octaves=4):
    total = np.zeros(shape)
    amp, norm = 1.0, 0.0
    for o in range(octaves):
        total += amp * value_noise(shape, seed + 17 * o, base_scale / (2 ** o))
        norm += amp
        amp *= 0.5
    return total / norm


def rgba_array(h, w, color, alpha=255):
    a = np.zeros((h, w, 4), np.float64)
    a[..., :3] = color
    a[..., 3] = alpha
    return a


def to_image(a):
    return Image.fromarray(np.clip(a + 0.5, 0, 255).astype(np.uint8), "RGBA")


def mask_of(size, draw_fn):
    m = Image.new("L", size, 0)
    draw_fn(ImageDraw.Draw(m))
    return np.asarray(m).astype(np.float64) / 255.0


def composite(base, color_layer, mask):
    """Alpha-composites a colour layer (h, w, 3 or 4) over base using mask in [0, 1]."""
    if color_layer.shape[-1] == 4:
        m = mask * color_layer[..., 3] / 255.0
        rgb = color_layer[..., :3]
    else:
        m = mask
        rgb = color_layer
    m3 = m[..., None]
    base[..., :3] = base[..., :3] * (1 - m3) + rgb * m3
    base[..., 3] = np.maximum(base[..., 3], 255.0 * m)
    return base


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


def bezier(p0, c, p1, n=40):
    pts = []
    for i in range(n + 1):
        t = i / n
        x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * c[0] + t * t * p1[0]
        y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * c[1] + t * t * p1[1]
        pts.append((x, y))
    return pts


# --------------------------------------------------------------------------
# Ship hull (top-down, bow to +X)
# --------------------------------------------------------------------------

SHIP_W, SHIP_H = 384, 128  # drawing size, in design pixels
SHIP_OUT = (240, 80)  # about the on-screen size of a 6 by 2 unit ship: no mipmaps, so no big reduction
SS = 4  # supersampling factor


def hull_outline(inset, W, H):
    """The hull outline in pixels, following the pointed physics hull:
    flat stern at the left, straight sides over the after half, a bow that
    narrows to a point at the right edge's middle. inset is in normalised
    width units (0 = the outer edge)."""
    def to_px(u, v):
        return ((u + 0.5) * W, (0.5 - v) * H)

    iu = inset * H / W  # same pixel inset along the length
    top = 0.5 - inset
    stern = -0.5 + iu * 1.2
    bow = 0.5 - iu * 2.4
    # rounded stern corner on the port side, then the straight side
    rv = 0.10
    ru = rv * H / W
    pts = []
    for i in range(9):
        a = (math.pi / 2) * (i / 8)
        pts.append((stern + ru - ru * math.cos(a), top - rv + rv * math.sin(a)))
    pts += bezier((-0.02, top), (0.22 - iu, 0.40 - inset * 0.8), (bow, 0.0))[:-1]
    pts += [(bow, 0.0)]
    lower = [(u, -v) for (u, v) in pts[::-1]]
    outline = pts + lower[1:]
    return [to_px(u, v) for (u, v) in outline]


def hull_half_width(u):
    """Half the hull's width (normalised) at length position u, on the outer edge."""
    pts = [(x, y) for (x, y) in bezier((-0.02, 0.5), (0.22, 0.40), (0.5, 0.0), 200)]
    if u <= pts[0][0]:
        return 0.5
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        if x0 <= u <= x1:
            return y0 + (y1 - y0) * (u - x0) / max(x1 - x0, 1e-9)
    return 0.0


def wood_texture(h, w, seed, base, dark, light, plank_px, along_x=True, butt_every=None):
    """Planked wood: planks along x (or y) with grain, seams and staggered butt joints."""
    r = rng(seed)
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float64)
    across = yy if along_x else xx
    along = xx if along_x else yy
    plank_idx = np.floor(across / plank_px)
    plank_tone = r.uniform(-1, 1, int(plank_idx.max()) + 2)[plank_idx.astype(int)]
    grain = value_noise((h, w), seed + 1, 3.0)
    streak = np.sin(along / (w if along_x else h) * 9.0 + across * 0.9 + grain * 3.0)
    long_grain = value_noise((h if along_x else 2, 2 if along_x else w), seed + 2, 1.0)
    if along_x:
        long_grain = np.repeat(np.asarray(Image.fromarray(((long_grain + 1) * 127).astype(np.uint8), "L")
                                          .resize((1, h), Image.BICUBIC)), w, 1) / 127.0 - 1.0
    else:
        long_grain = np.repeat(np.asarray(Image.fromarray(((long_grain + 1) * 127).astype(np.uint8), "L")
                                          .resize((w, 1), Image.BICUBIC)), h, 0) / 127.0 - 1.0
    t = 0.5 + 0.18 * plank_tone + 0.10 * streak + 0.12 * long_grain
    t = np.clip(t, 0, 1)
    base = np.array(base, np.float64)
    dark = np.array(dark, np.float64)
    light = np.array(light, np.float64)
    col = np.where(t[..., None] < 0.5,
                   dark + (base - dark) * (t[..., None] / 0.5),
                   base + (light - base) * ((t[..., None] - 0.5) / 0.5))
    # seams between planks
    frac = across / plank_px - plank_idx
    seam = np.maximum(smoothstep(0.88, 1.0, frac), 1 - smoothstep(0.0, 0.08, frac))
    col *= (1 - 0.45 * seam)[..., None]
    if butt_every:
        offs = r.uniform(0, butt_every, int(plank_idx.max()) + 2)[plank_idx.astype(int)]
        bf = ((along + offs) % butt_every) / butt_every
        butt = 1 - smoothstep(0.0, 0.012, bf) * (1 - smoothstep(0.988, 1.0, bf))
        col *= (1 - 0.35 * butt)[..., None]
    return col


def make_ship():
    W, H = SHIP_W * SS, SHIP_H * SS
    img = rgba_array(H, W, (0, 0, 0), 0)

    outer = mask_of((W, H), lambda d: d.polygon(hull_outline(0.0, W, H), fill=255))
    rim_in = mask_of((W, H), lambda d: d.polygon(hull_outline(0.085, W, H), fill=255))
    deck_mask = mask_of((W, H), lambda d: d.polygon(hull_outline(0.11, W, H), fill=255))

    # Outer hull planking (dark, seen at the rim) and the gunwale cap
    hull_wood = wood_texture(H, W, 11, (92, 58, 34), (58, 34, 20), (120, 80, 48), plank_px=9 * SS)
    img = composite(img, hull_wood, outer)
    cap = wood_texture(H, W, 12, (128, 86, 50), (96, 62, 36), (160, 112, 68), plank_px=200 * SS)
    rim_band = np.clip(outer - deck_mask, 0, 1)
    img = composite(img, cap, rim_band * 0.85)
    # a light line along the top of the gunwale
    ridge = mask_of((W, H), lambda d: d.line(hull_outline(0.05, W, H) + [hull_outline(0.05, W, H)[0]],
                                            fill=255, width=int(1.6 * SS)))
    img = composite(img, np.full((H, W, 3), (186, 140, 92.0)), ridge * 0.55)

    # Main deck: long planks along the ship
    deck = wood_texture(H, W, 13, (176, 132, 84), (140, 100, 60), (204, 160, 108),
                        plank_px=8.5 * SS, along_x=True, butt_every=70 * SS)
    img = composite(img, deck, deck_mask)
    # soft shadow inside the bulwark
    shade = np.asarray(Image.fromarray((deck_mask * 255).astype(np.uint8), "L")
                       .filter(ImageFilter.GaussianBlur(6 * SS))).astype(np.float64) / 255.0
    inner_shadow = deck_mask * (1 - shade)
    img[..., :3] *= (1 - 0.55 * inner_shadow)[..., None]

    def px(u, v):
        return ((u + 0.5) * W, (0.5 - v) * H)

    def rect_mask(u0, v0, u1, v1, radius=0):
        a, b = px(u0, v1), px(u1, v0)
        return mask_of((W, H), lambda d: d.rounded_rectangle([a, b], radius=radius, fill=255))

    # Quarterdeck (raised stern deck), planked across the ship
    qd = rect_mask(-0.5 + 0.035, -0.39, -0.27, 0.39, radius=3 * SS) * deck_mask
    qd_wood = wood_texture(H, W, 14, (166, 120, 74), (128, 88, 52), (196, 150, 98),
                           plank_px=7 * SS, along_x=False)
    qd_shadow_mask = np.asarray(Image.fromarray((qd * 255).astype(np.uint8), "L")
                                .filter(ImageFilter.GaussianBlur(3 * SS))).astype(np.float64) / 255.0
    shadow = np.clip(qd_shadow_mask * 1.4, 0, 1) * (1 - qd)
    # the raised deck casts its shadow forward (toward +x)
    shadow = np.roll(shadow, 4 * SS, axis=1)
    img[..., :3] *= (1 - 0.45 * shadow * deck_mask)[..., None]
    img = composite(img, qd_wood, qd)
    # quarterdeck rail
    a, b = px(-0.27, 0.39), px(-0.27, -0.39)
    rail = mask_of((W, H), lambda d: d.line([a, b], fill=255, width=int(3 * SS)))
    img = composite(img, np.full((H, W, 3), (104, 66, 38.0)), rail)
    # ship's wheel
    cx, cy = px(-0.32, 0.0)
    rad = 9 * SS
    wheel = mask_of((W, H), lambda d: d.ellipse([cx - rad, cy - rad, cx + rad, cy + rad],
                                                outline=255, width=int(2.2 * SS)))
    spokes = mask_of((W, H), lambda d: [d.line([(cx + 1.35 * rad * math.cos(k * math.pi / 4),
                                                 cy + 1.35 * rad * math.sin(k * math.pi / 4)),
                                                (cx - 1.35 * rad * math.cos(k * math.pi / 4),
                                                 cy - 1.35 * rad * math.sin(k * math.pi / 4))],
                                               fill=255, width=int(1.6 * SS)) for k in range(4)])
    img = composite(img, np.full((H, W, 3), (70, 42, 24.0)), np.clip(wheel + spokes, 0, 1))
    hub = mask_of((W, H), lambda d: d.ellipse([cx - 2.5 * SS, cy - 2.5 * SS, cx + 2.5 * SS, cy + 2.5 * SS], fill=255))
    img = composite(img, np.full((H, W, 3), (160, 120, 60.0)), hub)

    # Forecastle: a small raised deck in the bow
    fc_pts = hull_outline(0.2, W, H)
    fc_full = mask_of((W, H), lambda d: d.polygon(fc_pts, fill=255))
    fc = fc_full * (np.mgrid[0:H, 0:W][1] > px(0.27, 0)[0])
    fc_wood = wood_texture(H, W, 15, (168, 124, 78), (130, 90, 54), (198, 152, 100), plank_px=7 * SS)
    img = composite(img, fc_wood, fc)
    a, b = px(0.27, 0.27), px(0.27, -0.27)
    rail = mask_of((W, H), lambda d: d.line([a, b], fill=255, width=int(3 * SS)))
    img = composite(img, np.full((H, W, 3), (104, 66, 38.0)), rail * fc_full)

    # Cargo hatches with gratings
    for (u0, u1) in ((-0.09, -0.01), (0.12, 0.20)):
        hm = rect_mask(u0, -0.15, u1, 0.15, radius=2 * SS)
        img = composite(img, np.full((H, W, 3), (86, 56, 32.0)), hm)
        inner = rect_mask(u0 + 0.008, -0.12, u1 - 0.008, 0.12)
        yy, xx = np.mgrid[0:H, 0:W]
        grid = ((xx // (3 * SS)) % 2 == 0) | ((yy // (3 * SS)) % 2 == 0)
        img = composite(img, np.full((H, W, 3), (40, 26, 16.0)), inner * (~grid))
        img = composite(img, np.full((H, W, 3), (120, 82, 48.0)), inner * grid * 0.6)

    # Broadside guns: two a side, at a quarter of the length fore and aft of the middle,
    # run out through the bulwark with their carriages on the deck
    for u in (-0.25, 0.25):
        for side in (1, -1):
            bx, by = px(u, side * hull_half_width(u))
            inward = side  # +y in the image is inward for the upper (port) side

            def span(a0, a1):
                y0, y1 = by + inward * a0 * SS, by + inward * a1 * SS
                return min(y0, y1), max(y0, y1)
            c0, c1 = span(13, 25)
            carriage = mask_of((W, H), lambda d: d.rounded_rectangle([bx - 7.5 * SS, c0, bx + 7.5 * SS, c1],
                                                                     radius=2 * SS, fill=255))
            img = composite(img, np.full((H, W, 3), (30, 18, 10.0)),
                            np.roll(carriage, 2 * SS, axis=1) * deck_mask * 0.4)
            img = composite(img, np.full((H, W, 3), (98, 64, 38.0)), carriage * deck_mask)
            b0, b1 = span(1.5, 22)
            barrel = mask_of((W, H), lambda d: d.rounded_rectangle([bx - 3.4 * SS, b0, bx + 3.4 * SS, b1],
                                                                   radius=3 * SS, fill=255))
            img = composite(img, np.full((H, W, 3), (36, 36, 40.0)), barrel * outer)
            hl = mask_of((W, H), lambda d: d.line([(bx - 1.3 * SS, b0 + 2 * SS), (bx - 1.3 * SS, b1 - 2 * SS)],
                                                  fill=255, width=int(1.3 * SS)))
            img = composite(img, np.full((H, W, 3), (130, 130, 138.0)), hl * 0.55)
            m0, m1 = span(1.0, 4.0)
            muzzle = mask_of((W, H), lambda d: d.rectangle([bx - 4.4 * SS, m0, bx + 4.4 * SS, m1], fill=255))
            img = composite(img, np.full((H, W, 3), (22, 22, 26.0)), muzzle * outer)

    # Deck clutter: casks and coiled lines
    for (u, v, rr) in ((0.155, 0.29, 7), (0.19, 0.25, 6), (-0.06, -0.31, 7)):
        cx, cy = px(u, v)
        r0 = rr * SS
        cask = mask_of((W, H), lambda d: d.ellipse([cx - r0, cy - r0, cx + r0, cy + r0], fill=255))
        img = composite(img, np.full((H, W, 3), (40, 24, 14.0)), np.roll(np.roll(cask, 2 * SS, 1), 2 * SS, 0) * 0.35)
        img = composite(img, np.full((H, W, 3), (138, 92, 52.0)), cask)
        hoop = mask_of((W, H), lambda d: [d.ellipse([cx - r0 * f, cy - r0 * f, cx + r0 * f, cy + r0 * f],
                                                    outline=255, width=int(1.2 * SS)) for f in (0.95, 0.55)])
        img = composite(img, np.full((H, W, 3), (58, 50, 44.0)), hoop)
    for (u, v) in ((0.385, -0.075), (-0.10, 0.30)):
        cx, cy = px(u, v)
        coil = mask_of((W, H), lambda d: [d.ellipse([cx - f * SS, cy - f * SS, cx + f * SS, cy + f * SS],
                                                    outline=255, width=int(1.1 * SS)) for f in (2.5, 4.5, 6.5)])
        img = composite(img, np.full((H, W, 3), (206, 180, 128.0)), coil)

    # Swivel guns on the quarterdeck corners (the mini cannons)
    for side in (1, -1):
        cx, cy = px(-0.4, side * 0.4)
        pivot = mask_of((W, H), lambda d: d.ellipse([cx - 4 * SS, cy - 4 * SS, cx + 4 * SS, cy + 4 * SS], fill=255))
        barrel = mask_of((W, H), lambda d: d.line([(cx - 3 * SS, cy), (cx + 15 * SS, cy - side * 2 * SS)],
                                                  fill=255, width=int(3.6 * SS)))
        img = composite(img, np.full((H, W, 3), (40, 40, 44.0)), barrel)
        img = composite(img, np.full((H, W, 3), (70, 70, 76.0)), pivot)

    # Masts with their yards and sails, bellied forward by the wind
    sail_col = np.array((236, 228, 206.0))
    for (u, span, belly) in ((-0.16, 0.39, 0.045), (0.05, 0.40, 0.05), (0.31, 0.27, 0.035)):
        # shadow of the sail on the deck
        def sail_poly(du=0.0, dv=0.0):
            p0 = (u, span)
            p1 = (u, -span)
            front = bezier(p0, (u + belly * 2.0, 0.0), p1, 30)
            back = bezier(p1, (u + belly * 0.7, 0.0), p0, 30)
            return [px(x + du, y + dv) for (x, y) in front + back]
        sh = mask_of((W, H), lambda d: d.polygon(sail_poly(0.012, -0.06), fill=255))
        img[..., :3] *= (1 - 0.35 * sh * outer)[..., None]
        sail = mask_of((W, H), lambda d: d.polygon(sail_poly(), fill=255))
        yy, xx = np.mgrid[0:H, 0:W].astype(np.float64)
        # light falls from the upper left: the sail's crown is bright, its edges shaded
        vnorm = (yy / H - 0.5) * 2
        tone = 1.0 - 0.16 * np.abs(vnorm) ** 2 - 0.06 * (vnorm > 0)
        cloth = sail_col[None, None, :] * tone[..., None]
        seams = (np.abs(((yy / SS) % 14) - 7) < 0.4)
        cloth = cloth * (1 - 0.10 * seams[..., None])
        img = composite(img, cloth, sail)
        outline = mask_of((W, H), lambda d: d.line(sail_poly() + [sail_poly()[0]], fill=255, width=int(1.2 * SS)))
        img = composite(img, np.full((H, W, 3), (150, 138, 112.0)), outline)
        # the yard along the sail's head
        a, b = px(u - 0.004, span + 0.02), px(u - 0.004, -span - 0.02)
        yard = mask_of((W, H), lambda d: d.line([a, b], fill=255, width=int(3 * SS)))
        img = composite(img, np.full((H, W, 3), (82, 52, 30.0)), yard)
        # mast top
        mx, my = px(u + 0.006, 0.0)
        top = mask_of((W, H), lambda d: d.ellipse([mx - 5 * SS, my - 5 * SS, mx + 5 * SS, my + 5 * SS], fill=255))
        img = composite(img, np.full((H, W, 3), (96, 62, 36.0)), top)
        top2 = mask_of((W, H), lambda d: d.ellipse([mx - 2.5 * SS, my - 2.5 * SS, mx + 2 * SS, my + 2 * SS], fill=255))
        img = composite(img, np.full((H, W, 3), (140, 100, 60.0)), top2)

    # Bowsprit along the centre line toward the bow point
    a, b = px(0.30, 0.0), px(0.495, 0.0)
    sprit = mask_of((W, H), lambda d: d.line([a, b], fill=255, width=int(3.5 * SS)))
    img = composite(img, np.full((H, W, 3), (86, 54, 32.0)), sprit * outer)

    # dark outline around the hull so it reads on the water
    edge = np.clip(outer - mask_of((W, H), lambda d: d.polygon(hull_outline(0.02, W, H), fill=255)), 0, 1)
    img = composite(img, np.full((H, W, 3), (40, 24, 14.0)), edge)
    img[..., 3] = 255.0 * outer
    save(downsample(to_image(img), SHIP_OUT), "ship1.png")


# --------------------------------------------------------------------------
# Small sprites
# --------------------------------------------------------------------------


def make_cursor():
    S = 128 * SS
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    c = S / 2
    ring_r = S * 0.30
    dark = (30, 14, 10, 220)
    red = (236, 62, 38, 255)
    # dark outline first, then the bright strokes on top
    for col, extra in ((dark, 3.2 * SS), (red, 0)):
        w = int(5 * SS + extra * 2)
        d.ellipse([c - ring_r, c - ring_r, c + ring_r, c + ring_r], outline=col, width=w)
        for ang in range(4):
            ax, ay = math.cos(ang * math.pi / 2), math.sin(ang * math.pi / 2)
            r0, r1 = S * 0.14, S * 0.47
            d.line([(c + ax * r0, c + ay * r0), (c + ax * r1, c + ay * r1)], fill=col, width=w)
        dot = S * 0.035 + extra
        d.ellipse([c - dot, c - dot, c + dot, c + dot], fill=col)
    # a faint fill in the ring so the aim point stands out on busy water
    fill = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    ImageDraw.Draw(fill).ellipse([c - ring_r, c - ring_r, c + ring_r, c + ring_r], fill=(255, 220, 200, 40))
    img = Image.alpha_composite(fill, img)
    save(downsample(img, (64, 64)), "cursor.png")


def make_cannonball():
    S = 64 * SS
    yy, xx = np.mgrid[0:S, 0:S].astype(np.float64)
    c = (S - 1) / 2
    r = S * 0.47
    nx = (xx - c) / r
    ny = (yy - c) / r
    d2 = nx * nx + ny * ny
    inside = d2 <= 1.0
    nz = np.sqrt(np.clip(1 - d2, 0, 1))
    light = np.array([-0.5, -0.6, 0.62])
    light /= np.linalg.norm(light)
    diff = np.clip(nx * light[0] + ny * light[1] + nz * light[2], 0, 1)
    half = np.array([light[0], light[1], light[2] + 1.0])
    half /= np.linalg.norm(half)
    shine = np.clip(nx * half[0] + ny * half[1] + nz * half[2], 0, 1) ** 40
    pits = value_noise((S, S), 7, 10.0) * 0.06
    base = np.array((52, 52, 58.0))
    col = base * (0.25 + 0.95 * diff + pits)[..., None] + 200 * shine[..., None]
    # faint rim light from the water below
    col += np.array((20, 40, 60.0)) * (np.clip(d2 - 0.7, 0, 1) / 0.3)[..., None] * (ny > 0.2)[..., None]
    a = np.zeros((S, S, 4))
    a[..., :3] = col
    edge = np.clip((1.0 - np.sqrt(d2)) * r / 1.5, 0, 1)
    a[..., 3] = 255 * edge
    save(downsample(to_image(a), (32, 32)), "cannonball.png")


def make_life_bars():
    W, H = 240 * SS, 20 * SS
    # frame: a dark rounded bar with a light rim, the empty part shows dark
    frame = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(frame)
    d.rounded_rectangle([0, 0, W - 1, H - 1], radius=H * 0.45, fill=(22, 16, 12, 235))
    d.rounded_rectangle([1.2 * SS, 1.2 * SS, W - 1 - 1.2 * SS, H - 1 - 1.2 * SS], radius=H * 0.4,
                        outline=(226, 204, 160, 255), width=int(1.6 * SS))
    d.rounded_rectangle([3.4 * SS, 3.4 * SS, W - 1 - 3.4 * SS, H - 1 - 3.4 * SS], radius=H * 0.3,
                        fill=(60, 24, 20, 230))
    save(downsample(frame, (192, 16)), "lifeframe.png")

    # fill: a glossy green band that fits inside the frame's rim
    yy = np.mgrid[0:H, 0:W][0].astype(np.float64) / H
    top = np.array((124, 232, 112.0))
    mid = np.array((52, 178, 62.0))
    low = np.array((28, 112, 40.0))
    col = np.where(yy[..., None] < 0.45,
                   top + (mid - top) * (yy[..., None] / 0.45),
                   mid + (low - mid) * ((yy[..., None] - 0.45) / 0.55))
    gloss = np.exp(-((yy - 0.3) ** 2) / 0.004) * 0.35
    col = col + 255 * gloss[..., None] * 0.4
    a = np.zeros((H, W, 4))
    a[..., :3] = col
    m = mask_of((W, H), lambda d: d.rounded_rectangle([3.4 * SS, 3.4 * SS, W - 1 - 3.4 * SS, H - 1 - 3.4 * SS],
                                                      radius=H * 0.3, fill=255))
    a[..., 3] = 255 * m
    save(downsample(to_image(a), (192, 16)), "life.png")


def make_splinter():
    S = 64 * SS
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    r = rng(21)
    # a soft ember glow behind the shards
    glow = np.zeros((S, S, 4))
    yy, xx = np.mgrid[0:S, 0:S].astype(np.float64)
    d2 = ((xx - S / 2) / (S * 0.42)) ** 2 + ((yy - S / 2) / (S * 0.30)) ** 2
    glow[..., :3] = (255, 150, 60)
    glow[..., 3] = 110 * np.exp(-d2 * 2.2)
    img = Image.alpha_composite(img, to_image(glow))
    d = ImageDraw.Draw(img)
    shards = [(0.5, 0.5, 0.88, 0.20, 0.0), (0.36, 0.28, 0.50, 0.14, -0.35), (0.64, 0.73, 0.46, 0.13, 0.4),
              (0.26, 0.70, 0.34, 0.11, 0.3), (0.74, 0.27, 0.34, 0.11, -0.25)]
    for (cx, cy, length, width, ang) in shards:
        cx, cy, L, Wd = cx * S, cy * S, length * S, width * S
        ca, sa = math.cos(ang), math.sin(ang)
        # a jagged, tapering shard along its axis
        pts = []
        n = 7
        for i in range(n + 1):
            t = i / n
            half = Wd * 0.5 * (0.25 + 0.75 * math.sin(math.pi * min(1.0, t * 1.2)) ** 0.7) * (1 + 0.25 * r.uniform(-1, 1))
            pts.append((-L / 2 + t * L, -half))
        for i in range(n, -1, -1):
            t = i / n
            half = Wd * 0.5 * (0.25 + 0.75 * math.sin(math.pi * min(1.0, t * 1.2)) ** 0.7) * (1 + 0.25 * r.uniform(-1, 1))
            pts.append((-L / 2 + t * L, half))
        poly = [(cx + x * ca - y * sa, cy + x * sa + y * ca) for (x, y) in pts]
        d.polygon(poly, fill=(40, 22, 12, 255))
        inner = [(cx + x * 0.86 * ca - y * 0.55 * sa, cy + x * 0.86 * sa + y * 0.55 * ca) for (x, y) in pts]
        d.polygon(inner, fill=(196, 146, 88, 255))
        d.line([(cx - L * 0.38 * ca, cy - L * 0.38 * sa), (cx + L * 0.38 * ca, cy + L * 0.38 * sa)],
               fill=(232, 196, 140, 255), width=max(1, int(Wd * 0.12)))
    save(downsample(img, (32, 32)), "splinter.png")


def make_drop():
    W, H = 128 * SS, 64 * SS
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float64)
    u = xx / W  # 0 at the tail, 1 at the head
    v = (yy - H / 2) / (H / 2)
    # a round head at the right that thins to a tail on the left
    head_c = 0.78
    head_r = 0.20
    rad = np.where(u > head_c, np.sqrt(np.clip(head_r ** 2 - (u - head_c) ** 2, 0, None)) / head_r,
                   np.clip((u - 0.04) / (head_c - 0.04), 0, 1) ** 0.8)
    rad = rad * 0.78
    dist = np.abs(v) / np.maximum(rad, 1e-6)
    body = np.clip((1 - dist) * 6.0, 0, 1) * (rad > 0.01)
    # brighter toward the head, a highlight on the upper side
    tone = 0.55 + 0.45 * np.clip(u, 0, 1)
    col = np.zeros((H, W, 4))
    base = np.array((210, 236, 250.0))
    col[..., :3] = base * (0.8 + 0.2 * tone[..., None])
    hl = np.exp(-(((u - 0.80) / 0.05) ** 2 + ((v + 0.28) / 0.14) ** 2))
    col[..., :3] += 60 * hl[..., None]
    rim = np.clip(dist - 0.6, 0, 0.4) / 0.4
    col[..., :3] *= (1 - 0.25 * rim)[..., None]
    col[..., 3] = 255 * body * (0.35 + 0.6 * tone)
    save(downsample(to_image(col), (64, 32)), "drop.png")


def make_buttons():
    W, H = 192 * SS, 64 * SS
    radius = 14 * SS
    faces = {
        # face colours top -> bottom, border colour, inner highlight strength
        "button_normal.png": ((246, 234, 204), (222, 200, 156), (112, 78, 46), 0.55),
        "button_hovered.png": ((255, 240, 178), (244, 204, 112), (150, 96, 34), 0.75),
        "button_pressed.png": ((82, 52, 32), (118, 78, 46), (48, 28, 16), 0.0),
    }
    yy = np.mgrid[0:H, 0:W][0].astype(np.float64) / H
    grain = fbm((H, W), 31, 40 * SS, 3)
    for name, (top, bottom, border, gloss) in faces.items():
        top, bottom, border = (np.array(c, np.float64) for c in (top, bottom, border))
        col = top + (bottom - top) * yy[..., None]
        col = col * (1 + 0.035 * grain[..., None])
        a = np.zeros((H, W, 4))
        a[..., :3] = col
        outer = mask_of((W, H), lambda d: d.rounded_rectangle([0, 0, W - 1, H - 1], radius=radius, fill=255))
        inner = mask_of((W, H), lambda d: d.rounded_rectangle([2.2 * SS, 2.2 * SS, W - 1 - 2.2 * SS, H - 1 - 2.2 * SS],
                                                              radius=radius - 2.2 * SS, fill=255))
        ring = np.clip(outer - inner, 0, 1)
        a[..., :3] = a[..., :3] * (1 - ring[..., None]) + border * ring[..., None]
        if gloss > 0:
            # a soft light line just under the top border
            hl = mask_of((W, H), lambda d: d.rounded_rectangle([4 * SS, 3.6 * SS, W - 1 - 4 * SS, H * 0.55],
                                                               radius=radius - 4 * SS, outline=255,
                                                               width=int(1.5 * SS)))
            hl *= (yy < 0.3)
            a[..., :3] += (255 - a[..., :3]) * (gloss * hl)[..., None]
        else:
            # pressed: an inner shadow along the top edge
            sh = np.clip(1 - (yy - 0.04) / 0.18, 0, 1) * inner
            a[..., :3] *= (1 - 0.35 * sh)[..., None]
        a[..., 3] = 255 * outer
        save(downsample(to_image(a), (192, 64)), name)


def make_ship_icon():
    W, H = 100 * SS, 66 * SS
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    s = SS
    outline = (24, 16, 12, 255)
    # hull, bow to the right
    hull = [(6 * s, 44 * s), (94 * s, 44 * s), (86 * s, 58 * s), (16 * s, 58 * s)]
    # masts
    masts = [(30, 10, 44), (52, 4, 44), (72, 12, 44)]
    for (x, top, bot) in masts:
        d.line([(x * s, top * s), (x * s, bot * s)], fill=outline, width=int(4.6 * s))
    # sails: bellied rectangles, two per mast
    def sail(x, y0, y1, half):
        pts = bezier(((x - half) * s, y0 * s), (x * s, (y0 - 2) * s), ((x + half) * s, y0 * s), 12)
        pts += bezier(((x + half + 2) * s, y1 * s), ((x + 2) * s, (y1 + 4) * s), ((x - half + 2) * s, y1 * s), 12)
        return pts
    sails = []
    for (x, top, bot) in masts:
        span = bot - 6 - top
        sails.append(sail(x, top + 2, top + 2 + span * 0.45, 11))
        sails.append(sail(x, top + 3 + span * 0.5, bot - 7, 13))
    for p in sails:
        d.polygon(p, fill=outline)
    for p in sails:
        cx = sum(q[0] for q in p) / len(p)
        cy = sum(q[1] for q in p) / len(p)
        inner = [(cx + (q[0] - cx) * 0.82, cy + (q[1] - cy) * 0.74) for q in p]
        d.polygon(inner, fill=(244, 236, 214, 255))
    # bowsprit and jib
    d.line([(86 * s, 46 * s), (99 * s, 36 * s)], fill=outline, width=int(3 * s))
    d.polygon([(74 * s, 14 * s), (96 * s, 38 * s), (76 * s, 38 * s)], fill=outline)
    d.polygon([(76.5 * s, 20 * s), (91 * s, 36 * s), (77.5 * s, 36 * s)], fill=(236, 226, 200, 255))
    # hull on top of the sails' feet
    d.polygon(hull, fill=outline)
    inner_hull = [(9.5 * s, 46.5 * s), (90.5 * s, 46.5 * s), (84 * s, 55.5 * s), (18 * s, 55.5 * s)]
    d.polygon(inner_hull, fill=(124, 78, 42, 255))
    d.line([(11 * s, 49.5 * s), (88.5 * s, 49.5 * s)], fill=(214, 170, 80, 255), width=int(2 * s))
    for x in range(24, 84, 12):
        d.rectangle([x * s, 51.5 * s, (x + 4) * s, 54 * s], fill=(30, 20, 14, 255))
    # pennant
    d.polygon([(52 * s, 2 * s), (66 * s, 5 * s), (52 * s, 8 * s)], fill=outline)
    d.polygon([(53.5 * s, 3.4 * s), (62 * s, 5 * s), (53.5 * s, 6.6 * s)], fill=(210, 40, 36, 255))
    save(downsample(img, (100, 66)), "ship_icon.png")


# --------------------------------------------------------------------------
# Form background: an old sea chart on parchment
# --------------------------------------------------------------------------


def make_formbg():
    W, H = 1024, 768
    yy, xx = np.mgrid[0:H, 0:W].astype(np.float64)
    paper = np.array((236, 220, 182.0))
    mott = fbm((H, W), 41, 260, 5)
    fine = fbm((H, W), 43, 18, 2)
    col = paper * (1 + 0.055 * mott + 0.018 * fine)[..., None]
    # long paper fibres
    r = rng(44)
    fib = Image.new("L", (W, H), 0)
    fd = ImageDraw.Draw(fib)
    for _ in range(900):
        x, y = r.uniform(0, W), r.uniform(0, H)
        a = r.uniform(0, math.pi)
        L = r.uniform(6, 26)
        fd.line([(x, y), (x + L * math.cos(a), y + L * math.sin(a))], fill=int(r.uniform(40, 110)), width=1)
    fib = np.asarray(fib.filter(ImageFilter.GaussianBlur(0.6))).astype(np.float64) / 255.0
    col *= (1 - 0.10 * fib)[..., None]
    # foxing: a few faint brown stains
    for i in range(7):
        cx, cy = r.uniform(0, W), r.uniform(0, H)
        rad = r.uniform(20, 70)
        d2 = ((xx - cx) ** 2 + (yy - cy) ** 2) / rad ** 2
        col *= (1 - 0.05 * np.exp(-d2 * 2.0) * (1 + 0.5 * fine))[..., None]
    # aged, darker edges
    ex = np.minimum(xx, W - 1 - xx) / W
    ey = np.minimum(yy, H - 1 - yy) / H
    edge = np.minimum(ex * W / 70.0, ey * H / 70.0)
    burn = np.exp(-edge * 1.5) * (0.8 + 0.4 * mott)
    vign = ((xx / W - 0.5) ** 2 + (yy / H - 0.5) ** 2)
    col *= (1 - 0.22 * burn - 0.20 * vign)[..., None]
    col = col * (1 - 0.25 * burn)[..., None] + np.array((120, 76, 30.0)) * (0.25 * burn)[..., None]

    ink = np.array((96, 66, 40.0))
    a = np.zeros((H, W, 4))
    a[..., :3] = col
    a[..., 3] = 255

    def ink_layer(draw_fn, strength):
        big = mask_of((W * 2, H * 2), draw_fn)
        m = np.asarray(Image.fromarray((big * 255).astype(np.uint8), "L").resize((W, H), Image.LANCZOS)) / 255.0
        a[..., :3] = a[..., :3] * (1 - (m * strength)[..., None]) + ink * (m * strength)[..., None]

    # a ruled double border
    def border(d):
        d.rectangle([44, 44, 2 * W - 45, 2 * H - 45], outline=255, width=5)
        d.rectangle([62, 62, 2 * W - 63, 2 * H - 63], outline=255, width=2)
    ink_layer(border, 0.55)

    # rhumb lines from a compass rose in the lower right corner
    rx, ry = 2 * (W - 130), 2 * (H - 130)

    def rhumbs(d):
        for k in range(16):
            ang = k * math.pi / 8
            d.line([(rx, ry), (rx + 3000 * math.cos(ang), ry + 3000 * math.sin(ang))], fill=255, width=2)
    clip = np.zeros((H, W))
    clip[40:H - 40, 40:W - 40] = 1
    big = mask_of((W * 2, H * 2), rhumbs)
    m = np.asarray(Image.fromarray((big * 255).astype(np.uint8), "L").resize((W, H), Image.LANCZOS)) / 255.0
    m *= clip * 0.10
    a[..., :3] = a[..., :3] * (1 - m[..., None]) + ink * m[..., None]

    def rose(d):
        R = 190
        d.ellipse([rx - R, ry - R, rx + R, ry + R], outline=255, width=4)
        d.ellipse([rx - R + 16, ry - R + 16, rx + R - 16, ry + R - 16], outline=255, width=2)
        for k in range(32):
            ang = k * math.pi / 16
            r0 = R - 16 if k % 2 else R - 30
            d.line([(rx + r0 * math.cos(ang), ry + r0 * math.sin(ang)),
                    (rx + (R - 2) * math.cos(ang), ry + (R - 2) * math.sin(ang))], fill=255, width=3)
        for k in range(8):
            ang = k * math.pi / 4 - math.pi / 2
            L = R - 20 if k % 2 == 0 else R * 0.6
            wdt = 28 if k % 2 == 0 else 20
            tip = (rx + L * math.cos(ang), ry + L * math.sin(ang))
            l1 = (rx + wdt * math.cos(ang - math.pi / 2), ry + wdt * math.sin(ang - math.pi / 2))
            l2 = (rx + wdt * math.cos(ang + math.pi / 2), ry + wdt * math.sin(ang + math.pi / 2))
            d.polygon([tip, l1, (rx, ry)], fill=255)
            d.line([tip, l2, (rx, ry), tip], fill=255, width=3)
        # the north mark
        nx, ny = rx, ry - R - 46
        d.line([(nx - 14, ny + 20), (nx - 14, ny - 20), (nx + 14, ny + 20), (nx + 14, ny - 20)],
               fill=255, width=5, joint="curve")
    ink_layer(rose, 0.45)

    # corner flourishes
    def corners(d):
        for (cx, cy, sx, sy) in ((90, 90, 1, 1), (2 * W - 90, 90, -1, 1), (90, 2 * H - 90, 1, -1)):
            for k in range(3):
                rr = 30 + k * 22
                box = [cx - rr, cy - rr, cx + rr, cy + rr]
                start = {(1, 1): 0, (-1, 1): 90, (1, -1): 270}[(sx, sy)]
                d.arc(box, start, start + 90, fill=255, width=3)
            d.ellipse([cx - 9, cy - 9, cx + 9, cy + 9], fill=255)
    ink_layer(corners, 0.45)

    save(to_image(a), "formbg.png")


# --------------------------------------------------------------------------
# Sea: 25 frames of a tileable wave loop, and their horizontal mirrors
# --------------------------------------------------------------------------

SEA_SIZE = 512  # the grid the waves are computed on
# The saved tiles: the sea is smooth, so half the grid looks the same on screen (a tile is
# drawn about 512 pixels wide, filtered linearly) and loads about four times faster.
SEA_TILE = 256
SEA_FRAMES = 25


def sea_spectra(seed):
    """Random wave spectra on the tile's torus (integer wave numbers, so every frame tiles).

    Crests run roughly across the tile and travel along +y: odd columns of the arena use
    the horizontal mirror of each frame, and with crests that mostly run along x the
    mirrored neighbours meet without an obvious seam.
    """
    N = SEA_SIZE
    r = rng(seed)
    f = np.fft.fftfreq(N) * N
    ky, kx = np.meshgrid(f, f, indexing="ij")
    k = np.maximum(np.hypot(kx, ky), 1e-6)
    angle = np.arctan2(np.abs(kx), ky)  # 0 along +y
    directional = np.exp(-(angle / 0.62) ** 2) * (ky > 0)
    travelling = directional * ((k >= 5) & (k <= 44)) * k ** -1.55
    swell = directional * ((k >= 1.5) & (k < 4)) * k ** -1.4 * 0.8
    def rand_phase():
        return np.exp(1j * r.uniform(0, 2 * np.pi, (N, N))) * (0.6 + 0.4 * r.rand(N, N))
    return {
        "kx": kx, "ky": ky,
        "wave": travelling * rand_phase(),
        "swell_a": swell * rand_phase(),
        "swell_b": swell * rand_phase(),
        # foam and glitter: fine, undirected detail that churns through the loop
        # foam patches stretched along the crests (low x frequency, higher y frequency)
        "foam": ((k >= 8) & (k <= 36)) * np.exp(-(np.abs(kx) / (0.5 * np.abs(ky) + 2.0)) ** 2) * k ** -1.0
                * rand_phase(),
        # slow, large patches of darker and lighter water
        "tone": ((k >= 1) & (k <= 3)) * rand_phase(),
        "glint": ((k >= 30) & (k <= 90)) * rand_phase(),
    }


def sea_field(spectra, name, rot, kx=None, ky=None):
    z = spectra[name] * rot
    if kx is not None:
        z = z * 1j * kx * (2 * np.pi / SEA_SIZE)
    if ky is not None:
        z = z * 1j * ky * (2 * np.pi / SEA_SIZE)
    return np.fft.ifft2(z).real * SEA_SIZE


def sea_frame(spectra, t):
    kx, ky = spectra["kx"], spectra["ky"]
    go = np.exp(-2j * np.pi * t)  # one cycle per loop: the loop closes exactly
    c, s = math.cos(2 * math.pi * t), math.sin(2 * math.pi * t)
    h = sea_field(spectra, "wave", go)
    hx = sea_field(spectra, "wave", go, kx=kx)
    hy = sea_field(spectra, "wave", go, ky=ky)
    sw = 0.8 * sea_field(spectra, "swell_a", 1) + 0.25 * (c * sea_field(spectra, "swell_a", 1) + s * sea_field(spectra, "swell_b", 1))
    swx = 0.8 * sea_field(spectra, "swell_a", 1, kx=kx) + 0.25 * (c * sea_field(spectra, "swell_a", 1, kx=kx)
                                                               + s * sea_field(spectra, "swell_b", 1, kx=kx))
    swy = 0.8 * sea_field(spectra, "swell_a", 1, ky=ky) + 0.25 * (c * sea_field(spectra, "swell_a", 1, ky=ky)
                                                               + s * sea_field(spectra, "swell_b", 1, ky=ky))
    return (h, hx, hy, sw, swx, swy, sea_field(spectra, "foam", go), sea_field(spectra, "glint", go),
            sea_field(spectra, "tone", 1))


def seam_weight(N):
    """1 in the middle of the tile, falling toward its left and right edges.

    At those edges a tile meets its own mirror image; distinct features right at the
    mirror line would show up as butterfly shapes, so they are toned down there.
    """
    x = (np.arange(N) + 0.5) / N
    d = np.minimum(x, 1 - x)
    return smoothstep(0.0, 0.16, d)[None, :]


def sea_image(fields, scale):
    h, hx, hy, sw, swx, swy, foam, glint, tone = fields
    hs, sws, fs, gs, ts = scale
    tone = tone / ts
    w = seam_weight(h.shape[1])
    # near the mirror lines keep the crests' mean shape along x and lower the detail
    h_mean = h.mean(axis=1, keepdims=True)
    hy_mean = hy.mean(axis=1, keepdims=True)
    blend = 0.55 + 0.45 * w
    h = h_mean + (h - h_mean) * blend
    hy = hy_mean + (hy - hy_mean) * blend
    hx = hx * blend
    foam = foam * (0.4 + 0.6 * w)
    glint = glint * (0.5 + 0.5 * w)
    h, hx, hy = h / hs, hx / hs, hy / hs
    sw, swx, swy = sw / sws, swx / sws, swy / sws
    foam, glint = foam / fs, glint / gs
    # slopes of the surface; light falls from the top of the tile (no x part, so a
    # mirrored tile is lit the same way as its neighbour)
    gx = 0.030 * hx + 0.03 * swx
    gy = 0.030 * hy + 0.03 * swy
    nz = 1 / np.sqrt(1 + gx * gx + gy * gy)
    nx, ny = -gx * nz, -gy * nz
    light = np.array([0.0, -0.55, 0.83])
    light /= np.linalg.norm(light)
    diff = nx * light[0] + ny * light[1] + nz * light[2]
    half = light + np.array([0, 0, 1.0])
    half /= np.linalg.norm(half)
    shine = np.clip(nx * half[0] + ny * half[1] + nz * half[2], 0, 1) ** 160

    height = 0.65 * h + 0.35 * sw
    deep = np.array((16, 64, 106.0))
    mid = np.array((26, 96, 140.0))
    high = np.array((52, 136, 172.0))
    tt = np.clip(0.5 + 0.24 * height + 0.10 * tone, 0, 1)
    col = np.where(tt[..., None] < 0.5, deep + (mid - deep) * (tt[..., None] / 0.5),
                   mid + (high - mid) * ((tt[..., None] - 0.5) / 0.5))
    col = col * (0.55 + 0.55 * np.clip(diff, 0, 1))[..., None]
    # whitecaps: the highest crests where the churning foam field agrees
    crest = smoothstep(1.4, 2.6, h + 0.25 * sw) * smoothstep(0.3, 1.9, foam)
    streak = smoothstep(0.9, 1.9, h) * 0.16
    foam_col = np.array((214, 234, 242.0))
    m = np.clip(0.6 * crest + streak, 0, 0.7)[..., None]
    col = col * (1 - m) + foam_col * m
    # glitter of the sun on the slopes facing it
    col += 170 * (shine * smoothstep(0.8, 2.2, glint))[..., None]
    a = np.zeros(col.shape[:2] + (4,))
    a[..., :3] = col
    a[..., 3] = 255
    return to_image(a)


def wrapped_downsample(img, size):
    """Reduces a tile with Lanczos filtering that reaches across its edges into the
    opposite ones, so the smaller tile wraps as seamlessly as the big one."""
    pad = 16
    factor = img.size[0] // size
    a = np.pad(np.asarray(img), ((pad, pad), (pad, pad), (0, 0)), mode="wrap")
    small = Image.fromarray(a).resize((a.shape[1] // factor, a.shape[0] // factor), Image.LANCZOS)
    edge = pad // factor
    return small.crop((edge, edge, edge + size, edge + size))


def save_opaque(img, name):
    """Saves an image without an alpha channel: less to decode and upload."""
    path = os.path.join(IMAGES, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.convert("RGB").save(path, optimize=True)
    print("wrote", os.path.relpath(path, ROOT), img.size)


def make_sea():
    spectra = sea_spectra(2024)
    frames = [sea_frame(spectra, f / SEA_FRAMES) for f in range(SEA_FRAMES)]
    # one scale for the whole loop, so the brightness does not pulse
    scale = tuple(np.std(np.concatenate([fr[i].ravel() for fr in frames])) for i in (0, 3, 6, 7, 8))
    for f, fields in enumerate(frames):
        img = wrapped_downsample(sea_image(fields, scale).convert("RGB"), SEA_TILE)
        save_opaque(img, "waves/waves_%04d.png" % f)
        save_opaque(img.transpose(Image.FLIP_LEFT_RIGHT), "waves_mirrored/waves_%04d.png" % f)


MAKERS = {
    "ship": make_ship,
    "cursor": make_cursor,
    "cannonball": make_cannonball,
    "life": make_life_bars,
    "splinter": make_splinter,
    "drop": make_drop,
    "buttons": make_buttons,
    "ship_icon": make_ship_icon,
    "formbg": make_formbg,
    "sea": make_sea,
}


def main():
    p = argparse.ArgumentParser(description=__doc__)
    p.add_argument("--only", nargs="*", choices=sorted(MAKERS), help="make only these images")
    args = p.parse_args()
    for name in (args.only or MAKERS):
        MAKERS[name]()


if __name__ == "__main__":
    main()
