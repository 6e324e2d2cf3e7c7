#!/usr/bin/python3
"""Renders the program's sounds into assets/sounds as Ogg Vorbis, 44,100 Hz.

Speech comes from espeak-ng's Russian voice (assets/sounds/src/speech.txt), the completion
chime from a small score (assets/sounds/src/chime.txt). Every sound is measured after
rendering; one that clips, is too quiet or has the wrong length stops the run.
"""
import math
import re
import struct
import subprocess
import sys
import tempfile
import wave
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SRC = ROOT / "assets/sounds/src"
OUT = ROOT / "assets/sounds"
RATE = 44100
VOICE = "ru+f3"  # a woman's voice: warmer for young children than the default
SPEED, PITCH = 135, 60
LEAD_OUT = 0.30  # seconds of silence after the last sound; numbered sounds lose 40-80 ms
PEAK_DB = -1.5
SERIAL = 517  # fixed Ogg serial numbers keep regenerated files identical

# Expected length in seconds (lowest, highest) of every sound, checked after rendering.
LENGTHS = {
    "163": (18.0, 30.0),
    "167": (1.2, 2.5),
    "ENDHELPSOUND": (5.15, 5.25),
    "bravo_sound": (0.5, 1.6),
    "gotovo_sound": (0.5, 1.6),
    "molodec_sound": (0.5, 1.6),
    "otlichno_sound": (0.5, 1.6),
    "ura_sound": (0.4, 1.6),
}


def sox(*args):
    # -R: the same dither every run, so regenerated files stay identical
    return subprocess.run(["sox", "-R", *map(str, args)], check=True, capture_output=True, text=True)


def read_speech(path):
    """Sections of speech.txt: name -> (settings, [(start, text)])."""
    sections, current = {}, None
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        header = re.fullmatch(r"\[(\S+)\](.*)", line)
        if header:
            settings = dict(kv.split("=") for kv in header.group(2).split())
            current = sections.setdefault(header.group(1), (settings, []))
            continue
        start, text = line.split(None, 1)
        current[1].append((start, text))
    return sections


def say(text, wav, speed, pitch):
    """One sentence, resampled, trimmed to its speech, faded at its cut edges (no clicks) and
    brought to a common peak."""
    raw = wav.with_suffix(".raw.wav")
    subprocess.run(["espeak-ng", "-v", VOICE, "-s", str(speed), "-p", str(pitch), "-w", str(raw), text],
                   check=True)
    sox(raw, wav, "rate", "-v", RATE, "highpass", 80, "silence", 1, 0.01, "0.3%", "fade", "h", 0.005,
        "reverse", "silence", 1, 0.01, "0.3%", "fade", "h", 0.03, "reverse", "norm", PEAK_DB)


def duration(wav):
    return float(subprocess.run(["soxi", "-D", str(wav)], check=True, capture_output=True, text=True).stdout)


def silence(wav, seconds):
    sox("-n", "-r", RATE, "-c", 1, "-b", 16, wav, "trim", 0, f"{seconds:.4f}")


def speech(name, settings, sentences, work):
    """Sentences laid end to end with silences, each starting at its given time."""
    speed = int(settings.get("speed", SPEED))
    pitch = int(settings.get("pitch", PITCH))
    parts, at = [], 0.0
    for i, (start, text) in enumerate(sentences):
        wav = work / f"{name}-{i}.wav"
        say(text, wav, speed, pitch)
        begin = at + float(start[1:]) if start.startswith("+") else float(start)
        if begin < at:
            sys.exit(f"{name}: sentence {i + 1} must start at {begin} s but the one before ends at {at:.2f} s")
        gap = work / f"{name}-{i}-gap.wav"
        silence(gap, begin - at)
        parts += [gap, wav]
        at = begin + duration(wav)
    length = float(settings.get("length", at + LEAD_OUT))
    if length < at + 0.1:
        sys.exit(f"{name}: its speech lasts {at:.2f} s, longer than its length {length} s")
    tail = work / f"{name}-tail.wav"
    silence(tail, length - at)
    out = work / f"{name}.wav"
    sox(*parts, tail, "-c", settings.get("channels", 1), out)
    return out


def note_frequency(note):
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semitone = names[note[0]] + (1 if "#" in note else 0) + 12 * (int(note[-1]) - 4)
    return 440.0 * 2 ** (semitone / 12)


def chime(score, out):
    """A struck bell per note: partials 1, 2, 3 and 4.2 times the pitch, decaying faster the higher."""
    notes = []
    for line in score.read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith("#"):
            start, note, length, pan = line.split()
            notes.append((float(start), note_frequency(note), float(length), float(pan)))
    total = max(s + l for s, _, l, _ in notes) + LEAD_OUT
    left = [0.0] * int(total * RATE)
    right = [0.0] * len(left)
    partials = ((1.0, 1.0, 4.0), (2.0, 0.45, 7.0), (3.0, 0.2, 10.0), (4.2, 0.08, 14.0))
    for start, freq, length, pan in notes:
        first = int(start * RATE)
        gain_l, gain_r = math.cos((pan + 1) * math.pi / 4), math.sin((pan + 1) * math.pi / 4)
        for n in range(int(length * RATE)):
            t = n / RATE
            attack = min(1.0, t / 0.004)
            release = min(1.0, (length - t) / 0.05)
            v = attack * release * sum(a * math.exp(-d * t / length) * math.sin(2 * math.pi * freq * m * t)
                                       for m, a, d in partials)
            left[first + n] += v * gain_l
            right[first + n] += v * gain_r
    peak = max(max(map(abs, left)), max(map(abs, right)))
    scale = 10 ** (PEAK_DB / 20) * 32767 / peak
    with wave.open(str(out), "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<hh", round(l * scale), round(r * scale)) for l, r in zip(left, right)))
    return out


def encode(wav, name, serial):
    ogg = OUT / f"{name}.ogg"
    subprocess.run(["oggenc", "-Q", "-q", "3", "-s", str(serial), "--discard-comments", "-o", str(ogg), str(wav)],
                   check=True)
    return ogg


def check(ogg, name):
    """Length within its range, no sample at full scale, speech loud enough to be heard clearly."""
    stat = sox(ogg, "-n", "stat").stderr
    value = lambda key: float(re.search(key + r"[^:]*:\s*(\S+)", stat).group(1))
    length, peak, rms = value("Length"), max(value("Maximum amplitude"), -value("Minimum amplitude")), value("RMS +amplitude")
    low, high = LENGTHS[name]
    print(f"{name:15} {length:6.2f} s  peak {20 * math.log10(peak):5.1f} dBFS  rms {20 * math.log10(rms):5.1f} dBFS  "
          f"{ogg.stat().st_size:6d} bytes")
    problems = []
    if not low <= length <= high:
        problems.append(f"length {length:.2f} s outside {low}..{high}")
    if peak >= 0.99:
        problems.append("clips")
    if rms < 0.04:
        problems.append("too quiet")
    if problems:
        sys.exit(f"{name}: " + ", ".join(problems))


def main():
    OUT.mkdir(exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        work = Path(tmp)
        wavs = {name: speech(name, settings, sentences, work)
                for name, (settings, sentences) in read_speech(SRC / "speech.txt").items()}
        wavs["167"] = chime(SRC / "chime.txt", work / "167.wav")
        for serial, name in enumerate(sorted(wavs), SERIAL):
            check(encode(wavs[name], name, serial), name)


if __name__ == "__main__":
    main()
