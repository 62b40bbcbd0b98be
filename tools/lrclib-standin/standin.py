#!/usr/bin/env python3
"""A stand-in for the online lyrics service, for tests and the demo.

It answers the read side of the service (/api/get, /api/search, /api/get/ID) from a JSON file
of recorded records, over HTTP or HTTPS, and can misbehave on purpose (--fault). Its write side
(/api/request-challenge, /api/publish) checks the proof of work as the service does, against a
target a test can make easy, and keeps what was published so that /api/get finds it. It binds to
a loopback address only and prints "port N" once it listens, so tests can run side by side.

    standin.py --records FILE [--cert PEM --key PEM] [--fault MODE] [--delay S] [--log FILE]
               [--challenge-target HEX] [--token-lifetime S]
    standin.py --make-certs DIR     # a test authority, and certificates for localhost and
                                    # for another host, made with the openssl command
"""

import argparse
import hashlib
import ipaddress
import json
import os
import socket
import ssl
import subprocess
import sys
import threading
import time
import unicodedata
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

FAULTS = (
    "none",           # answer as the service documents
    "slow",           # wait --delay seconds before answering
    "stall",          # send the headers and half the body, then nothing
    "500",            # every answer a server error
    "429",            # every answer "too many requests", with Retry-After
    "404",            # nothing is ever found
    "malformed",      # a body that is not JSON
    "wrong-shape",    # JSON, but not records
    "bad-utf8",       # records whose texts hold bytes that are not UTF-8
    "huge",           # a 50 MB answer with its length announced
    "huge-chunked",   # a 50 MB answer without a length
    "redirect-loop",  # every answer a redirect to itself
)

HUGE_BYTES = 50 * 1024 * 1024
# About 2^16 hashes: a test solves it in well under a second.
EASY_TARGET = "0000" + "f" * 60
PUBLISH_FIELDS = (("trackName", str), ("artistName", str), ("albumName", str),
                  ("duration", (int, float)), ("plainLyrics", str), ("syncedLyrics", str))
DURATION_TOLERANCE = 2.0


def folded(text):
    """Case and accents folded, as the service compares names loosely."""
    if text is None:
        return ""
    decomposed = unicodedata.normalize("NFKD", text)
    return "".join(c for c in decomposed if not unicodedata.combining(c)).casefold().strip()


class Catalogue:
    """The recorded records, and the service's ways of finding them."""

    def __init__(self, records):
        self.records = records
        self.lock = threading.Lock()

    def by_id(self, record_id):
        return next((r for r in self.records if r["id"] == record_id), None)

    def by_signature(self, artist, title, album, duration):
        for record in self.records:
            if folded(record["artistName"]) != folded(artist):
                continue
            if folded(record["trackName"]) != folded(title):
                continue
            if album and folded(record.get("albumName")) != folded(album):
                continue
            if duration is not None and abs(record["duration"] - duration) > DURATION_TOLERANCE:
                continue
            return record
        return None

    def search(self, query, title, artist, album):
        found = []
        for record in self.records:
            if query:
                haystack = " ".join(folded(record.get(k)) for k in ("trackName", "artistName", "albumName"))
                if not all(word in haystack for word in folded(query).split()):
                    continue
            else:
                if folded(title) not in folded(record["trackName"]):
                    continue
                if artist and folded(artist) not in folded(record["artistName"]):
                    continue
                if album and folded(album) not in folded(record.get("albumName")):
                    continue
            found.append(record)
        return found[:20]

    def publish(self, fields):
        """A new version comes first; the older ones stay, as the service keeps them."""
        with self.lock:
            record = {
                "id": max((r["id"] for r in self.records), default=0) + 1,
                "trackName": fields["trackName"], "artistName": fields["artistName"],
                "albumName": fields["albumName"] or None, "duration": fields["duration"],
                "instrumental": not fields["plainLyrics"] and not fields["syncedLyrics"],
                "plainLyrics": fields["plainLyrics"] or None,
                "syncedLyrics": fields["syncedLyrics"] or None,
            }
            self.records.insert(0, record)
        return record


