#!/usr/bin/env bash
# Reads the pictures timing_wipe.hs took. On the highlighted line (line 3) the highlight colour
# fills one run of columns from the line's left edge: at 1.5 s a short one, at 3.5 s a longer
# one, at 5.5 s (all sung) the whole line; the rest of the line is on BKColor, with TXTColor text
# to the right of the run and HLTXTColor text on it. At 6.5 s the plain line (line 4) is
# highlighted whole and line 3 is drawn as before.
python3 - "$1" "$(dirname "$0")" <<'PY'
import sys
sys.dont_write_bytecode = True  # nothing written beside the tests
sys.path.insert(0, sys.argv[2])
from list_pictures import list_picture_reader
folder = sys.argv[1]
out = open(folder + "/stdout.txt", encoding="latin-1").read()
BK, HL, HLTXT, TXT = (16, 32, 48), (200, 30, 40), (255, 255, 0), (0, 255, 0)
picture = list_picture_reader(folder, out)

def band(rows):
    lines = [i for i, line in enumerate(rows) if HL in line]
    assert lines, "no HLColor in the list"
    assert lines == list(range(lines[0], lines[-1] + 1)), f"HLColor rows not one band: {lines}"
    return lines

def sungColumns(rows, lines):
    # Columns with the highlight background in the band: the sung part (text never fills a
    # whole column of a line).
    columns = len(rows[0])
    return [x for x in range(columns) if any(rows[i][x] == HL for i in lines)]

def run(name):
    rows = picture(name)
    lines = band(rows)
    height = len(lines)
    assert lines[0] == 3 * height, f"{name}: the band is not on line 3 (row {lines[0]})"
    sung = sungColumns(rows, lines)
    assert sung and sung == list(range(0, sung[-1] + 1)), f"{name}: sung part not from the left"
    pixels = [p for i in lines for p in rows[i]]
    return sung[-1] + 1, pixels, rows, lines

early, earlyPixels, _, _ = run("early.bmp")
late, latePixels, rows, lines = run("late.bmp")
full, fullPixels, _, _ = run("sung.bmp")
print(f"sung width: {early} px at 1.5 s, {late} px at 3.5 s, {full} px at 5.5 s")
assert 5 < early < late < full, f"the wipe does not advance: {early}, {late}, {full}"
for name, pixels in (("early", earlyPixels), ("late", latePixels)):
    assert pixels.count(BK) > 0, f"{name}: no unsung part on BKColor"
    assert pixels.count(TXT) >= 10, f"{name}: no unsung text in TXTColor"
    assert pixels.count(HLTXT) >= 10, f"{name}: no sung text in HLTXTColor"
# To the right of the sung part there is no highlight colour in the band.
assert all(rows[i][x] not in (HL, HLTXT) for i in lines for x in range(late + 1, len(rows[0]))), \
    "highlight colour right of the sung part"
assert TXT not in fullPixels, "TXTColor left on a line sung to its end"
rows = picture("plain.bmp")
lines = band(rows)
height = len(lines)
assert lines[0] == 4 * height, f"plain: the band is not on line 4 (row {lines[0]})"
pixels = [p for i in lines for p in rows[i]]
assert BK not in pixels and TXT not in pixels, "the plain line is not highlighted whole"
line3 = [p for i in range(3 * height, 4 * height) for p in rows[i]]
assert HL not in line3 and line3.count(TXT) >= 10, "line 3 not back to the normal colours"
PY
