#!/usr/bin/env bash
# Reads the picture plugin_highlight_pixels.hs took: in the lyrics list's area exactly one band
# of rows holds HLColor, it lies on the selected line, holds HLTXTColor text and no BKColor; the
# rows outside it hold no HLColor and, on the other lines, TXTColor text on BKColor; the toolbar
# strip is BKWindowColor where no button covers it.
python3 - "$1/frame.bmp" "$1/stdout.txt" <<'PY'
import re, struct, sys
data = open(sys.argv[1], "rb").read()
out = open(sys.argv[2], encoding="latin-1").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
assert bits == 24, f"{bits} bits"
row = (width * 3 + 3) & ~3

def pixel(x, y):
    b, g, r = data[offset + (height - 1 - y) * row + 3 * x:][:3]
    return (r, g, b)

BK, HL, HLTXT, TXT = (16, 32, 48), (200, 30, 40), (255, 255, 0), (0, 255, 0)
BKWINDOW = (90, 60, 30)
lx, ly, lw, lh, fx, fy = map(int, re.search(
    r"^rect 1031 (\d+) (\d+) (\d+) (\d+) visible at (\d+) (\d+)$", out, re.M).groups())
count, sel, top = map(int, re.search(
    r"^list 1031 count=(\d+) sel=(\d+) top=(\d+)$", out, re.M).groups())
assert (sel, top) == (4, 0), f"sel {sel} top {top}"
# The list's client area, less a margin for the scroll bars' edge.
rows = [[pixel(x, y) for x in range(fx, fx + lw - 20)] for y in range(fy, fy + lh - 20)]
band = [i for i, line in enumerate(rows) if HL in line]
assert band, "no HLColor in the list"
assert band == list(range(band[0], band[-1] + 1)), f"HLColor rows not one band: {band}"
itemHeight = len(band)
assert 8 <= itemHeight <= 40, f"band of {itemHeight} rows"
assert band[0] == sel * itemHeight, f"band starts at row {band[0]}, line {sel} at {sel * itemHeight}"
bandPixels = [p for i in band for p in rows[i]]
assert BK not in bandPixels, "BKColor inside the highlight bar"
assert bandPixels.count(HL) > len(bandPixels) // 2, "the bar is not mostly HLColor"
assert bandPixels.count(HLTXT) >= 20, "no HLTXTColor text on the bar"
assert TXT not in bandPixels, "TXTColor text on the bar"
others = [p for i, line in enumerate(rows) if i not in band for p in line]
assert others.count(BK) > len(others) // 2, "the other lines are not on BKColor"
assert HLTXT not in others, "HLTXTColor outside the bar"
# The lyric lines around the bar (lines 3 and 5) are written in TXTColor.
for line in (3, 5):
    pixels = [p for i in range(line * itemHeight, (line + 1) * itemHeight) for p in rows[i]]
    assert pixels.count(TXT) >= 20, f"line {line} has no TXTColor text"
assert BKWINDOW not in [p for line in rows for p in line], "BKWindowColor in the list"
tx, ty, tw, th, tfx, tfy = map(int, re.search(
    r"^rect 1310 (\d+) (\d+) (\d+) (\d+) visible at (\d+) (\d+)$", out, re.M).groups())
strip = [pixel(x, y) for y in range(tfy, tfy + th) for x in range(tfx, tfx + tw)]
assert strip.count(BKWINDOW) > 200, f"{strip.count(BKWINDOW)} BKWindowColor pixels in the toolbar"
PY
