#!/usr/bin/python3
"""Composes and synthesises the game's music and sound effects.

    /usr/bin/python3 tools/make_sounds.py [--only NAME ...] [--keep-wav DIR]

Music goes to Resources/Sounds/Music (MP3), effects to Resources/Sounds/Sfx
(MP3, and FLAC for the mini cannons). Everything is synthesised here from note
lists and noise with fixed seeds, so a re-run gives the same files.
Needs Debian's python3-numpy, python3-scipy, lame and sox.
"""
import argparse
import os
import shutil
import subprocess
import tempfile
import wave

import numpy as np
from scipy import signal

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MUSIC = os.path.join(ROOT, "Resources", "Sounds", "Music")
SFX = os.path.join(ROOT, "Resources", "Sounds", "Sfx")
SR = 44100

# Loudness. The game plays every file at a gain of its own (below), and these files are
# balanced for those gains: a broadside, the player's main weapon, must be the loudest effect
# and carry well over the battle music. The music that plays under the guns is levelled by
# how loud it is heard; the opening track plays before any battle, alone, and keeps a fuller
# level of its own.
OPENING_RMS_DB = -15.5
# Mastering level of the other tracks before they are levelled for playback.
MUSIC_RMS_DB = -20.0

# The game's playback gains: master volume 0.5 times the music volume 0.8 or the effects
# volume 1.0, times each file's own volume.
MASTER_VOLUME = 0.5
MUSIC_VOLUME = 0.8
EFFECTS_VOLUME = 1.0
MUSIC_FILES = {  # file -> (its volume, plays in battle)
    "Take a Chance.mp3": (0.2, False),
    "Brittle Rille.mp3": (0.75, False),
    "Call to Adventure.mp3": (0.75, True),
    "Black Vortex.mp3": (1.0, True),
}
EFFECT_FILES = {  # file -> its volume, in the order of the game's effect kinds
    "explosion.mp3": 0.25,
    "rumble.flac": 0.5,
    "explosion_medium_various_debris_04.mp3": 0.5,
    "water_splash_003.mp3": 0.75,
}
EFFECT_NAMES = {"explosion.mp3": "broadside", "rumble.flac": "mini cannon",
                "explosion_medium_various_debris_04.mp3": "hit (10 damage or more)", "water_splash_003.mp3": "splash"}
# What is heard is the mono mix of the game's stereo output (what the round-trip test
# records). Stereo music reaches it at its own level; a mono effect sounding at the camera
# lands 4.5 dB down on each side of OpenAL's stereo output.
CENTRED_MONO_DB = -4.5
# A broadside's four balls that fall short splash in the same tick: four copies of the
# splash start together and add up in phase, 12 dB over one. That volley is what is heard.
SPLASH_VOLLEY = 4
# Loudness is the level over 400 ms. Heard levels, in dBFS of the game's output:
MUSIC_HEARD_DB = -35.0  # median loudness of the menu and battle tracks
MINI_CANNON_HEARD_DB = -31.0  # loudest 400 ms of a mini-cannon shot
SPLASH_VOLLEY_HEARD_DB = -32.0  # loudest 400 ms of a splash volley
# A broadside is made as loud as it goes; it must stand this far over the battle music.
BROADSIDE_OVER_MUSIC_DB = 6.0

# --------------------------------------------------------------------------
# Pitches and notation
# --------------------------------------------------------------------------

NOTE_INDEX = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def midi(name):
    """'C#5' -> 73, 'Bb3' -> 58."""
    letter = name[0].upper()
    rest = name[1:]
    shift = 0
    while rest and rest[0] in "#b":
        shift += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + NOTE_INDEX[letter] + shift


def hz(m):
    return 440.0 * 2 ** ((m - 69) / 12.0)


def line(text, start=0.0, unit=1.0, vel=1.0):
    """Parses 'D5:2 F#5:1 r:1' into (start, length, midi, velocity) events.

    Lengths are in 'unit' beats; 'r' is a rest. A trailing '!' accents a note.
    """
    events = []
    t = start
    for token in text.split():
        name, length = token.split(":")
        length = float(length) * unit
        accent = name.endswith("!")
        name = name.rstrip("!")
        if name != "r":
            events.append((t, length, midi(name), vel * (1.2 if accent else 1.0)))
        t += length
    return events


CHORDS = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10),
    "sus4": (0, 5, 7), "dim": (0, 3, 6), "5": (0, 7),
}


def chord(name, octave=3):
    """'F#m' -> root midi and its intervals, root in the given octave."""
    root = name[0]
    rest = name[1:]
    if rest[:1] in ("#", "b"):
        root += rest[0]
        rest = rest[1:]
    return midi(root + str(octave)), CHORDS[rest]


# --------------------------------------------------------------------------
# Building blocks
# --------------------------------------------------------------------------


def rng(seed):
    return np.random.RandomState(seed)


def env(n_total, attack, decay, sustain, hold, release):
    """ADSR envelope: attack, decay to the sustain level, held until 'hold' seconds,
    then released; all in seconds. Returns n_total samples."""
    t = np.arange(n_total) / SR
    e = np.where(t < attack, t / max(attack, 1e-5), 1.0)
    dec = np.clip((t - attack) / max(decay, 1e-5), 0, 1)
    e = np.where(t >= attack, 1.0 - (1.0 - sustain) * dec, e)
    rel = np.clip((t - hold) / max(release, 1e-5), 0, 1)
    level_at_hold = e[min(int(hold * SR), n_total - 1)] if n_total else 0
    e = np.where(t >= hold, level_at_hold * (1 - rel) ** 2, e)
    return e


def lowpass(x, cutoff, order=2):
    sos = signal.butter(order, min(cutoff, SR * 0.45), "low", fs=SR, output="sos")
    return signal.sosfilt(sos, x)


def highpass(x, cutoff, order=2):
    sos = signal.butter(order, cutoff, "high", fs=SR, output="sos")
    return signal.sosfilt(sos, x)


def bandpass(x, lo, hi, order=2):
    sos = signal.butter(order, [lo, min(hi, SR * 0.45)], "band", fs=SR, output="sos")
    return signal.sosfilt(sos, x)


TABLE = 2048


def _wavetable(freq, amp_fn, b):
    """One cycle holding the harmonics that stay below the Nyquist limit at this pitch."""
    k = np.arange(TABLE) / TABLE
    tab = np.zeros(TABLE)
    h = 1
    while h * freq < SR * 0.45 and h <= 60:
        a = amp_fn(h, b)
        if a:
            tab += a * np.sin(2 * np.pi * h * k)
        h += 1
    return np.append(tab, tab[0])


def osc(freq, n, amp_fn, vibrato=None, detune=1.0, phase0=0.0, morph=None):
    """Band-limited oscillator. amp_fn(h, b) gives harmonic h's amplitude for timbre b;
    with 'morph' (an array in [0, 1]) the tone moves from timbre 0 to timbre 1 over time."""
    t = np.arange(n) / SR
    f = freq * detune
    cycles = f * t + phase0 / (2 * np.pi)
    if vibrato is not None:
        rate, depth, delay = vibrato
        ramp = np.clip((t - delay) / 0.3, 0, 1)
        cycles = cycles + (depth * f / rate) / (2 * np.pi) * ramp * np.sin(2 * np.pi * rate * t)
    pos = (cycles % 1.0) * TABLE
    dark = np.interp(pos, np.arange(TABLE + 1), _wavetable(f * 1.01, amp_fn, 0.0))
    if morph is None:
        return dark
    bright = np.interp(pos, np.arange(TABLE + 1), _wavetable(f * 1.01, amp_fn, 1.0))
    return dark + (bright - dark) * morph


