#!/usr/bin/env python3
"""rewrite-sample.py KIND IN OUT: rewrites a picture another tool made into a layout that no
Debian tool writes but other programs do; the picture stays the same.
  bmp-top-down: IN a bitmap file (40-byte or longer header, not compressed); OUT the same with
                its rows stored top-down (negative height).
  bmp-table:    IN a 24-bit bitmap file; OUT the same carrying a 16-entry colour table
                (colours used 16), which a true-colour picture does not use.
  tga-map:      IN a colour-mapped, uncompressed TGA file of 8-bit indices; OUT the same with
                its map starting at index 39 (every pixel value 39 higher).
  tiff-mh:      IN a bilevel TIFF file; OUT the same compressed as CCITT modified Huffman
                (compression 2), written by libtiff.
"""
import ctypes
import struct
import sys


def bmp_top_down(data):
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    row = (width * bits + 31) // 32 * 4
    rows = [data[offset + i * row:offset + (i + 1) * row] for i in range(height)]
    out = bytearray(data[:offset]) + b"".join(reversed(rows))
    struct.pack_into("<i", out, 22, -height)
    return bytes(out)


def bmp_table(data):
    offset, = struct.unpack_from("<I", data, 10)
    table = bytes([0x12, 0x34, 0x56, 0]) * 16
    out = bytearray(data[:offset]) + table + data[offset:]
    struct.pack_into("<I", out, 2, len(out))
    struct.pack_into("<I", out, 10, offset + len(table))
    struct.pack_into("<I", out, 46, 16)
    return bytes(out)


def tga_map(data):
    id_length, map_type, kind, first, length, entry_bits = struct.unpack_from("<BBBHHB", data, 0)
    width, height, bits = struct.unpack_from("<HHB", data, 12)
    if map_type != 1 or kind != 1 or bits != 8 or first != 0 or length > 256 - 39:
        sys.exit("tga-map: not an uncompressed 8-bit colour-mapped file")
    at = 18 + id_length + length * ((entry_bits + 7) // 8)
    out = bytearray(data)
    struct.pack_into("<H", out, 3, 39)
    for i in range(at, at + width * height):
        out[i] += 39
    return bytes(out)


def tiff_mh(source, target):
    tiff = ctypes.CDLL("libtiff.so.6")
    tiff.TIFFOpen.restype = ctypes.c_void_p
    tiff.TIFFOpen.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    src = ctypes.c_void_p(tiff.TIFFOpen(source.encode(), b"r"))
    dst = ctypes.c_void_p(tiff.TIFFOpen(target.encode(), b"w"))
    if not src or not dst:
        sys.exit("tiff-mh: cannot open the files")

    def get(tag, kind):
        value = kind()
        tiff.TIFFGetField(src, ctypes.c_uint32(tag), ctypes.byref(value))
        return value.value

    width, height = get(256, ctypes.c_uint32), get(257, ctypes.c_uint32)
    photometric = get(262, ctypes.c_uint16)
    for tag, value in ((256, width), (257, height), (258, 1), (277, 1), (259, 2), (262, photometric), (278, height)):
        tiff.TIFFSetField(dst, ctypes.c_uint32(tag), ctypes.c_uint32(value))
    row = ctypes.create_string_buffer(tiff.TIFFScanlineSize(src))
    for y in range(height):
        if tiff.TIFFReadScanline(src, row, ctypes.c_uint32(y), ctypes.c_uint16(0)) < 0 or \
                tiff.TIFFWriteScanline(dst, row, ctypes.c_uint32(y), ctypes.c_uint16(0)) < 0:
            sys.exit("tiff-mh: a row could not be copied")
    tiff.TIFFClose(dst)
    tiff.TIFFClose(src)


def main():
    kind, source, target = sys.argv[1:4]
    if kind == "tiff-mh":
        tiff_mh(source, target)
        return
    rewrite = {"bmp-top-down": bmp_top_down, "bmp-table": bmp_table, "tga-map": tga_map}[kind]
    with open(source, "rb") as f:
        data = f.read()
    with open(target, "wb") as f:
        f.write(rewrite(data))


if __name__ == "__main__":
    main()
