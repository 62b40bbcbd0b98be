#!/usr/bin/env bash
# Reads the pictures plugin_same_time_wipe.hs took. Lines 4 (the sung line) and 5 (its
# translation) are each wiped from the left: the highlight colour fills one run of columns from
# the line's left edge, with HLTXTColor text on it and TXTColor text on BKColor to its right.
# Each edge is where that line's own marks put it:
# - the sung line's first word lasts from 4 s to 6 s, so its edge is half way from the text's
#   start to "along" at 5 s, 5/8 of the way at 5.25 s, 3/4 at 5.5 s, and at "along" at 6 s;
# - the translation's words last half a second each: at 5 s its edge is at "moi", at 5.5 s at
#   "ici", half way between at 5.25 s, and at 6 s it is sung to its end.
# At 9.5 s only line 6 is highlighted and the pair is back to the normal colours. In one-line mode
# the pair, joined in the one item shown, is highlighted whole: no line's wipe is drawn over it.
python3 - "$1" "$(dirname "$0")" <<'PY'
import re, struct, sys
sys.dont_write_bytecode = True  # nothing written beside the tests
sys.path.insert(0, sys.argv[2])
from list_pictures import list_picture_reader
folder = sys.argv[1]
out = open(folder + "/stdout.txt", encoding="latin-1").read()
BK, HL, HLTXT, TXT = (16, 32, 48), (200, 30, 40), (255, 255, 0), (0, 255, 0)
picture = list_picture_reader(folder, out)

# The item height, from the line highlighted alone at 9.5 s.
alone = picture("next.bmp")
band = [i for i, row in enumerate(alone) if HL in row]
height = len(band)
assert 8 <= height <= 40 and band == list(range(6 * height, 7 * height)), f"at 9.5 s: {band}"
pair = [p for i in range(4 * height, 6 * height) for p in alone[i]]
assert HL not in pair and HLTXT not in pair and pair.count(TXT) >= 20, "the pair stays lit"

def line_rows(rows, line):
    return rows[line * height:(line + 1) * height]

def text_start(rows):
    return min(x for row in rows for x, p in enumerate(row) if p in (HLTXT, TXT))

def edge(name, line):
    """The end of the sung part of line: the run of highlight columns from the left edge."""
    rows = line_rows(picture(name), line)
    sung = [x for x in range(len(rows[0])) if any(row[x] == HL for row in rows)]
    assert sung and sung == list(range(0, sung[-1] + 1)), f"{name} line {line}: not one run"
    right = sung[-1] + 1
    pixels = [p for row in rows for p in row]
    assert pixels.count(HLTXT) >= 10, f"{name} line {line}: no sung text in HLTXTColor"
    assert all(p not in (HL, HLTXT) for row in rows for p in row[right:]), \
        f"{name} line {line}: highlight colours right of the sung part"
    return right, pixels, text_start(rows)

edges = {}
for name in ("at5.bmp", "at5q.bmp", "at5h.bmp", "at6.bmp"):
    for line in (4, 5):
        edges[name, line] = edge(name, line)
print("edges (px):", {f"{n[:-4]} line {l}": e[0] for (n, l), e in edges.items()})

# Partly sung mid-line: both lines show unsung text in the normal colours.
for name in ("at5.bmp", "at5q.bmp", "at5h.bmp"):
    for line in (4, 5):
        _, pixels, _ = edges[name, line]
        assert pixels.count(BK) > 0 and pixels.count(TXT) >= 10, f"{name} line {line}: all sung"

def near(value, expected, what):
    assert abs(value - expected) <= 3, f"{what}: {value} px, expected about {expected:.1f}"

# The sung line: linear through its first word, which ends at 6 s.
start = edges["at6.bmp", 4][2]
along = edges["at6.bmp", 4][0]
assert along - start > 20, f"the first word of line 4 is {along - start} px"
near(edges["at5.bmp", 4][0], start + (along - start) / 2, "line 4 at 5 s")
near(edges["at5q.bmp", 4][0], start + (along - start) * 5 / 8, "line 4 at 5.25 s")
near(edges["at5h.bmp", 4][0], start + (along - start) * 3 / 4, "line 4 at 5.5 s")
assert TXT in edges["at6.bmp", 4][1], "line 4 all sung at 6 s"

# The translation: its own words, half a second each; at 6 s sung to the end.
moi, ici = edges["at5.bmp", 5][0], edges["at5h.bmp", 5][0]
assert moi - edges["at5.bmp", 5][2] > along - start, "line 5 not past its second word at 5 s"
assert ici - moi > 10, f"line 5: the word moi is {ici - moi} px"
near(edges["at5q.bmp", 5][0], (moi + ici) / 2, "line 5 at 5.25 s")
assert TXT not in edges["at6.bmp", 5][1], "line 5 not sung to its end at 6 s"
# Each at its own place: at 5.25 s the translation is well ahead of the sung line.
assert edges["at5q.bmp", 5][0] > edges["at5q.bmp", 4][0] + 20, "the two wipes go together"

# The one line, from the list's place after the switch (the last rect line).
_, _, lw, lh, fx, fy = map(int, re.findall(
    r"^rect 1031 (\d+) (\d+) (\d+) (\d+) visible at (\d+) (\d+)$", out, re.M)[-1])
data = open(folder + "/joined.bmp", "rb").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height_in, _, bits = struct.unpack_from("<iiHH", data, 18)
assert bits == 24, f"{bits} bits"
stride = (width * 3 + 3) & ~3
joined = []
for y in range(fy, fy + lh):
    for x in range(fx, fx + lw - 20):
        b, g, r = data[offset + (height_in - 1 - y) * stride + 3 * x:][:3]
        joined.append((r, g, b))
assert joined.count(HLTXT) >= 40, "the joined pair shows no highlighted text"
assert BK not in joined and TXT not in joined, "a wipe drawn over the joined pair"
PY
