#!/usr/bin/env bash
# Checks the pictures commands_toolbar.hs took (24-bit BMPs of the host frame), finding the
# controls through the "rect ID ... at X Y" lines of its output.
python3 - "$1" <<'PY'
import re, struct, sys

folder = sys.argv[1]

def load(name):
    data = open(f"{folder}/{name}", "rb").read()
    assert data[:2] == b"BM", f"{name}: not a BMP"
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, f"{name}: {bits} bits per pixel"
    row = (width * 3 + 3) & ~3
    def pixel(x, y):  # top-down
        at = offset + (height - 1 - y) * row + x * 3
        b, g, r = data[at:at + 3]
        return (r, g, b)
    return pixel

def area(pixel, x, y, w, h):
    return [pixel(x + i, y + j) for j in range(h) for i in range(w)]

places = {}
for line in open(f"{folder}/stdout.txt"):
    m = re.match(r"rect (\d+) -?\d+ -?\d+ (\d+) (\d+) \w+ at (-?\d+) (-?\d+)", line)
    if m:
        ident, w, h, x, y = map(int, m.groups())
        places[ident] = (x, y, w, h)

display = load("display.bmp")
buttons = [1240, 1237, 1239, 1238, 1242, 1241]
icons = {}
for ident in buttons:
    x, y, w, h = places[ident]
    assert (w, h) == (30, 20), f"button {ident} is {w}x{h}"
    # The 16 x 16 icon sits centred in the cell.
    icons[ident] = area(display, x + 7, y + 2, 16, 16)
    assert len(set(icons[ident])) >= 3, f"button {ident} shows no icon"
assert len({tuple(icon) for icon in icons.values()}) == 6, "two buttons show the same icon"

def count(pixels, colour):
    return sum(1 for p in pixels if p == colour)

pane = area(display, *places[1033])
traces = count(pane, (214, 216, 186))   # OscColor
logo = count(pane, (100, 100, 100))     # the logo's face
ticker = count(pane, (200, 200, 200))   # the sliding lyric line
assert traces >= 100, f"oscilloscope: {traces} trace pixels"
assert logo >= 20, f"oscilloscope: {logo} logo pixels"
assert ticker >= 10, f"oscilloscope: {ticker} ticker pixels"

band = places[1310]
pale_yellow = (255, 255, 150)
tooltip = count(area(load("tooltip.bmp"), *band), pale_yellow)
assert tooltip >= 200, f"tooltip: {tooltip} pixels of its box"
restored = load("restored.bmp")
assert area(restored, *band) == area(display, *band), "the toolbar's pixels were not put back"

edit = load("edit.bmp")
for ident in buttons:
    x, y, _, _ = places[ident]
    same = area(edit, x + 7, y + 2, 16, 16) == icons[ident]
    assert same == (ident != 1238), f"button {ident} in edit mode: icon {'kept' if same else 'changed'}"
PY