# --------------------------------------------------------------------------
# Instruments: each returns a mono note of the given length (plus its release)
# --------------------------------------------------------------------------


def inst_pluck(freq, length, vel, seed, bright=0.5, decay=0.996):
    """Plucked string (Karplus-Strong), tuned exactly by resampling."""
    r = rng(seed)
    period = int(np.ceil(SR / freq))
    total = int((length + 0.6) * SR)
    excitation = r.uniform(-1, 1, period + 1)
    excitation = lowpass(np.concatenate([excitation, excitation]), 1500 + 9000 * bright)[period + 1:]
    excitation -= excitation.mean()
    # averaging two neighbours makes the loop (period + 0.5) samples long
    ratio = (period + 0.5) / (SR / freq)
    n_raw = int(total * ratio) + period + 2
    y = np.zeros(n_raw)
    y[:period + 1] = excitation
    for i in range(period + 1, n_raw, period):
        j = min(i + period, n_raw)
        y[i:j] = decay * 0.5 * (y[i - period:j - period] + y[i - period - 1:j - period - 1])
    # resample the loop's slightly low pitch up to the exact one
    src = np.arange(total) * ratio
    out = np.interp(src, np.arange(n_raw), y)
    damp = env(total, 0.002, 0.05, 1.0, length + 0.05, 0.5)
    return out * damp * vel


def inst_bass(freq, length, vel, seed):
    n = int((length + 0.15) * SR)
    bright = np.exp(-np.arange(n) / SR / 0.25)
    # the upper harmonics fade faster than the fundamental, as on a plucked bass
    tone = osc(freq, n, lambda h, b: 1.0 if h == 1 else (1.0 / h ** 1.7) * (0.3 + 0.7 * b) if h <= 6 else 0,
               morph=bright)
    return tone * env(n, 0.006, 0.35, 0.65, length, 0.1) * vel


def inst_concertina(freq, length, vel, seed):
    """Free-reed squeeze box: two slightly detuned reeds with a bright, hollow tone."""
    n = int((length + 0.12) * SR)
    amp = lambda h, b: (1.0 / h) * (1.0 if h % 2 else 0.55) * np.exp(-h / 14.0)
    tone = osc(freq, n, amp, vibrato=(5.0, 0.0025, 0.2))
    tone += 0.8 * osc(freq, n, amp, detune=1.0035, phase0=1.0)
    return tone * env(n, 0.025, 0.1, 0.85, length, 0.09) * vel * 0.5


def inst_fiddle(freq, length, vel, seed):
    n = int((length + 0.15) * SR)
    t = np.arange(n) / SR
    amp = lambda h, b: (1.0 / h) * np.exp(-h / (9.0 * (0.6 + 0.4 * b))) * (1.25 if 3 <= h <= 6 else 1.0)
    tone = osc(freq, n, amp, vibrato=(5.6, 0.005, 0.18), morph=np.clip(t / 0.08, 0, 1))
    bow = bandpass(rng(seed).standard_normal(n), 2000, 6000) * 0.04 * np.exp(-t / 0.06)
    return (tone + bow) * env(n, 0.045, 0.12, 0.85, length, 0.12) * vel * 0.6


def inst_pad(freq, length, vel, seed, bright=8.0):
    n = int((length + 1.0) * SR)
    tone = np.zeros(n)
    for k, det in enumerate((0.995, 1.0, 1.006)):
        tone += osc(freq, n, lambda h, b: (1.0 / h) * np.exp(-h / bright), detune=det, phase0=k * 2.1)
    return tone * env(n, 0.5, 0.3, 0.9, length, 0.9) * vel * 0.3


def inst_bell(freq, length, vel, seed):
    """Glassy bell: a few inharmonic partials that die quickly, the high ones first."""
    n = int((max(length, 0.5) + 2.2) * SR)
    t = np.arange(n) / SR
    out = np.zeros(n)
    for ratio, amp, dec in ((1.0, 1.0, 1.6), (2.0, 0.45, 0.9), (3.01, 0.22, 0.5), (4.16, 0.16, 0.3),
                            (5.43, 0.10, 0.18), (6.8, 0.05, 0.1)):
        if freq * ratio < SR * 0.45:
            out += amp * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-t / dec)
    return out * np.clip(t / 0.002, 0, 1) * vel * 0.5


def inst_brass(freq, length, vel, seed):
    n = int((length + 0.15) * SR)
    t = np.arange(n) / SR
    # the tone opens up in the attack and settles a little: brass 'blare'
    blare = np.clip(t / 0.07, 0, 1) * (0.75 + 0.25 * np.exp(-t / 0.3)) * min(vel, 1.2) / 1.2
    amp = lambda h, b: (1.0 / h) * np.exp(-(h - 1) / (4.0 + 8.0 * b))
    tone = osc(freq, n, amp, vibrato=(5.0, 0.003, 0.3), morph=blare)
    tone += 0.7 * osc(freq, n, amp, detune=1.004, phase0=0.7, morph=blare)
    return tone * env(n, 0.035, 0.15, 0.8, length, 0.1) * vel * 0.45


def inst_spiccato(freq, length, vel, seed):
    """Short bowed strings for fast ostinatos."""
    n = int((min(length, 0.25) + 0.1) * SR)
    amp = lambda h, b: (1.0 / h) * np.exp(-h / 10.0)
    tone = osc(freq, n, amp) + 0.8 * osc(freq, n, amp, detune=1.005, phase0=1.3)
    return tone * env(n, 0.01, 0.08, 0.35, min(length, 0.25) * 0.7, 0.06) * vel * 0.45


def inst_choir(freq, length, vel, seed):
    """An 'aah' from saws through three vowel formants."""
    n = int((length + 0.8) * SR)
    saw = np.zeros(n)
    for k, det in enumerate((0.996, 1.0, 1.005)):
        saw += osc(freq, n, lambda h, b: 1.0 / h, vibrato=(4.6 + k * 0.4, 0.004, 0.3), detune=det, phase0=k)
    voice = bandpass(saw, 650, 1000) * 1.0 + bandpass(saw, 1050, 1300) * 0.6 + bandpass(saw, 2500, 3200) * 0.25
    voice += lowpass(saw, 500) * 0.5
    return voice * env(n, 0.35, 0.3, 0.9, length, 0.7) * vel * 0.35


def inst_flute(freq, length, vel, seed):
    n = int((length + 0.2) * SR)
    t = np.arange(n) / SR
    tone = osc(freq, n, lambda h, b: {1: 1.0, 2: 0.25, 3: 0.1, 4: 0.04}.get(h, 0), vibrato=(5.0, 0.006, 0.25))
    breath = bandpass(rng(seed).standard_normal(n), freq * 0.8, freq * 3.0) * 0.05
    return (tone + breath) * env(n, 0.07, 0.1, 0.85, length, 0.15) * vel * 0.6


# Drums -------------------------------------------------------------------


def noise(n, seed):
    return rng(seed).standard_normal(n)


