#!/usr/bin/env bash
# Checks the picture hostsim_shot.hs wrote: a 24-bit BMP of the 400x300 frame with the test
# plug-in's blue background inside it.
python3 - "$1/frame.bmp" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"BM", "not a BMP"
size, offset = struct.unpack_from("<I4xI", data, 2)
assert size == len(data), f"file size {len(data)}, header says {size}"
width, height, planes, bits = struct.unpack_from("<iiHH", data, 18)
assert (width, height, bits) == (400, 300, 24), f"{width}x{height}x{bits}"
row = (width * 3 + 3) & ~3
assert offset + row * height == len(data), "pixel data size"
# A point of the plug-in window right of its list, below its button: rows are bottom-up, BGR.
x, y = 350, 200
b, g, r = data[offset + (height - 1 - y) * row + 3 * x:][:3]
assert (r, g, b) == (0, 128, 255), f"pixel ({x},{y}) is {(r, g, b)}"
PY
