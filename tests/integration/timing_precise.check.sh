#!/usr/bin/env bash
# The title strip right after "]" (notice.bmp, "offset +0.2 s") differs from the strip two
# seconds later (title.bmp, the song's title again) in its first text line only. Only the
# columns of the title strip are compared: the oscilloscope beside it moves on its own.
python3 - "$1" <<'PY'
import struct, sys
folder = sys.argv[1]

def picture(name):
    data = open(folder + "/" + name, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    row = (width * 3 + 3) & ~3
    # The title strip starts right of the toolbar's buttons, about 260 pixels in.
    return [[data[offset + (height - 1 - y) * row + 3 * x:][:3] for x in range(300, width - 10)]
            for y in range(height)]

notice, title = picture("notice.bmp"), picture("title.bmp")
changed = [y for y in range(len(notice)) if notice[y] != title[y]]
assert changed, "the title strip did not change back after the notice"
span = changed[-1] - changed[0] + 1
assert span <= 16, f"rows {changed[0]}..{changed[-1]} changed: more than one text line"
PY
