#!/usr/bin/env bash
# What the stand-in received: the online step's search for the song without an artist, then one
# challenge and exactly the three stamped lines, with the artist as typed and the rest as the
# host reported it; then the copy's lookup.
exec python3 - "$1" <<'PY'
import json, sys
log = [json.loads(line) for line in open(sys.argv[1] + "/requests.log", encoding="utf-8")]
paths = [entry["path"].split("?")[0] for entry in log]
assert paths == ["/api/search", "/api/request-challenge", "/api/publish", "/api/get"], paths
sent = json.loads(log[2]["body"])
expected = {
    "trackName": "Beacon", "artistName": "Lumen Drift", "albumName": "Night Ferry",
    "duration": 187,
    "plainLyrics": "Harbour lights are low\nEvery boat is home\nSing the beacon on\n",
    "syncedLyrics": "[00:05.00]Harbour lights are low\n[00:09.00]Every boat is home\n"
                    "[00:14.00]Sing the beacon on\n",
}
assert sent == expected, sent
assert log[2]["token"].count(":") == 1, log[2]["token"]
PY