def drum_kick(vel, seed):
    n = int(0.5 * SR)
    t = np.arange(n) / SR
    f = 44 + 90 * np.exp(-t / 0.035)
    body = np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t / 0.28)
    click = highpass(noise(n, seed), 2000) * np.exp(-t / 0.003) * 0.25
    return (body + click) * vel


def drum_snare(vel, seed):
    n = int(0.35 * SR)
    t = np.arange(n) / SR
    rattle = bandpass(noise(n, seed), 1200, 9000) * np.exp(-t / 0.12)
    tone = np.sin(2 * np.pi * 185 * t) * np.exp(-t / 0.06)
    return (0.75 * rattle + 0.6 * tone) * vel * 0.8


def drum_hat(vel, seed, open_=False):
    n = int((0.35 if open_ else 0.08) * SR)
    t = np.arange(n) / SR
    return highpass(noise(n, seed), 7000, 4) * np.exp(-t / (0.12 if open_ else 0.022)) * vel * 0.45


def drum_shaker(vel, seed):
    n = int(0.09 * SR)
    t = np.arange(n) / SR
    shape = np.clip(t / 0.015, 0, 1) * np.exp(-t / 0.03)
    return bandpass(noise(n, seed), 4500, 11000) * shape * vel * 0.35


def drum_tom(vel, seed, freq=100.0, decay=0.35):
    n = int((decay * 2.5) * SR)
    t = np.arange(n) / SR
    f = freq * (1 + 0.5 * np.exp(-t / 0.04))
    body = np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t / decay)
    skin = lowpass(noise(n, seed), 1500) * np.exp(-t / 0.02) * 0.3
    return (body + skin) * vel


def drum_timpani(vel, seed, freq=73.4):
    n = int(2.0 * SR)
    t = np.arange(n) / SR
    out = np.zeros(n)
    for ratio, amp, dec in ((1.0, 1.0, 0.9), (1.5, 0.5, 0.6), (1.99, 0.35, 0.45), (2.44, 0.2, 0.3)):
        out += amp * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-t / dec)
    mallet = lowpass(noise(n, seed), 900) * np.exp(-t / 0.015) * 0.5
    return (out + mallet) * np.clip(t / 0.004, 0, 1) * vel * 0.8


def drum_crash(vel, seed):
    n = int(2.2 * SR)
    t = np.arange(n) / SR
    sh = highpass(noise(n, seed), 3500, 2) * np.exp(-t / 0.7)
    return sh * np.clip(t / 0.003, 0, 1) * vel * 0.35


def drum_bodhran(vel, seed, low=True):
    return drum_tom(vel, seed, freq=85 if low else 140, decay=0.18 if low else 0.09)


# --------------------------------------------------------------------------
# Arrangement: a song is a set of parts on a beat grid, mixed in stereo
# --------------------------------------------------------------------------


class Song:
    def __init__(self, bpm, length_beats, tail=2.5, seed=1):
        self.spb = 60.0 / bpm
        self.n = int((length_beats * self.spb + tail) * SR)
        self.dry = np.zeros((2, self.n))
        self.send = np.zeros((2, self.n))
        self.seed = seed
        self.counter = 0

    def _place(self, mono, start_sec, pan, gain, reverb):
        i0 = int(round(start_sec * SR))
        if i0 >= self.n:
            return
        mono = mono[: self.n - i0] * gain
        left = np.cos((pan + 1) * np.pi / 4)
        right = np.sin((pan + 1) * np.pi / 4)
        self.dry[0, i0:i0 + len(mono)] += mono * left
        self.dry[1, i0:i0 + len(mono)] += mono * right
        self.send[0, i0:i0 + len(mono)] += mono * left * reverb
        self.send[1, i0:i0 + len(mono)] += mono * right * reverb

    def notes(self, instrument, events, pan=0.0, gain=1.0, reverb=0.2, humanise=0.008, transpose=0, **kw):
        r = rng(self.seed * 1000 + self.counter)
        self.counter += 1
        for (start, length, m, vel) in events:
            self.counter += 1
            jitter = r.uniform(-humanise, humanise)
            v = vel * r.uniform(0.9, 1.05)
            note = instrument(hz(m + transpose), length * self.spb, v, self.seed * 7919 + self.counter, **kw)
            self._place(note, max(0.0, start * self.spb + jitter), pan, gain, reverb)

    def hits(self, drum, beats, pan=0.0, gain=1.0, reverb=0.1, vel=1.0, humanise=0.004, **kw):
        r = rng(self.seed * 2000 + self.counter)
        self.counter += 1
        for b in beats:
            self.counter += 1
            v = vel * (b[1] if isinstance(b, tuple) else 1.0) * r.uniform(0.85, 1.05)
            at = b[0] if isinstance(b, tuple) else b
            sound = drum(v, self.seed * 104729 + self.counter, **kw)
            self._place(sound, max(0.0, at * self.spb + r.uniform(-humanise, humanise)), pan, gain, reverb)

    def ambience(self, seed, level, start=0.0, length=None, rate=0.11):
        """Sea swell: filtered noise that rises and falls like breaking waves."""
        n = self.n if length is None else int(length * SR)
        t = np.arange(n) / SR
        for ch in (0, 1):
            x = bandpass(noise(n, seed + ch), 200, 2500)
            swell = (0.5 + 0.5 * np.sin(2 * np.pi * rate * t + ch * 1.3 + seed)) ** 3
            i0 = int(start * SR)
            m = min(n, self.n - i0)
            self.dry[ch, i0:i0 + m] += (x * swell * level)[:m]

    def render(self, reverb_time=1.6, reverb_level=0.35, target_rms_db=MUSIC_RMS_DB):
        wet = np.zeros_like(self.send)
        ir_n = int(reverb_time * 1.6 * SR)
        t = np.arange(ir_n) / SR
        for ch in (0, 1):
            ir = lowpass(noise(ir_n, 900 + ch), 5500) * np.exp(-t * 6.9 / reverb_time)
            ir[: int(0.018 * SR)] = 0.0  # pre-delay
            ir /= np.sqrt(np.sum(ir ** 2))
            wet[ch] = signal.fftconvolve(self.send[ch], ir)[: self.n]
        mix = self.dry + reverb_level * wet
        return master(mix, target_rms_db=target_rms_db)


def master(mix, target_rms_db, peak_db=-1.0):
    """High-pass, gentle compression, then level to a sensible loudness with headroom."""
    mix = np.stack([highpass(ch, 30) for ch in mix])
    mono = np.max(np.abs(mix), axis=0)
    # smoothed level detector (about 60 ms) for a soft 2.5:1 compressor above -18 dB of peak
    win = int(0.06 * SR)
    level = np.sqrt(np.convolve(mono ** 2, np.ones(win) / win, mode="same")) + 1e-9
    thresh = np.max(level) * 10 ** (-12 / 20)
    gain = np.where(level > thresh, (level / thresh) ** (1 / 2.5 - 1), 1.0)
    gain = np.convolve(gain, np.ones(win) / win, mode="same")
    mix = mix * gain
    rms = np.sqrt(np.mean(mix ** 2))
    mix = mix * (10 ** (target_rms_db / 20) / rms)
    peak = np.max(np.abs(mix))
    limit = 10 ** (peak_db / 20)
    if peak > limit:
        # soft-limit only the few peaks above the ceiling
        mix = np.where(np.abs(mix) > 0.7 * limit,
                       np.sign(mix) * (0.7 * limit + 0.3 * limit * np.tanh((np.abs(mix) - 0.7 * limit) / (0.3 * limit))),
                       mix)
    return mix


