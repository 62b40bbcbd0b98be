#!/usr/bin/env python3
"""Writes the songs of the tag-lyrics hostsim test into ../fixtures, built byte by byte:

  flac-lyrics.flac  a FLAC song whose VORBIS_COMMENT block holds LYRICS with time tags
  tagged-v24.mp3    an MP3 with an ID3v2.4 tag: title, artist, a picture, a user text frame, a
                    private frame and synchronised lyrics (no lyrics frame), then an ID3v1 tag

and, beside this script, tagged-v24.frames: the hex of every frame of that tag, one a line, which
a store must keep. Run it again only to change the songs.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "..", "fixtures")


def audio(size):
    out = bytearray()
    state = 12345
    while len(out) < size:
        out += b"\xff\xfb\x90\x00"
        for _ in range(60):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            out.append(state >> 16 & 0xFF)
    return bytes(out[:size])


def sync_safe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def frame(frame_id, body):
    return frame_id.encode() + sync_safe(len(body)) + b"\0\0" + body


def flac():
    info = struct.pack(">HH", 4096, 4096) + b"\0" * 6
    info += struct.pack(">Q", (44100 << 44) | (0 << 41) | (15 << 36) | 44100) + b"\x11" * 16
    fields = [b"TITLE=Flac Song", b"ARTIST=Band",
              b"LYRICS=[00:01.00]Flac first line\r\n[00:03.00]Flac second line\r\nUntimed"]
    comment = struct.pack("<I", 4) + b"hand" + struct.pack("<I", len(fields))
    for field in fields:
        comment += struct.pack("<I", len(field)) + field
    blocks = bytes([0]) + len(info).to_bytes(3, "big") + info
    blocks += bytes([0x80 | 4]) + len(comment).to_bytes(3, "big") + comment
    return b"fLaC" + blocks + b"\xff\xf8" + audio(6000)


def v24_frames():
    picture = bytes(range(256)) * 2
    sylt_entries = b""
    for ms, text in ((1000, "Synced first"), (3000, "Synced second"), (30000, "Synced third")):
        sylt_entries += text.encode() + b"\0" + struct.pack(">I", ms)
    return [
        frame("TIT2", b"\x03V24 Song"),
        frame("TPE1", b"\x03Band"),
        frame("APIC", b"\x00image/png\x00\x03cover\x00" + picture),
        frame("TXXX", b"\x03MusicBrainz Album Id\x000123-abcd"),
        frame("PRIV", b"owner@example\x00\x01\x02\x03\x00\x04"),
        frame("SYLT", b"\x00eng\x02\x01\x00" + sylt_entries),
    ]


def v24_song(frames):
    body = b"".join(frames) + b"\0" * 64
    tag = b"ID3\x04\x00\x00" + sync_safe(len(body)) + body
    v1 = b"TAG" + b"V24 Song".ljust(30, b"\0") + b"Band".ljust(30, b"\0") + b"\0" * 65
    return tag + audio(8000) + v1


def main():
    with open(os.path.join(FIXTURES, "flac-lyrics.flac"), "wb") as out:
        out.write(flac())
    frames = v24_frames()
    with open(os.path.join(FIXTURES, "tagged-v24.mp3"), "wb") as out:
        out.write(v24_song(frames))
    with open(os.path.join(HERE, "tagged-v24.frames"), "w") as out:
        for f in frames:
            out.write(f.hex() + "\n")


if __name__ == "__main__":
    main()
