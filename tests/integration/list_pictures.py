"""The lyrics list's pixels in the 24-bit BMP pictures a hostsim script took with `shot`, found
through the `rect 1031` line the script printed. Shared by the check scripts that read pictures."""
import re
import struct


def list_picture_reader(folder, out):
    """A function that reads one picture of the folder as rows of (r, g, b), the list's area only
    (less its 20-pixel scroll-bar and border margins)."""
    _, _, lw, lh, fx, fy = map(int, re.search(
        r"^rect 1031 (\d+) (\d+) (\d+) (\d+) visible at (\d+) (\d+)$", out, re.M).groups())

    def picture(name):
        data = open(folder + "/" + name, "rb").read()
        offset = struct.unpack_from("<I", data, 10)[0]
        width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
        assert bits == 24, f"{bits} bits"
        row = (width * 3 + 3) & ~3

        def pixel(x, y):
            b, g, r = data[offset + (height - 1 - y) * row + 3 * x:][:3]
            return (r, g, b)
        return [[pixel(x, y) for x in range(fx, fx + lw - 20)] for y in range(fy, fy + lh - 20)]
    return picture
