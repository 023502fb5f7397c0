#!/usr/bin/python3
"""Checks the generated game assets: every file present, image shapes and alpha,
seamless and looping sea tiles, a hull sprite that fills the physics hull,
fonts with licences, sound lengths and levels, and the balance of the sounds as the game
plays them.

    /usr/bin/python3 tools/check_assets.py

Prints one line per failed check and a closing 'N passed, N failed' line;
exits non-zero when anything failed. Needs python3-pil, python3-numpy, python3-scipy and sox.
"""
import os
import subprocess
import sys

import numpy as np
from PIL import Image, ImageDraw

import make_sounds

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "Resources")
passed = 0
failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAILED:", what)


def image(name, mode="RGBA"):
    path = os.path.join(RES, "Images", name)
    check(os.path.isfile(path), "image exists: " + name)
    if not os.path.isfile(path):
        return None
    img = Image.open(path)
    check(img.mode == mode, "%s is %s (is %s)" % (name, mode, img.mode))
    return np.asarray(img.convert("RGBA")).astype(np.float64)


def aspect(a, ratio, name, tol=0.02):
    h, w = a.shape[:2]
    check(abs(w / h - ratio) <= tol * ratio, "%s aspect %.2f, wanted %.2f" % (name, w / h, ratio))


def check_images():
    sprites = {"ship1.png": 3.0, "cursor.png": 1.0, "cannonball.png": 1.0, "lifeframe.png": 12.0,
               "life.png": 12.0, "splinter.png": 1.0, "drop.png": 2.0, "button_normal.png": None,
               "button_hovered.png": None, "button_pressed.png": None, "ship_icon.png": 50 / 33}
    arrays = {}
    for name, ratio in sprites.items():
        a = image(name)
        if a is None:
            continue
        arrays[name] = a
        if ratio:
            aspect(a, ratio, name)
        check(a[..., 3].min() == 0, name + " has transparent parts")

    # the hull sprite fills the pointed physics hull and little else
    ship = arrays.get("ship1.png")
    if ship is not None:
        h, w = ship.shape[:2]
        hull = [(-0.5, -0.5), (0, -0.5), (0.5, 0), (0, 0.5), (-0.5, 0.5)]
        m = Image.new("L", (w, h), 0)
        ImageDraw.Draw(m).polygon([((u + 0.5) * w, (0.5 - v) * h) for (u, v) in hull], fill=255)
        inside = np.asarray(m) > 128
        opaque = ship[..., 3] > 128
        check(opaque[inside].mean() > 0.93, "hull sprite covers the hull polygon (%.2f)" % opaque[inside].mean())
        check(opaque[~inside].mean() < 0.15, "hull sprite stays in the hull polygon (%.2f)" % opaque[~inside].mean())
        check(np.abs(ship[::-1, :, 3] - ship[:, :, 3]).mean() < 8, "hull sprite is symmetric port to starboard")

    # buttons: light, highlighted, dark
    faces = [arrays.get(n) for n in ("button_normal.png", "button_hovered.png", "button_pressed.png")]
    if all(f is not None for f in faces):
        lum = [f[f[..., 3] > 250][:, :3].mean() for f in faces]
        check(lum[0] > 170 and lum[1] > 170 and lum[2] < 110, "button faces light/light/dark: %s" % lum)
        check(len({f.shape for f in faces}) == 1, "button faces share one size")

    bg = image("formbg.png")
    if bg is not None:
        check(bg[..., 3].min() == 255, "formbg is opaque")
        check(bg[..., :3].mean() > 170, "formbg is light")

    # sea: 25 square, opaque (RGB, quick to load), seamless frames per folder; the mirrored
    # folder mirrors them
    frames, mirrored = [], []
    for k in range(25):
        a = image("waves/waves_%04d.png" % k, "RGB")
        b = image("waves_mirrored/waves_%04d.png" % k, "RGB")
        if a is None or b is None:
            return
        frames.append(a)
        mirrored.append(b)
    check(not os.path.exists(os.path.join(RES, "Images", "waves", "waves_0025.png")), "exactly 25 wave frames")
    a = frames[0]
    check(a.shape[0] == a.shape[1] == 256, "wave tiles are 256 pixels square")
    check(all(f.shape == a.shape for f in frames + mirrored), "all wave tiles share one size")
    check(all(f[..., 3].min() == 255 for f in frames), "wave tiles are opaque")
    check(all(np.array_equal(m, f[:, ::-1]) for f, m in zip(frames, mirrored)), "mirrored tiles are horizontal mirrors")
    for i, f in enumerate(frames):
        rgb = f[..., :3]
        inner_v = np.abs(rgb[1:] - rgb[:-1]).mean()
        inner_h = np.abs(rgb[:, 1:] - rgb[:, :-1]).mean()
        wrap_v = np.abs(rgb[0] - rgb[-1]).mean()
        wrap_h = np.abs(rgb[:, 0] - rgb[:, -1]).mean()
        check(wrap_v < 2.5 * inner_v and wrap_h < 2.5 * inner_h,
              "frame %d tiles seamlessly (wrap %.2f/%.2f, inside %.2f/%.2f)" % (i, wrap_v, wrap_h, inner_v, inner_h))
    steps = [np.abs(frames[(i + 1) % 25][..., :3] - frames[i][..., :3]).mean() for i in range(25)]
    check(max(steps) < 1.5 * np.median(steps), "the wave loop has no jump (steps %.2f..%.2f)" % (min(steps), max(steps)))
    check(min(steps) > 0.2, "the waves move from frame to frame")


