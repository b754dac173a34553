#!/usr/bin/env python3
"""Converts an uncompressed 24-bit BMP (as the demonstration saves it) to PNG.

    bmp_to_png.py INPUT.bmp OUTPUT.png

Only the standard library: the machines have python3 but no image tools.
"""
import struct
import sys
import zlib


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise ValueError(f"{path}: {bits}-bit, compression {compression}; want 24-bit, none")
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        # Positive heights store the bottom row first.
        source = abs(height) - 1 - y if height > 0 else y
        start = offset + source * stride
        row = data[start : start + width * 3]
        if len(row) != width * 3:
            raise ValueError(f"{path}: truncated pixel data")
        rgb = bytearray(len(row))
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
        rows.append(bytes(rgb))
    return width, abs(height), rows


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def write_png(path, width, height, rows):
    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        write_png(argv[2], *read_bmp(argv[1]))
    except (OSError, ValueError) as error:
        print(f"bmp_to_png: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
