#!/usr/bin/env python3
"""Builds res/kestrova.ico from the rendered PNGs in res/icons.

Every image is stored PNG-compressed, 32-bit with alpha, smallest first;
the Windows resource script takes the file as icon group 128.
Usage: make-ico.py [output.ico]
"""
import pathlib
import struct
import sys

SIZES = (16, 24, 32, 48, 64, 128, 256)
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_size(data, name):
    if data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        sys.exit(f"{name}: not a PNG file")
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    if depth != 8 or colour != 6:
        sys.exit(f"{name}: must be 8-bit RGBA (bit depth {depth}, colour type {colour})")
    return width, height


def main():
    here = pathlib.Path(__file__).resolve().parent
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else here / "kestrova.ico"
    images = []
    for size in SIZES:
        path = here / "icons" / f"kestrova-{size}.png"
        data = path.read_bytes()
        if png_size(data, path) != (size, size):
            sys.exit(f"{path}: expected {size}x{size}")
        images.append((size, data))

    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, data in images:
        # 0 in the width and height bytes means 256.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out.write_bytes(header + entries + b"".join(data for _, data in images))


if __name__ == "__main__":
    main()
