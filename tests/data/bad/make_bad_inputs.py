#!/usr/bin/python3
"""Writes the bad-input folder: one small file per fault, named for it.

Pictures are made whole by ImageMagick, then damaged here: cut short, bit-flipped,
or given a header that lies about the size (with any checksum made right again, so
that the lie reaches the decoder). Definition files are made here. Run it again
after changing it; the files are committed, so the tests need no ImageMagick for
them. Every run writes the same bytes.

usage: tests/data/bad/make_bad_inputs.py
"""
import os
import random
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def imagemagick(extension, *options):
    """A 24 x 18 scene, written by ImageMagick in the format of extension."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "scene." + extension)
        subprocess.run(["convert", "-size", "24x18", "gradient:navy-orange", "-fill", "white",
                        "-draw", "circle 12,9 12,3", *options, "-strip", path], check=True)
        with open(path, "rb") as f:
            return f.read()


def flipped(data, seed, start=0):
    """data with one bit flipped in every 7th byte from start on."""
    rng = random.Random(seed)
    out = bytearray(data)
    for i in range(start, len(out), 7):
        out[i] ^= 1 << rng.randrange(8)
    return bytes(out)


def png_with_size(png, width, height):
    """The PNG with its IHDR width and height replaced and the chunk's CRC renewed."""
    at = 8  # signature
    length, kind = struct.unpack(">I4s", png[at:at + 8])
    assert kind == b"IHDR"
    body = struct.pack(">II", width, height) + png[at + 16:at + 8 + length]
    chunk = b"IHDR" + body
    return png[:at] + struct.pack(">I", length) + chunk + struct.pack(
        ">I", zlib.crc32(chunk)) + png[at + 12 + length:]


def jpeg_with_size(jpeg, width, height):
    """The JPEG with its frame header (SOF0 or SOF2) claiming width x height."""
    at = 2
    while at < len(jpeg):
        marker, length = struct.unpack(">HH", jpeg[at:at + 4])
        if marker in (0xFFC0, 0xFFC2):
            return (jpeg[:at + 5] + struct.pack(">HH", height, width) + jpeg[at + 9:])
        at += 2 + length
    raise ValueError("no frame header")


def tiff_with_width(tiff, width):
    """The TIFF (little-endian) with its ImageWidth entry set to width (a LONG)."""
    assert tiff[:2] == b"II"
    directory = struct.unpack("<I", tiff[4:8])[0]
    count = struct.unpack("<H", tiff[directory:directory + 2])[0]
    out = bytearray(tiff)
    for i in range(count):
        entry = directory + 2 + 12 * i
        tag = struct.unpack("<H", tiff[entry:entry + 2])[0]
        if tag == 256:
            out[entry + 2:entry + 12] = struct.pack("<HII", 4, 1, width)
            return bytes(out)
    raise ValueError("no ImageWidth entry")


def bmp_header(width, height, bits=24, data_size=0):
    row = ((bits * abs(width) + 31) // 32) * 4 if width else 0
    image = (data_size or row * abs(height)) & 0xFFFFFFFF  # a lying size may not fit
    return (b"BM" + struct.pack("<IHHI", (54 + image) & 0xFFFFFFFF, 0, 0, 54) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image, 2835, 2835, 0, 0))


