"""Minimal PNG writer and reader for our generated pictures (8-bit grey or RGBA).

Only the standard library is used, so the generators run with any Python 3
without extra packages.
"""
import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode(width, height, rows, mode):
    """rows: list of `height` byte strings; mode 'L' (grey) or 'RGBA'."""
    colour_type, channels = {"L": (0, 1), "RGBA": (6, 4)}[mode]
    raw = bytearray()
    for row in rows:
        if len(row) != width * channels:
            raise ValueError("row length does not match the width")
        raw.append(0)  # filter: none
        raw += row
    ihdr = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr)
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))


def write(path, width, height, rows, mode):
    data = encode(width, height, rows, mode)
    with open(path, "wb") as f:
        f.write(data)