def fade(mix, fade_in=0.0, fade_out=0.0):
    n = mix.shape[-1]
    g = np.ones(n)
    if fade_in:
        k = int(fade_in * SR)
        g[:k] = np.linspace(0, 1, k)
    if fade_out:
        k = int(fade_out * SR)
        g[n - k:] *= np.linspace(1, 0, k) ** 2
    return mix * g


def trim_tail(mix, threshold_db=-60):
    """Cuts trailing silence after the last sample above the threshold (plus 50 ms)."""
    level = np.max(np.abs(mix), axis=0)
    loud = np.nonzero(level > 10 ** (threshold_db / 20))[0]
    end = min(mix.shape[-1], (loud[-1] if len(loud) else 0) + int(0.05 * SR))
    return mix[..., :end]


# --------------------------------------------------------------------------
# Output
# --------------------------------------------------------------------------


def write_wav(path, data):
    data = np.atleast_2d(data)
    pcm = np.clip(np.round(data.T * 32767), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(data.shape[0])
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(pcm.tobytes())


def encode(data, target, keep_dir=None, bitrate=112):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "out.wav")
        write_wav(wav, data)
        if target.endswith(".mp3"):
            mode = "j" if np.atleast_2d(data).shape[0] == 2 else "m"
            subprocess.run(["lame", "--quiet", "-q", "2", "-b", str(bitrate), "-m", mode, "--noreplaygain",
                            "--tt", os.path.splitext(os.path.basename(target))[0], "--ta", "Skarrow",
                            wav, target], check=True)
        elif target.endswith(".flac"):
            subprocess.run(["sox", "-q", wav, "-C", "8", target], check=True)
        else:
            raise ValueError(target)
        if keep_dir:
            os.makedirs(keep_dir, exist_ok=True)
            shutil.copy(wav, os.path.join(keep_dir, os.path.splitext(os.path.basename(target))[0] + ".wav"))
    secs = np.atleast_2d(data).shape[1] / SR
    print("wrote %s (%.2f s, %d bytes; %s)" % (os.path.relpath(target, ROOT), secs, os.path.getsize(target),
                                              loudness(data)))


def loudness(data):
    """RMS over the whole sound and over its loudest tenth of a second, and the peak, in dBFS."""
    mono = np.mean(np.atleast_2d(data), axis=0)
    window = SR // 10
    tenths = np.sqrt(np.convolve(mono ** 2, np.ones(window) / window, mode="valid")) if len(mono) >= window else [0]
    return "RMS %.1f dBFS, loudest 0.1 s %.1f dBFS, peak %.1f dBFS" % (
        db(np.sqrt(np.mean(mono ** 2))), db(np.max(tenths)), db(np.max(np.abs(data))))


# --------------------------------------------------------------------------
# Playback: how loud the game makes each file heard
# --------------------------------------------------------------------------


def db(v):
    return 20 * np.log10(max(float(v), 1e-9))


def heard_gain_db(name):
    """How much the game raises (or mostly lowers) a file's level on its way to the ears."""
    if name in MUSIC_FILES:
        return db(MASTER_VOLUME * MUSIC_VOLUME * MUSIC_FILES[name][0])
    gain = db(MASTER_VOLUME * EFFECTS_VOLUME * EFFECT_FILES[name]) + CENTRED_MONO_DB
    if name == "water_splash_003.mp3":
        gain += db(SPLASH_VOLLEY)
    return gain


def loudness_400ms(mono, hop):
    """Levels in dBFS of the 400 ms windows of a mono signal, one window every hop samples."""
    w = int(0.4 * SR)
    mono = np.asarray(mono, dtype=np.float64)
    if len(mono) < w:
        mono = np.pad(mono, (0, w - len(mono)))
    power = np.concatenate([[0.0], np.cumsum(mono ** 2)])
    starts = np.arange(0, len(mono) - w + 1, hop)
    return 10 * np.log10(np.maximum((power[starts + w] - power[starts]) / w, 1e-18))