def pictures():
    bmp = imagemagick("bmp", "-type", "TrueColor", "-define", "bmp:format=bmp3")
    png = imagemagick("png", "-define", "png:color-type=2")
    jpeg = imagemagick("jpg", "-quality", "90")
    gif = imagemagick("gif")
    tiff = imagemagick("tif", "-compress", "none", "-endian", "LSB")

    write("bmp-truncated-header.bmp", bmp[:30])
    write("bmp-truncated-pixels.bmp", bmp[:len(bmp) // 2])
    write("bmp-bit-flipped.bmp", flipped(bmp, 1, 10))
    write("bmp-lying-size-100000x100000.bmp", bmp_header(100000, 100000) + bmp[54:])
    write("bmp-negative-width.bmp", bmp_header(-24, 18) + bmp[54:])
    write("bmp-zero-height.bmp", bmp_header(24, 0) + bmp[54:])
    write("bmp-int-min-height.bmp", bmp_header(24, -2**31, data_size=len(bmp) - 54) + bmp[54:])
    write("bmp-int-min-width.bmp", bmp_header(-2**31, 18, data_size=len(bmp) - 54) + bmp[54:])
    write("bmp-32-bit-lying-size.bmp", bmp_header(65536, 65536, 32, 4) + b"\0" * 64)

    write("png-truncated.png", png[:len(png) // 2])
    write("png-bit-flipped.png", flipped(png, 2, 16))
    write("png-lying-size-100000x100000.png", png_with_size(png, 100000, 100000))
    write("png-zero-size.png", png_with_size(png, 0, 0))

    write("jpeg-truncated.jpg", jpeg[:len(jpeg) // 2])
    write("jpeg-bit-flipped.jpg", flipped(jpeg, 3, 20))
    write("jpeg-lying-size-65500x65500.jpg", jpeg_with_size(jpeg, 65500, 65500))
    write("jpeg-zero-size.jpg", jpeg_with_size(jpeg, 0, 0))

    write("gif-truncated.gif", gif[:len(gif) // 2])
    write("gif-bit-flipped.gif", flipped(gif, 4, 13))
    write("gif-lying-size-65535x65535.gif", gif[:6] + struct.pack("<HH", 65535, 65535) + gif[10:])

    write("tiff-truncated.tif", tiff[:len(tiff) // 2])
    write("tiff-bit-flipped.tif", flipped(tiff, 5, 8))
    write("tiff-lying-width-100000.tif", tiff_with_width(tiff, 100000))

    write("empty-file.png", b"")
    write("text-named-png.png", b"This is not a picture.\r\n" * 20)
    write("png-signature-only.png", png[:8])


def netpbm():
    write("ppm-truncated-raster.ppm", b"P6\n24 18\n255\n" + bytes(range(256)) * 2)
    write("ppm-lying-size-100000x100000.ppm", b"P6\n100000 100000\n255\n" + b"\x80" * 300)
    write("ppm-size-beyond-32-bits.ppm", b"P6\n99999999999999999999 2\n255\n" + b"\x80" * 30)
    write("ppm-negative-width.ppm", b"P6\n-24 18\n255\n" + b"\x80" * 64)
    write("pgm-maxval-absurd.pgm", b"P5\n4 4\n99999\n" + b"\x01" * 32)
    write("pgm-maxval-zero.pgm", b"P5\n4 4\n0\n" + b"\x00" * 16)
    write("pgm-sample-above-maxval.pgm", b"P2\n2 2\n15\n0 5 16 15\n")
    write("pbm-ascii-too-few-samples.pbm", b"P1\n8 8\n0101\n")
    write("pbm-binary-truncated.pbm", b"P4\n64 64\n" + b"\xAA" * 20)
    write("ppm-comment-only.ppm", b"P3\n# nothing but a comment, no size\n")
    write("ppm-ascii-not-numbers.ppm", b"P3\n2 2\n255\nred green blue\n")
    write("ppm-header-at-end.ppm", b"P6\n24")


def definitions():
    rng = random.Random(6)
    write("definitions-garbage.txt", bytes(rng.randrange(256) for _ in range(4096)))
    # The line reader cuts it into pieces of its buffer's size, each taken as a line.
    line = b"0 12 34 56 " + bytes(rng.randrange(32, 127) for _ in range(100 * 1024))
    write("definitions-100-kb-line.txt", b"#data\r\n.\r\n" + line + b"\r\n")
    write("definitions-nul-character-at-end.txt",
          b"#data\r\n.\r\n0 230 230 230\r\n0 0 0\r\n0 0 0\r\n0 0 0\r\n#data\r\n")
    write("definitions-empty.txt", b"")
    write("definitions-no-marker.txt", b"no record opens here\r\n0 1 2 3\r\n")
    write("definitions-huge-numbers.txt",
          b"#data\r\nX\r\n99999999999999999999 -99999999999999999999 0x7FFFFFFFFFFF 0777777777777\r\n"
          b"2147483647 2147483647 2147483647\r\n-2147483648 -2147483648 -2147483648\r\n"
          b"2147483647 -2147483648 2147483647\r\n")
    write("definitions-markers-only.txt", b"#data\n" * 300)


if __name__ == "__main__":
    for name in os.listdir(HERE):
        if name != os.path.basename(__file__):
            os.remove(os.path.join(HERE, name))
    pictures()
    netpbm()
    definitions()