class Tokens:
    """Publish tokens as the service checks them: its own prefix, a nonce whose hash of the
    prefix and the nonce is at most the target, once, before the token expires."""

    def __init__(self, target, lifetime):
        self.target = target
        self.lifetime = lifetime
        self.issued = {}
        self.lock = threading.Lock()

    def challenge(self):
        prefix = os.urandom(16).hex()
        with self.lock:
            self.issued[prefix] = time.monotonic()
        return {"prefix": prefix, "target": self.target}

    def redeem(self, token):
        prefix, colon, nonce = token.rpartition(":")
        if not colon or not nonce.isdigit():
            return False
        with self.lock:
            issued = self.issued.get(prefix)
            if issued is None or time.monotonic() - issued > self.lifetime:
                return False
            digest = hashlib.sha256((prefix + nonce).encode("utf-8")).hexdigest()
            if int(digest, 16) > int(self.target, 16):
                return False
            del self.issued[prefix]  # a token works once
        return True

class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "lrclib-standin/1"

    # -- plumbing -------------------------------------------------------------------------
    def log_message(self, format, *args):  # the request log below replaces the default one
        pass

    def record_request(self, body=None):
        log = self.server.request_log
        if log is None:
            return
        entry = {"method": self.command, "path": self.path,
                 "user_agent": self.headers.get("User-Agent", ""),
                 "client": self.headers.get("Lrclib-Client", "")}
        if body is not None:
            entry["token"] = self.headers.get("X-Publish-Token", "")
            entry["body"] = body.decode("utf-8", "replace")
        with self.server.log_lock, open(log, "a", encoding="utf-8") as out:
            out.write(json.dumps(entry) + "\n")

    def send_body(self, status, body, content_type="application/json", extra=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def send_json(self, status, value, extra=()):
        self.send_body(status, json.dumps(value).encode("utf-8"), extra=extra)

    def send_error_json(self, status, name, message):
        self.send_json(status, {"code": status, "name": name, "message": message})

    # -- routes ---------------------------------------------------------------------------
    def do_GET(self):
        self.record_request()
        url = urllib.parse.urlsplit(self.path)
        query = {k: v[0] for k, v in urllib.parse.parse_qs(url.query, keep_blank_values=True).items()}
        if url.path.startswith("/api/") and self.faulted(url):
            return
        if url.path == "/api/get":
            return self.answer_get(query)
        if url.path == "/api/search":
            return self.answer_search(query)
        if url.path.startswith("/api/get/"):
            return self.answer_get_id(url.path[len("/api/get/"):])
        self.send_error_json(404, "NotFound", "No such endpoint")

    def do_POST(self):
        try:
            length = int(self.headers.get("Content-Length", "0"))
        except ValueError:
            length = -1
        if length < 0 or length > 4 * 1024 * 1024:
            self.record_request(b"")
            return self.send_error_json(400, "BadRequest", "a body of unknown or huge length")
        body = self.rfile.read(length)
        self.record_request(body)
        url = urllib.parse.urlsplit(self.path)
        if url.path.startswith("/api/") and self.faulted(url):
            return
        if url.path == "/api/request-challenge":
            return self.send_json(200, self.server.tokens.challenge())
        if url.path == "/api/publish":
            return self.answer_publish(body)
        self.send_error_json(404, "NotFound", "No such endpoint")

    def answer_publish(self, body):
        if not self.server.tokens.redeem(self.headers.get("X-Publish-Token", "")):
            return self.send_error_json(400, "IncorrectPublishToken",
                                        "The provided publish token is incorrect")
        try:
            fields = json.loads(body.decode("utf-8"))
        except (UnicodeDecodeError, ValueError):
            return self.send_error_json(400, "BadRequest", "the body is not JSON")
        if not isinstance(fields, dict):
            return self.send_error_json(400, "BadRequest", "the body is not an object")
        for name, kind in PUBLISH_FIELDS:
            if not isinstance(fields.get(name), kind) or isinstance(fields.get(name), bool):
                return self.send_error_json(400, "BadRequest", "%s is missing or of the wrong type" % name)
        self.server.catalogue.publish(fields)
        self.send_response(201)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def answer_get(self, query):
        artist = query.get("artist_name", "")
        title = query.get("track_name", "")
        if not artist.strip() or not title.strip():
            return self.send_error_json(400, "BadRequest", "artist_name and track_name are required")
        duration = None
        if query.get("duration"):
            try:
                duration = float(query["duration"])
            except ValueError:
                return self.send_error_json(400, "BadRequest", "duration is not a number")
        record = self.server.catalogue.by_signature(artist, title, query.get("album_name"), duration)
        if record is None:
            return self.send_error_json(404, "TrackNotFound", "Failed to find specified track")
        self.send_record(record)

    def answer_search(self, query):
        if not query.get("q") and not query.get("track_name"):
            return self.send_error_json(400, "BadRequest", "q or track_name is required")
        records = self.server.catalogue.search(query.get("q"), query.get("track_name", ""),
                                               query.get("artist_name"), query.get("album_name"))
        if self.server.fault == "bad-utf8":
            return self.send_body(200, b"[" + b",".join(self.bad_utf8(r) for r in records) + b"]")
        self.send_json(200, records)

    def answer_get_id(self, text):
        if not text.isdigit():
            return self.send_error_json(400, "BadRequest", "the id is not a number")
        record = self.server.catalogue.by_id(int(text))
        if record is None:
            return self.send_error_json(404, "TrackNotFound", "Failed to find specified track")
        self.send_record(record)

    def send_record(self, record):
        if self.server.fault == "bad-utf8":
            return self.send_body(200, self.bad_utf8(record))
        self.send_json(200, record)

    @staticmethod
    def bad_utf8(record):
        """The record with a byte 0xFF in its lyrics, which no UTF-8 text holds."""
        body = json.dumps(record, ensure_ascii=False).encode("utf-8")
        for key in (b'"plainLyrics": "', b'"syncedLyrics": "'):
            at = body.find(key)
            if at >= 0:
                at += len(key)
                body = body[:at] + b"\xff\xfe" + body[at:]
        return body

    # -- faults ---------------------------------------------------------------------------
    def faulted(self, url):
        """Answers in the way the fault asks; False when the request is to be answered well."""
        fault = self.server.fault
        if fault == "slow":
            time.sleep(self.server.delay)
            return False
        if fault == "stall":
            body = json.dumps(self.server.catalogue.records[:1] * 50).encode("utf-8")
            self.send_response(200)
            self.send_header("Content-Type", "application/json")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            self.server.stop.wait(600)
            self.close_connection = True
            return True
        if fault == "500":
            self.send_error_json(500, "InternalServerError", "Something went wrong")
            return True
        if fault == "429":
            self.send_json(429, {"code": 429, "name": "TooManyRequests", "message": "Slow down"},
                           extra=(("Retry-After", "120"),))
            return True
        if fault == "404":
            self.send_error_json(404, "TrackNotFound", "Failed to find specified track")
            return True
        if fault == "malformed":
            self.send_body(200, b'{"id": 1, "trackName": "cut sho')
            return True
        if fault == "wrong-shape":
            if url.path == "/api/search":
                self.send_json(200, {"results": self.server.catalogue.records})
            else:
                self.send_json(200, {"id": "one", "trackName": 7, "duration": "long"})
            return True
        if fault in ("huge", "huge-chunked"):
            self.send_huge(chunked=fault == "huge-chunked")
            return True
        if fault == "redirect-loop":
            self.send_response(302)
            self.send_header("Location", url.path + ("?" + url.query if url.query else ""))
            self.send_header("Content-Length", "0")
            self.end_headers()
            return True
        return False

    def send_huge(self, chunked):
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        if chunked:
            self.send_header("Transfer-Encoding", "chunked")
        else:
            self.send_header("Content-Length", str(HUGE_BYTES))
        self.end_headers()
        piece = b" " * 65536
        sent = 0
        try:
            while sent < HUGE_BYTES:
                if chunked:
                    self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
                else:
                    self.wfile.write(piece)
                sent += len(piece)
            if chunked:
                self.wfile.write(b"0\r\n\r\n")
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError):
            pass  # the client gave up, as it should
        self.close_connection = True


