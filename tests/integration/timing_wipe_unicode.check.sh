#!/usr/bin/env bash
# Reads the pictures timing_wipe_unicode.hs took. In plain.bmp line 3 is drawn on BKColor: its
# first word runs from the first column with ink (any other colour, the glyphs' edges may be
# smoothed) to the first gap of four empty columns. In half.bmp the highlight runs from the line's left edge to between a third and
# three quarters of that word (half of it, give or take the render calls' timing).
python3 - "$1" "$(dirname "$0")" <<'PY'
import sys
sys.dont_write_bytecode = True  # nothing written beside the tests
sys.path.insert(0, sys.argv[2])
from list_pictures import list_picture_reader
folder = sys.argv[1]
out = open(folder + "/stdout.txt", encoding="utf-8").read()
BK, HL = (16, 32, 48), (200, 30, 40)
picture = list_picture_reader(folder, out)

half = picture("half.bmp")
highlighted = [i for i, line in enumerate(half) if HL in line]
assert highlighted, "no HLColor in the list"
height = len(highlighted)
assert highlighted[0] == 3 * height, f"the band is not on line 3 (row {highlighted[0]})"
sung = max(x for i in highlighted for x, p in enumerate(half[i]) if p == HL) + 1

plain = picture("plain.bmp")
line3 = range(3 * height, 4 * height)
inked = [any(plain[i][x] != BK for i in line3) for x in range(len(plain[0]))]
assert any(inked), "line 3 has no text at 3.5 s"
start = inked.index(True)
end = start
while end < len(inked) and any(inked[end:end + 4]):
    end += 1
ratio = (sung - start) / (end - start)
print(f"first word: columns {start}-{end}; sung to {sung} at 2 s ({ratio:.2f} of the word)")
assert 1 / 3 < ratio < 3 / 4, f"the wipe is not half way through the first word: {ratio:.2f}"
PY
