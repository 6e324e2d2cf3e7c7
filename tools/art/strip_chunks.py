#!/usr/bin/env python3
"""Removes the colour-handling chunks (bKGD, gAMA, cHRM, sRGB, iCCP) from PNG files.

The drawing tools write a white bKGD; the program's decoder composites a picture onto its
bKGD, which would turn every transparent pixel of a layer into white."""
import struct
import sys
from pathlib import Path

DROP = {b"bKGD", b"gAMA", b"cHRM", b"sRGB", b"iCCP"}


def strip(path):
    data = Path(path).read_bytes()
    out = bytearray(data[:8])
    i = 8
    while i < len(data):
        length, = struct.unpack(">I", data[i:i + 4])
        kind = data[i + 4:i + 8]
        if kind not in DROP:
            out += data[i:i + 12 + length]
        i += 12 + length
    if out != data:
        Path(path).write_bytes(bytes(out))


for folder in sys.argv[1:]:
    for png in sorted(Path(folder).rglob("*.png")):
        strip(png)
