#!/usr/bin/env bash
# Reads the pictures plugin_same_time.hs took: at 0:05 the rows holding HLColor are exactly the
# two lines of the pair (lines 4 and 5), each with HLTXTColor text; after DOWN, and at 0:08, only
# line 6.
python3 - "$1/pair.bmp" "$1/next.bmp" "$1/stdout.txt" "$1/moved.bmp" <<'PY'
import re, struct, sys
out = open(sys.argv[3], encoding="latin-1").read()
lx, ly, lw, lh, fx, fy = map(int, re.search(
    r"^rect 1031 (\d+) (\d+) (\d+) (\d+) visible at (\d+) (\d+)$", out, re.M).groups())
HL, HLTXT, TXT = (200, 30, 40), (255, 255, 0), (0, 255, 0)

def rows_of(path):
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, f"{bits} bits"
    row = (width * 3 + 3) & ~3

    def pixel(x, y):
        b, g, r = data[offset + (height - 1 - y) * row + 3 * x:][:3]
        return (r, g, b)
    return [[pixel(x, y) for x in range(fx, fx + lw - 20)] for y in range(fy, fy + lh - 20)]

def highlighted_rows(rows):
    band = [i for i, line in enumerate(rows) if HL in line]
    assert band, "no HLColor in the list"
    return band

# The item height: at 0:08 one line is highlighted.
alone_rows = rows_of(sys.argv[2])
alone = highlighted_rows(alone_rows)
height = len(alone)
assert 8 <= height <= 40, f"item of {height} rows"
assert alone == list(range(6 * height, 7 * height)), f"highlighted at 0:08: rows {alone}"

def lines_shown_highlighted(rows):
    band = highlighted_rows(rows)
    lines = sorted({i // height for i in band})
    for line in lines:
        item = range(line * height, (line + 1) * height)
        assert all(i in band for i in item), f"line {line} only partly highlighted"
        pixels = [p for i in item for p in rows[i]]
        assert pixels.count(HLTXT) >= 20, f"no HLTXTColor text on line {line}"
        assert TXT not in pixels, f"TXTColor text on highlighted line {line}"
    return lines

assert lines_shown_highlighted(rows_of(sys.argv[1])) == [4, 5], "the pair is not highlighted"
for name, rows in (("after DOWN", rows_of(sys.argv[4])), ("at 0:08", alone_rows)):
    assert lines_shown_highlighted(rows) == [6], f"{name}: not line 6 alone"
    pair = [p for i in range(4 * height, 6 * height) for p in rows[i]]
    assert pair.count(TXT) >= 20 and HL not in pair, f"the pair is still highlighted {name}"
PY