def median_loudness(mono):
    return float(np.median(loudness_400ms(mono, SR // 10)))


def loudest_400ms(mono):
    return float(np.max(loudness_400ms(mono, SR // 100)))


def level_music(mix, name):
    """Scales a track so that, at the game's gain for it, its median loudness is heard at
    MUSIC_HEARD_DB."""
    change = MUSIC_HEARD_DB - heard_gain_db(name) - median_loudness(np.mean(mix, axis=0))
    return mix * 10 ** (change / 20)


def level_effect(x, name, heard):
    """Scales an effect so that, at the game's gain for it, its loudest 400 ms are heard at
    'heard' dBFS."""
    change = heard - heard_gain_db(name) - loudest_400ms(x)
    return x * 10 ** (change / 20)


def decode_mono(path):
    """A sound file as mono samples (the channels averaged), through sox."""
    raw = subprocess.run(["sox", path, "-t", "f32", "-c", "1", "-"], capture_output=True, check=True).stdout
    return np.frombuffer(raw, dtype="<f4")


def playback_balance():
    """How loud the game's files in Resources/Sounds are heard at the game's gains, as lines
    of text, and what is wrong with the balance (empty when nothing is)."""
    heard = {}
    lines = []
    for name, (volume, battle) in MUSIC_FILES.items():
        mono = decode_mono(os.path.join(MUSIC, name))
        heard[name] = median_loudness(mono) + heard_gain_db(name)
        lines.append("%-40s gain %.3f  median 400 ms %6.1f dBFS%s" % (
            name, MASTER_VOLUME * MUSIC_VOLUME * volume, heard[name], "  (battle)" if battle else ""))
    for name, volume in EFFECT_FILES.items():
        mono = decode_mono(os.path.join(SFX, name))
        heard[name] = loudest_400ms(mono) + heard_gain_db(name)
        what = EFFECT_NAMES[name]
        if name == "water_splash_003.mp3":
            what = "splash volley of %d (one: %.1f)" % (SPLASH_VOLLEY, heard[name] - db(SPLASH_VOLLEY))
        lines.append("%-40s gain %.3f  loudest 400 ms %6.1f dBFS  %s" % (
            name, MASTER_VOLUME * EFFECTS_VOLUME * volume, heard[name], what))
    problems = []
    broadside = heard["explosion.mp3"]
    for name in EFFECT_FILES:
        if name != "explosion.mp3" and heard[name] >= broadside:
            problems.append("the %s is heard as loud as a broadside or louder" % EFFECT_NAMES[name])
    for name, (volume, battle) in MUSIC_FILES.items():
        if battle and broadside - heard[name] < BROADSIDE_OVER_MUSIC_DB:
            problems.append("a broadside stands only %.1f dB over %s" % (broadside - heard[name], name))
    return lines, problems


def print_playback_balance():
    lines, problems = playback_balance()
    print("Heard at the game's gains (the mono mix of its output; effects sounding at the camera):")
    for text in lines:
        print("  " + text)
    for text in problems:
        print("WARNING: " + text)
    if not problems:
        print("A broadside is the loudest effect and stands over the battle music by at least %.0f dB."
              % BROADSIDE_OVER_MUSIC_DB)


# --------------------------------------------------------------------------
# The music
# --------------------------------------------------------------------------


def progression_events(chords, beats_per_chord, start=0.0):
    """[(start, length, chord name)] for a list of chord names, each lasting beats_per_chord
    (a name may carry its own length as 'Em:2')."""
    out = []
    t = start
    for c in chords:
        if ":" in c:
            c, b = c.split(":")
            b = float(b)
        else:
            b = beats_per_chord
        out.append((t, b, c))
        t += b
    return out


def voiced(name, octave, spread=(0, 1, 2)):
    root, iv = chord(name, octave)
    return [root + iv[i % len(iv)] + 12 * (i // len(iv)) for i in spread]


def take_a_chance(keep):
    """Opening: a rollicking 6/8 sea jig in D, played once and ending on a big cadence."""
    bpm = 288  # eighth notes: dotted quarter = 96
    bar = 6
    s = Song(bpm, 38 * bar, tail=3.0, seed=11)
    intro = ["D", "D", "G", "A"]
    a_ch = ["D", "D", "G", "A", "D", "Bm", "G:3", "A:3", "D"]
    b_ch = ["Bm", "G", "D", "A", "Bm", "G", "Em:3", "A:3", "D"]
    theme_a = ("D5:2 F#5:1 A5:2 F#5:1 G5:1 F#5:1 E5:1 D5:2 A4:1 B4:2 D5:1 G5:2 B5:1 A5:2 G5:1 F#5:1 E5:1 C#5:1 "
               "D5:2 F#5:1 A5:2 D6:1 B5:1 A5:1 F#5:1 D5:2 B4:1 G5:1 F#5:1 E5:1 A5:1 G5:1 E5:1 D5:4 r:2")
    theme_b = ("F#5:1 E5:1 F#5:1 B5:2 F#5:1 G5:2 B5:1 D6:2 B5:1 A5:1 F#5:1 D5:1 A5:2 F#5:1 E5:1 F#5:1 G5:1 A5:2 C#5:1 "
               "D5:1 F#5:1 B5:1 A5:2 F#5:1 G5:1 A5:1 B5:1 D6:2 B5:1 A5:1 G5:1 E5:1 C#5:1 D5:1 E5:1 D5:5 r:1")
    sections = [(4, a_ch, theme_a, "first"), (12, a_ch, theme_a, "full"), (20, b_ch, theme_b, "full"),
                (28, a_ch, theme_a, "last")]

    def accompany(start_bar, chords, level):
        for (t, b, name) in progression_events(chords, bar, start_bar * bar):
            root, iv = chord(name, 2)
            # bass on the two dotted-quarter beats of each bar
            for k in range(int(b // 3)):
                note = root if k % 2 == 0 else root + 7
                s.notes(inst_bass, [(t + 3 * k, 2.6, note, 0.9 * level)], gain=0.68, reverb=0.05)
            # strummed chords on the beats, an arpeggio in between
            for k in range(int(b // 3)):
                v = voiced(name, 4, (0, 1, 2, 3))
                for j, m in enumerate(v):
                    s.notes(inst_pluck, [(t + 3 * k + j * 0.05, 1.4, m, 0.5 * level)], pan=-0.35, gain=1.2,
                            reverb=0.25, bright=0.45)
                arp = voiced(name, 4, (1, 2))
                s.notes(inst_pluck, [(t + 3 * k + 1, 0.9, arp[0], 0.35 * level),
                                     (t + 3 * k + 2, 0.9, arp[1], 0.35 * level)], pan=-0.35, gain=1.2,
                        reverb=0.25, bright=0.35)

    def drums(start_bar, bars, level, fill=True):
        for k in range(bars):
            b0 = (start_bar + k) * bar
            s.hits(drum_bodhran, [(b0, 1.0), (b0 + 3, 0.8)], gain=0.9 * level, reverb=0.1)
            s.hits(drum_bodhran, [(b0 + 2, 0.5), (b0 + 5, 0.45)], gain=0.7 * level, reverb=0.1, low=False)
            s.hits(drum_shaker, [(b0 + j, 1.0 if j % 3 == 0 else 0.6) for j in range(6)], pan=0.4,
                   gain=1.8 * level)
        if fill:
            end = (start_bar + bars) * bar
            s.hits(drum_bodhran, [(end - 2, 0.7), (end - 1.5, 0.6), (end - 1, 0.8), (end - 0.5, 0.9)],
                   gain=0.8 * level, low=False)

    # intro: waves, then the band comes in
    s.ambience(3, 0.05, 0.0, 7.0, rate=0.16)
    accompany(0, intro, 0.8)
    drums(2, 2, 0.8)
    s.notes(inst_concertina, line("A4:3 D5:3 E5:3 C#5:3", 2 * bar), pan=0.1, gain=0.5, reverb=0.3)
    for (start_bar, chords, theme, kind) in sections:
        accompany(start_bar, chords, 1.0)
        drums(start_bar, 8, 1.0 if kind != "first" else 0.75)
        s.notes(inst_concertina, line(theme, start_bar * bar), pan=0.1, gain=0.75, reverb=0.3)
        if kind in ("full", "last"):
            # the fiddle doubles the tune an octave down, then in unison for the last round
            s.notes(inst_fiddle, line(theme, start_bar * bar), pan=-0.15, gain=0.35 if kind == "full" else 0.45,
                    reverb=0.35, transpose=-12 if kind == "full" else 0)
        if kind == "full" and chords is b_ch:
            s.notes(inst_flute, line("B5:6 G5:6 A5:6 E5:6 F#5:6 D6:6 C#6:6 D6:6", start_bar * bar),
                    pan=0.45, gain=0.4, reverb=0.4)
    # ending: a held D chord with a roll and a cymbal
    end = 36 * bar
    for m in voiced("D", 4, (0, 1, 2, 3)) + [midi("A5"), midi("D6")]:
        s.notes(inst_pluck, [(end + 0.02 * (m % 5), 4.0, m, 0.55)], pan=-0.3, gain=1.2, reverb=0.35)
    s.notes(inst_concertina, [(end, 9.0, midi("D5"), 0.8), (end, 9.0, midi("F#5"), 0.5)], gain=0.6, reverb=0.4)
    s.notes(inst_fiddle, [(end, 9.0, midi("A5"), 0.6)], gain=0.35, reverb=0.4)
    s.notes(inst_bass, [(end, 8.0, midi("D2"), 1.0)], gain=0.7)
    s.hits(drum_bodhran, [(end - 3 + 0.25 * k, 0.4 + 0.05 * k) for k in range(12)], gain=0.7, low=False)
    s.hits(drum_bodhran, [(end, 1.2)], gain=1.0)
    s.hits(drum_crash, [(end, 0.8)], pan=0.3, gain=0.7, reverb=0.3)
    mix = s.render(reverb_time=1.5, reverb_level=0.3, target_rms_db=OPENING_RMS_DB)
    mix = trim_tail(fade(mix, 0.0, 1.5))
    encode(mix, os.path.join(MUSIC, "Take a Chance.mp3"), keep)


def brittle_rille(keep):
    """Menu loop: a calm waltz of glassy bells and harp over a soft pad, in A minor."""
    bpm = 84
    bar = 3
    s = Song(bpm, 34 * bar, tail=0.0, seed=23)
    p1 = ["Am", "F", "C", "G", "Am", "F", "Dm", "E"]
    p2 = ["F", "G", "Em", "Am", "Dm", "G", "C", "E"]
    chords = ["Am", "Am"] + p1 + p1 + p2 + p1
    mel1 = "E5:2 A5:1 C6:2 A5:1 G5:1 E5:1 C5:1 D5:3 E5:2 A5:1 C6:1 B5:1 A5:1 F5:1.5 E5:0.5 D5:1 E5:3"
    mel2 = "A5:2 G5:1 G5:1 B5:1 D6:1 E6:2 B5:1 C6:1 B5:1 A5:1 F5:2 A5:1 G5:1 F5:1 D5:1 E5:1 G5:1 C6:1 B5:2 G#5:1"
    for i, (t, b, name) in enumerate(progression_events(chords, bar)):
        root, iv = chord(name, 2)
        s.notes(inst_bass, [(t, 2.8, root, 0.55)], gain=0.8, reverb=0.15)
        if i >= 2:
            for m in voiced(name, 3, (0, 1, 2)):
                s.notes(inst_pad, [(t, 3.0, m, 0.5)], gain=0.3, reverb=0.5, pan=0.0)
        # harp arpeggio in eighths: root, fifth, octave, tenth, octave, fifth
        up = voiced(name, 3, (0, 2, 3, 4, 3, 2))
        s.notes(inst_pluck, [(t + 0.5 * k, 1.2, m, 0.45 if k else 0.55) for k, m in enumerate(up)],
                pan=-0.3, gain=0.9, reverb=0.45, bright=0.3, decay=0.998)
    s.notes(inst_bell, line(mel1, 10 * bar), pan=0.25, gain=0.6, reverb=0.55)
    s.notes(inst_bell, line(mel2, 18 * bar), pan=0.25, gain=0.6, reverb=0.55)
    s.notes(inst_bell, line(mel1, 26 * bar), pan=0.25, gain=0.5, reverb=0.55, transpose=12)
    s.notes(inst_flute, line(mel1, 26 * bar), pan=-0.1, gain=0.35, reverb=0.5, transpose=-12)
    s.ambience(5, 0.018, rate=0.09)
    mix = s.render(reverb_time=2.6, reverb_level=0.45)
    # the loop restarts on the same chord: a short fade at both ends avoids a click
    mix = level_music(fade(mix, 0.02, 1.2), "Brittle Rille.mp3")
    encode(mix, os.path.join(MUSIC, "Brittle Rille.mp3"), keep)


def battle_drums(s, start_bar, bars, level=1.0, fill=True, crash=True, half=False):
    for k in range(bars):
        b0 = (start_bar + k) * 4
        kicks = [(b0, 1.0), (b0 + 2, 0.9)] if half else [(b0, 1.0), (b0 + 1.5, 0.6), (b0 + 2, 0.95), (b0 + 2.75, 0.5)]
        s.hits(drum_kick, kicks, gain=1.0 * level, reverb=0.05)
        if not half:
            s.hits(drum_snare, [(b0 + 1, 1.0), (b0 + 3, 1.0)], pan=0.05, gain=0.8 * level, reverb=0.2)
        s.hits(drum_hat, [(b0 + 0.5 * j, 1.0 if j % 2 else 0.6) for j in range(8)], pan=0.35, gain=0.7 * level)
    if crash:
        s.hits(drum_crash, [(start_bar * 4, 1.0)], pan=-0.3, gain=0.8 * level, reverb=0.3)
    if fill:
        end = (start_bar + bars) * 4
        s.hits(drum_tom, [(end - 1 + 0.25 * j, 0.8 + 0.05 * j) for j in range(4)], gain=0.5 * level, reverb=0.2,
               freq=160)
        s.hits(drum_tom, [(end - 2 + 0.25 * j, 0.8) for j in range(4)], gain=0.5 * level, reverb=0.2, freq=110)


def call_to_adventure(keep):
    """Battle: heroic and driving, D minor, 144 bpm."""
    s = Song(144, 37 * 4, tail=3.0, seed=37)
    a = ["Dm", "Bb", "C", "A"] * 2
    b = ["F", "C", "Dm", "Bb", "Gm", "A", "Dm", "A"]
    form = [("intro", ["Dm", "Dm", "Bb", "A"], 0), ("A", a, 4), ("theme", a, 12), ("B", b, 20), ("theme2", a, 28)]
    theme = ("D5:1 A4:0.5 D5:0.5 F5:1 A5:1 Bb5:1.5 A5:0.5 F5:1 D5:1 E5:1 G5:1 C6:1.5 Bb5:0.5 A5:2 E5:1 C#5:1 "
             "D5:1 A4:0.5 D5:0.5 F5:1 A5:1 D6:1.5 C6:0.5 Bb5:1 A5:1 G5:1 A5:0.5 Bb5:0.5 C6:1 E5:1 C#6:2 A5:2")
    theme_b = ("C6:1.5 A5:0.5 F5:1 A5:1 G5:1.5 E5:0.5 C5:1 E5:1 F5:1 A5:1 D6:1.5 C6:0.5 Bb5:2 F5:2 "
               "G5:1 Bb5:1 D6:1 Bb5:1 C#6:1.5 B5:0.5 A5:1 E5:1 F5:1 E5:0.5 D5:0.5 A5:1 F5:1 E5:2 C#5:1 A4:1")
    for name_sec, chords, start in form:
        for (t, bl, name) in progression_events(chords, 4, start * 4):
            root, iv = chord(name, 2)
            # driving bass: eighths with octave jumps
            pat = [0, 0, 12, 0, 0, 12, 0, 7]
            s.notes(inst_bass, [(t + 0.5 * k, 0.45, root + pat[k], 0.9 if k % 2 == 0 else 0.7) for k in range(8)],
                    gain=0.6, reverb=0.05)
            if name_sec != "intro":
                # sixteenth-note string ostinato on the chord
                tones = voiced(name, 4, (0, 1, 2, 1))
                s.notes(inst_spiccato, [(t + 0.25 * k, 0.25, tones[k % 4], 0.8 if k % 4 == 0 else 0.6)
                                        for k in range(16)], pan=-0.4, gain=0.7, reverb=0.25)
                # brass stabs on one and the and-of-two
                for at, ln in ((0, 0.9), (1.5, 1.5)):
                    for m in voiced(name, 3, (0, 1, 2)):
                        s.notes(inst_brass, [(t + at, ln, m, 0.8)], pan=0.3, gain=0.35, reverb=0.3)
            else:
                s.hits(drum_timpani, [(t + 0.25 * k, 0.3 + 0.04 * k) for k in range(16)], gain=0.5,
                       freq=hz(root + 12) / 2)
        if name_sec == "intro":
            battle_drums(s, start + 2, 2, level=0.8, crash=False)
        else:
            battle_drums(s, start, len(chords), level=1.0)
    # melodies
    s.notes(inst_brass, line(theme, 12 * 4), pan=0.0, gain=0.75, reverb=0.35, transpose=-12)
    s.notes(inst_fiddle, line(theme, 12 * 4), pan=-0.1, gain=0.35, reverb=0.35)
    s.notes(inst_brass, line(theme_b, 20 * 4), pan=0.0, gain=0.75, reverb=0.35, transpose=-12)
    s.notes(inst_choir, line("F4:8 D4:8 G4:8 E4:8", 20 * 4), pan=0.2, gain=0.5, reverb=0.5)
    s.notes(inst_brass, line(theme, 28 * 4), pan=0.0, gain=0.7, reverb=0.35)
    s.notes(inst_brass, line(theme, 28 * 4), pan=0.2, gain=0.55, reverb=0.35, transpose=-12)
    s.notes(inst_choir, line("A4:4 F4:4 G4:4 E4:4 A4:4 F4:4 G4:4 A4:4", 28 * 4), pan=-0.2, gain=0.4, reverb=0.5)
    # final hit
    end = 36 * 4
    for m in voiced("Dm", 3, (0, 1, 2, 3, 4)):
        s.notes(inst_brass, [(end, 2.5, m, 1.0)], gain=0.4, reverb=0.4)
    s.notes(inst_bass, [(end, 3.0, midi("D2"), 1.0)], gain=0.9)
    s.hits(drum_timpani, [(end, 1.2)], gain=0.9, freq=hz(midi("D2")))
    s.hits(drum_kick, [(end, 1.1)], gain=1.0)
    s.hits(drum_crash, [(end, 1.0)], gain=0.9, reverb=0.4)
    mix = s.render(reverb_time=1.8, reverb_level=0.3)
    mix = level_music(trim_tail(fade(mix, 0.0, 1.0)), "Call to Adventure.mp3")
    encode(mix, os.path.join(MUSIC, "Call to Adventure.mp3"), keep)


def black_vortex(keep):
    """Battle: dark and relentless, E minor with Phrygian turns, 152 bpm."""
    s = Song(152, 35 * 4, tail=3.0, seed=53)
    a = ["Em", "Em", "C", "B"] * 2
    b = ["Am", "Em", "F", "B"] * 2
    form = [("intro", ["Em", "Em", "F", "B"], 0), ("A", a, 4), ("melody", a, 12), ("break", ["Em", "F", "Em", "B"], 20),
            ("climax", b, 24)]
    mel = ("E5:1.5 F#5:0.5 G5:1 B5:1 A5:1 G5:1 F#5:1 E5:1 C6:1.5 B5:0.5 G5:1 E5:1 D#5:2 F#5:1 B4:1 "
           "E5:1.5 F#5:0.5 G5:1 B5:1 E6:2 D6:1 B5:1 C6:1 B5:1 A5:1 G5:1 F#5:1 G5:1 F#5:1 D#5:1")
    mel_b = ("A5:1.5 B5:0.5 C6:1 E6:1 B5:2 G5:1 E5:1 F5:1 A5:1 C6:1 A5:1 B5:2 D#6:2 "
             "C6:1 B5:1 A5:1 E5:1 G5:1 F#5:1 E5:1 B4:1 A5:1 G5:1 F5:1 C5:1 D#5:2 B4:2")
    for name_sec, chords, start in form:
        for (t, bl, name) in progression_events(chords, 4, start * 4):
            root, iv = chord(name, 2)
            # the vortex: a churning eighth-note figure with a Phrygian half step
            pat = [0, 0, 1, 0, 0, 3, 0, 1] if name in ("Em", "Am") else [0, 0, 0, 12, 0, 0, 12, 0]
            s.notes(inst_bass, [(t + 0.5 * k, 0.42, root + pat[k], 0.95 if k % 2 == 0 else 0.7) for k in range(8)],
                    gain=0.64, reverb=0.05)
            # swirling sixteenths falling through the chord
            tones = voiced(name, 4, (4, 3, 2, 1))
            if name_sec != "break":
                s.notes(inst_spiccato, [(t + 0.25 * k, 0.25, tones[k % 4] + (1 if (k % 8 == 6 and name == "Em") else 0),
                                         0.75 if k % 4 == 0 else 0.55) for k in range(16)],
                        pan=0.4, gain=0.6, reverb=0.3)
            if name_sec in ("A", "climax", "break"):
                for m in voiced(name, 3, (0, 1, 2)):
                    s.notes(inst_choir, [(t, 4.0, m, 0.7)], pan=-0.2, gain=0.45, reverb=0.5)
            if name_sec in ("A", "climax"):
                for m in voiced(name, 3, (0, 1, 2)):
                    s.notes(inst_brass, [(t, 0.6, m, 0.9), (t + 2.5, 0.6, m, 0.8)], pan=0.25, gain=0.35, reverb=0.3)
        bars = len(chords)
        # taiko-like toms through the whole track, full kit outside the break
        for k in range(bars):
            b0 = (start + k) * 4
            s.hits(drum_tom, [(b0, 1.0), (b0 + 0.75, 0.6), (b0 + 2, 0.9), (b0 + 3.5, 0.7)], gain=0.55, reverb=0.25,
                   freq=70, decay=0.5)
        if name_sec in ("A", "melody", "climax"):
            battle_drums(s, start, bars, level=0.9)
        elif name_sec == "intro":
            s.hits(drum_timpani, [(start * 4 + 12 + 0.25 * k, 0.3 + 0.05 * k) for k in range(16)], gain=0.5,
                   freq=hz(midi("B1")))
    s.notes(inst_brass, line(mel, 12 * 4), pan=0.0, gain=0.7, reverb=0.35, transpose=-12)
    s.notes(inst_fiddle, line(mel, 12 * 4), pan=-0.15, gain=0.3, reverb=0.35)
    s.notes(inst_flute, line("E5:4 F5:4 E5:4 D#5:4", 20 * 4), pan=0.3, gain=0.45, reverb=0.6)
    s.notes(inst_brass, line(mel_b, 24 * 4), pan=0.0, gain=0.7, reverb=0.35)
    s.notes(inst_brass, line(mel_b, 24 * 4), pan=0.15, gain=0.5, reverb=0.35, transpose=-12)
    end = 32 * 4
    # closing: the vortex spins down onto a low E
    s.notes(inst_spiccato, [(end + 0.25 * k, 0.25, midi("E5") - k, 0.7) for k in range(12)], pan=0.3, gain=0.4)
    for m in (midi("E2"), midi("B2"), midi("E3"), midi("G3")):
        s.notes(inst_choir, [(end + 3, 5.0, m, 0.8)], gain=0.5, reverb=0.6)
        s.notes(inst_brass, [(end + 3, 3.0, m + 12, 0.9)], gain=0.35, reverb=0.4)
    s.notes(inst_bass, [(end + 3, 5.0, midi("E1") + 12, 1.0)], gain=0.9)
    s.hits(drum_timpani, [(end + 3, 1.2)], gain=0.9, freq=hz(midi("E2")))
    s.hits(drum_tom, [(end + 3, 1.2)], gain=0.9, freq=60, decay=0.8)
    s.hits(drum_crash, [(end + 3, 1.0)], gain=0.8, reverb=0.4)
    mix = s.render(reverb_time=2.0, reverb_level=0.32)
    mix = level_music(trim_tail(fade(mix, 0.0, 1.5)), "Black Vortex.mp3")
    encode(mix, os.path.join(MUSIC, "Black Vortex.mp3"), keep)


# --------------------------------------------------------------------------
# Sound effects (mono, under 1.5 s)
# --------------------------------------------------------------------------


def shot(n, seed, size=1.0, body_decay=0.22, crack=1.0):
    """One cannon shot: muzzle crack, a body of low noise and a sub-bass thump."""
    t = np.arange(n) / SR
    r = rng(seed)
    crack_part = highpass(r.standard_normal(n), 1800) * np.exp(-t / 0.006) * 0.9 * crack
    body = lowpass(r.standard_normal(n), 700 / size) * np.exp(-t / (body_decay * size)) * 2.2
    body *= np.clip(t / 0.002, 0, 1)
    f = 38 / size + 70 * np.exp(-t / 0.05)
    thump = np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t / (0.2 * size)) * 1.1
    return crack_part + body + thump


def sfx_normalise(x, peak_db=-1.0):
    x = highpass(x, 28)
    x = x / np.max(np.abs(x)) * 10 ** (peak_db / 20)
    return x


def punch(x, drive, peak_db=-1.0):
    """Makes a shot dense and loud: saturates it so it stays close to full scale for most of
    its length instead of one short peak, takes the edge off the added harmonics and levels
    the peak. The game plays guns quietly, so this is what carries them over the music."""
    x = highpass(x, 28)
    x = np.tanh(drive * x / np.max(np.abs(x)))
    x = lowpass(x, 7000)
    return x / np.max(np.abs(x)) * 10 ** (peak_db / 20)


def tail_fade(x, secs):
    k = int(secs * SR)
    x = x.copy()
    x[-k:] *= np.linspace(1, 0, k) ** 2
    return x


def make_broadside(keep):
    """A rolling broadside: four heavy guns a few tens of milliseconds apart, then the rumble."""
    n = int(1.1 * SR)
    t = np.arange(n) / SR
    out = np.zeros(n)
    for k, (delay, gain) in enumerate(((0.0, 1.0), (0.055, 0.85), (0.12, 0.9), (0.17, 0.7))):
        i0 = int(delay * SR)
        out[i0:] += gain * shot(n - i0, 100 + k, size=1.25, body_decay=0.25)
    rumble = lowpass(noise(n, 120), 180, 4) * np.clip((t - 0.05) / 0.15, 0, 1) * np.exp(-t / 0.45) * 1.6
    out += rumble
    # Driven hard: the game plays it at an eighth of full volume, under the music's level.
    out = tail_fade(punch(out, 12.0), 0.3)
    encode(out, os.path.join(SFX, "explosion.mp3"), keep, bitrate=96)


def make_rumble(keep):
    """The mini cannons: two sharp swivel-gun reports from both muzzles and a short rumble."""
    n = int(0.8 * SR)
    t = np.arange(n) / SR
    out = np.zeros(n)
    for k, (delay, gain) in enumerate(((0.0, 1.0), (0.075, 0.9))):
        i0 = int(delay * SR)
        out[i0:] += gain * shot(n - i0, 200 + k, size=0.55, body_decay=0.14, crack=1.4)
    out += lowpass(noise(n, 210), 260, 4) * np.exp(-t / 0.22) * 0.9
    # Punchy but under the broadside: the game plays it at twice the broadside's volume.
    out = level_effect(tail_fade(punch(out, 8.0), 0.15), "rumble.flac", MINI_CANNON_HEARD_DB)
    encode(out, os.path.join(SFX, "rumble.flac"), keep)


def make_hit(keep):
    """A hit on a hull: the impact, cracking timber and splinters raining onto the deck."""
    n = int(1.4 * SR)
    t = np.arange(n) / SR
    r = rng(300)
    out = shot(n, 301, size=0.9, body_decay=0.18, crack=1.2) * 0.9
    # timber cracking: a burst of short, sharp resonant snaps
    for k in range(14):
        at = 0.01 + r.exponential(0.05)
        i0 = int(at * SR)
        m = int(0.05 * SR)
        if i0 + m >= n:
            continue
        tt = np.arange(m) / SR
        snap = bandpass(r.standard_normal(m), 900, 4500) * np.exp(-tt / 0.006)
        out[i0:i0 + m] += snap * r.uniform(0.4, 0.9)
    # debris: small pieces of wood knocking down over a second
    for k in range(34):
        at = 0.12 + r.gamma(2.0, 0.16)
        if at > 1.25:
            continue
        i0 = int(at * SR)
        m = int(0.09 * SR)
        if i0 + m >= n:
            continue
        tt = np.arange(m) / SR
        f = r.uniform(350, 2200)
        knock = np.sin(2 * np.pi * f * tt) * np.exp(-tt / r.uniform(0.008, 0.03))
        knock += bandpass(r.standard_normal(m), f * 0.7, f * 2.5) * np.exp(-tt / 0.004) * 0.6
        out[i0:i0 + m] += knock * r.uniform(0.08, 0.35) * np.exp(-(at - 0.12) / 0.7)
    out = tail_fade(sfx_normalise(out), 0.15)
    encode(out, os.path.join(SFX, "explosion_medium_various_debris_04.mp3"), keep, bitrate=96)


def make_splash(keep):
    """A cannon ball dropping into the sea: the plunge, a spray of water, falling drops."""
    n = int(1.0 * SR)
    t = np.arange(n) / SR
    r = rng(400)
    # the plunge: a short rising 'bloop' under a burst of water noise
    f = 180 + 520 * (1 - np.exp(-t / 0.035))
    bloop = np.sin(2 * np.pi * np.cumsum(f) / SR) * np.exp(-t / 0.05) * 0.6
    spray_env = np.clip(t / 0.012, 0, 1) * np.exp(-t / 0.16)
    spray = bandpass(r.standard_normal(n), 500, 7000) * spray_env
    wash = lowpass(r.standard_normal(n), 900) * np.clip(t / 0.05, 0, 1) * np.exp(-t / 0.3) * 0.8
    out = bloop + spray + wash
    # drops falling back: tiny rising plinks
    for k in range(26):
        at = 0.08 + r.gamma(2.0, 0.11)
        i0 = int(at * SR)
        m = int(0.05 * SR)
        if i0 + m >= n:
            continue
        tt = np.arange(m) / SR
        f0 = r.uniform(900, 2600)
        fr = f0 * (1 + 0.6 * tt / 0.05)
        plink = np.sin(2 * np.pi * np.cumsum(fr) / SR) * np.exp(-tt / 0.012)
        out[i0:i0 + m] += plink * r.uniform(0.05, 0.22) * np.exp(-(at - 0.08) / 0.5)
    # A broadside's balls that fall short splash together, four copies in phase: that volley
    # is heard under the shot that fired it.
    out = level_effect(tail_fade(sfx_normalise(out), 0.15), "water_splash_003.mp3", SPLASH_VOLLEY_HEARD_DB)
    encode(out, os.path.join(SFX, "water_splash_003.mp3"), keep, bitrate=96)


MAKERS = {
    "take_a_chance": take_a_chance,
    "brittle_rille": brittle_rille,
    "call_to_adventure": call_to_adventure,
    "black_vortex": black_vortex,
    "broadside": make_broadside,
    "rumble": make_rumble,
    "hit": make_hit,
    "splash": make_splash,
}


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--only", nargs="*", choices=sorted(MAKERS), help="make only these sounds")
    p.add_argument("--keep-wav", metavar="DIR", help="also keep the uncompressed WAV files in DIR")
    args = p.parse_args()
    for name in (args.only or MAKERS):
        MAKERS[name](args.keep_wav)
    print_playback_balance()


if __name__ == "__main__":
    main()
