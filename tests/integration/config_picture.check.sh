#!/usr/bin/env bash
# Checks the picture config_picture.hs took of the configuration dialog: a 24-bit BMP in which
# the swatches show the default colours of their settings.
python3 - "$1/config.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"BM", "not a BMP"
offset = struct.unpack_from("<I", data, 10)[0]
width, height, planes, bits = struct.unpack_from("<iiHH", data, 18)
assert bits == 24, f"{bits} bits per pixel"
row = (width * 3 + 3) & ~3
counts = {}
for y in range(height):
    line = data[offset + y * row: offset + y * row + width * 3]
    for x in range(0, width * 3, 3):
        b, g, r = line[x:x + 3]
        counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
# A swatch of 14 x 12 dialog units holds a few hundred pixels inside its border.
swatches = {"OscColor": (214, 216, 186), "OscBkColor": (73, 65, 71),
            "BKWindowColor": (60, 60, 60), "HLTXTColor": (128, 255, 255),
            "BKColor": (10, 10, 10)}
for name, colour in swatches.items():
    assert counts.get(colour, 0) >= 150, f"{name} swatch: {counts.get(colour, 0)} pixels of {colour}"
PY