def check_fonts():
    for font, licence in (("ShadowsIntoLight.ttf", "ShadowsIntoLight.LICENSE.txt"),
                          ("Inconsolata.otf", "Inconsolata.LICENSE.txt")):
        path = os.path.join(RES, "Fonts", font)
        check(os.path.isfile(path) and os.path.getsize(path) > 10000, "font exists: " + font)
        lic = os.path.join(RES, "Fonts", licence)
        text = open(lic, encoding="utf-8", errors="replace").read() if os.path.isfile(lic) else ""
        # The SIL Open Font License, or the GPL with its font exception and its full text.
        free = "Open Font License" in text or (
            "GNU GENERAL PUBLIC LICENSE" in text and "special exception" in text and "embed this font" in text)
        check(free, "licence beside " + font)
    # The font library reads TrueType and OpenType data whatever the file's name says.
    with open(os.path.join(RES, "Fonts", "ShadowsIntoLight.ttf"), "rb") as f:
        check(f.read(4) in (b"\x00\x01\x00\x00", b"OTTO"), "ShadowsIntoLight.ttf is a TrueType or OpenType font")


def sound_stats(path):
    out = subprocess.run(["sox", path, "-n", "stat"], capture_output=True, text=True).stderr
    values = {}
    for line in out.splitlines():
        if ":" in line:
            k, v = line.split(":", 1)
            try:
                values[k.strip()] = float(v.split()[0])
            except (ValueError, IndexError):
                pass
    return values


def check_sounds():
    music = ["Take a Chance.mp3", "Brittle Rille.mp3", "Call to Adventure.mp3", "Black Vortex.mp3"]
    total = 0
    for name in music:
        path = os.path.join(RES, "Sounds", "Music", name)
        check(os.path.isfile(path), "music exists: " + name)
        if not os.path.isfile(path):
            continue
        total += os.path.getsize(path)
        st = sound_stats(path)
        length = st.get("Length (seconds)", 0)
        peak = max(st.get("Maximum amplitude", 1), -st.get("Minimum amplitude", -1))
        rms = st.get("RMS     amplitude", 0)
        check(30 <= length <= 90, "%s lasts %.1f s" % (name, length))
        check(peak < 0.99, "%s does not clip (peak %.3f)" % (name, peak))
        check(0.03 < rms < 0.3, "%s has a sensible level (RMS %.3f)" % (name, rms))
    check(total < 6 * 1024 * 1024, "music totals %.1f MB" % (total / 1048576))
    for name in ("explosion.mp3", "rumble.flac", "explosion_medium_various_debris_04.mp3", "water_splash_003.mp3"):
        path = os.path.join(RES, "Sounds", "Sfx", name)
        check(os.path.isfile(path), "effect exists: " + name)
        if not os.path.isfile(path):
            continue
        st = sound_stats(path)
        length = st.get("Length (seconds)", 0)
        peak = max(st.get("Maximum amplitude", 1), -st.get("Minimum amplitude", -1))
        check(0.3 < length < 1.5, "%s lasts %.2f s" % (name, length))
        check(0.1 < peak < 0.99, "%s peaks at %.3f" % (name, peak))
    # At the game's own gains: the broadside is the loudest effect and carries over the
    # battle music.
    lines, problems = make_sounds.playback_balance()
    check(not problems, "sound balance: " + "; ".join(problems) + "\n  " + "\n  ".join(lines))


def main():
    check_images()
    check_fonts()
    check_sounds()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