class StandinServer(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, family, catalogue, fault, delay, request_log, tokens):
        self.address_family = family
        super().__init__(address, Handler)
        self.catalogue = catalogue
        self.tokens = tokens
        self.fault = fault
        self.delay = delay
        self.request_log = request_log
        self.log_lock = threading.Lock()
        self.stop = threading.Event()


def make_certs(folder):
    """A test authority and two server certificates it signs: localhost and another host."""
    os.makedirs(folder, exist_ok=True)

    def run(*args):
        subprocess.run(["openssl", *args], check=True, cwd=folder,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=zorlyrics test authority",
        "-keyout", "ca.key", "-out", "ca.pem", "-addext", "basicConstraints=critical,CA:TRUE",
        "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    for name, alt in (("localhost", "DNS:localhost"), ("otherhost", "DNS:other.invalid")):
        run("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=" + alt[4:],
            "-keyout", name + ".key", "-out", name + ".csr")
        with open(os.path.join(folder, name + ".ext"), "w", encoding="ascii") as ext:
            ext.write("subjectAltName=%s\nbasicConstraints=CA:FALSE\n" % alt)
        run("x509", "-req", "-in", name + ".csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
            "-days", "2", "-out", name + ".pem", "-extfile", name + ".ext")


def loopback_only(host):
    try:
        return ipaddress.ip_address(host).is_loopback
    except ValueError:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--records", help="a JSON file: a list of records")
    parser.add_argument("--host", default="127.0.0.1", help="a loopback address (default 127.0.0.1)")
    parser.add_argument("--port", type=int, default=0, help="default 0: any free port")
    parser.add_argument("--cert", help="PEM certificate: answer over HTTPS")
    parser.add_argument("--key", help="PEM key of --cert")
    parser.add_argument("--fault", default="none", choices=FAULTS)
    parser.add_argument("--delay", type=float, default=2.0, help="seconds, for --fault slow")
    parser.add_argument("--log", help="append one JSON line per request to this file")
    parser.add_argument("--challenge-target", default=EASY_TARGET,
                        help="64 hex digits: the proof of work's target (default: about 2^16 hashes)")
    parser.add_argument("--token-lifetime", type=float, default=300.0,
                        help="seconds a challenge's token stays valid (default 300)")
    parser.add_argument("--make-certs", metavar="DIR", help="make test certificates in DIR and exit")
    args = parser.parse_args()

    if args.make_certs:
        make_certs(args.make_certs)
        return 0
    if not args.records:
        parser.error("--records is needed")
    if not loopback_only(args.host):
        parser.error("the stand-in listens on a loopback address only")
    if len(args.challenge_target) != 64 or any(c not in "0123456789abcdefABCDEF" for c in args.challenge_target):
        parser.error("--challenge-target takes 64 hexadecimal digits")
    with open(args.records, encoding="utf-8") as source:
        catalogue = Catalogue(json.load(source))
    tokens = Tokens(args.challenge_target.lower(), args.token_lifetime)

    family = socket.AF_INET6 if ":" in args.host else socket.AF_INET
    server = StandinServer((args.host, args.port), family, catalogue, args.fault, args.delay, args.log,
                          tokens)
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print("port %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever(poll_interval=0.1)
    except KeyboardInterrupt:
        pass
    finally:
        server.stop.set()
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
