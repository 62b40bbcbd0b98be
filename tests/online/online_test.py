#!/usr/bin/env python3
"""zorlyrics' online step and search against the lyrics service stand-in, over HTTP and HTTPS,
and through every fault the stand-in can play.

    online_test.py --zorlyrics BIN --standin standin.py --records records.json GROUP

GROUP is http, https or faults. Every zorlyrics run gets ZORLYRICS_LOOPBACK_ONLY=1 and an explicit
--server on this machine; run() refuses anything else, so no test can reach the public service.
"""

import argparse
import hashlib
import ipaddress
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.error
import urllib.parse
import urllib.request

ARGS = None
ONLINE_FAILED = 3


def is_loopback_url(url):
    host = urllib.parse.urlsplit(url).hostname or ""
    if host == "localhost":
        return True
    try:
        return ipaddress.ip_address(host).is_loopback
    except ValueError:
        return False


class Standin:
    """One stand-in server process, with its request log."""

    def __init__(self, folder, fault="none", tls=None, delay=None, extra=()):
        self.log = os.path.join(folder, "requests-%s-%d.log" % (fault, time.monotonic_ns()))
        command = [sys.executable, ARGS.standin, "--records", ARGS.records, "--fault", fault,
                   "--log", self.log, *extra]
        if delay is not None:
            command += ["--delay", str(delay)]
        if tls:
            command += ["--cert", tls[0], "--key", tls[1]]
        self.process = subprocess.Popen(command, stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        if not line.startswith("port "):
            self.process.kill()
            raise RuntimeError("the stand-in did not start: %r" % line)
        self.port = int(line.split()[1])
        scheme, host = ("https", "localhost") if tls else ("http", "127.0.0.1")
        self.url = "%s://%s:%d" % (scheme, host, self.port)

    def requests(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as log:
            return [json.loads(line) for line in log]

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()


def run(*arguments, ca=None):
    """zorlyrics with the arguments; the server given must be this machine."""
    arguments = list(arguments)
    if "--server" not in arguments:
        raise AssertionError("a test must name its server: the public one is never asked")
    server = arguments[arguments.index("--server") + 1]
    if not is_loopback_url(server):
        raise AssertionError("a test may only ask this machine, not " + server)
    if ca:
        arguments += ["--ca", ca]
    environment = dict(os.environ, ZORLYRICS_LOOPBACK_ONLY="1")
    for proxy in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"):
        environment.pop(proxy, None)
    return subprocess.run([ARGS.zorlyrics, *arguments], capture_output=True, text=True, timeout=60,
                          env=environment)


class OnlineCase(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="zor-online-")
        self.addCleanup(shutil.rmtree, self.folder, True)
        self.song = os.path.join(self.folder, "song.mp3")
        open(self.song, "wb").close()

    def standin(self, **options):
        server = Standin(self.folder, **options)
        self.addCleanup(server.close)
        return server

    def files(self):
        return sorted(name for name in os.listdir(self.folder) if not name.startswith("requests-"))

    def show(self, server, artist, title, duration, *extra, ca=None):
        arguments = ["show", "--online", "--server", server.url, "--meta", "Artist=" + artist,
                     "--meta", "Title=" + title]
        if duration is not None:
            arguments += ["--duration", str(duration)]
        return run(*arguments, *extra, self.song, ca=ca)

    def assertFailedCleanly(self, result, reason):
        self.assertEqual(result.returncode, ONLINE_FAILED, result.stderr)
        self.assertEqual(result.stdout, "")
        self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)
        self.assertIn(reason, result.stderr)
        self.assertEqual(self.files(), ["song.mp3"], "nothing may be written")


class Http(OnlineCase):
    def test_synced_record_becomes_an_lrc_beside_the_song_and_is_shown_from_it(self):
        server = self.standin()
        result = self.show(server, "The Quiet Harbour", "Paper Lanterns", 214)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("source E.T.L\nlyricsPath %s\n" % os.path.join(self.folder, "song.LRC"), result.stdout)
        self.assertIn("Paper lanterns on the water", result.stdout)
        with open(os.path.join(self.folder, "song.LRC"), "rb") as saved:
            self.assertEqual(saved.read(), b"[00:12.40] Paper lanterns on the water\r\n"
                                           b"[00:17.85] Carry every wish we had\r\n[00:23.10] ")
        asked = server.requests()
        self.assertEqual([r["path"].split("?")[0] for r in asked], ["/api/get"])
        self.assertIn("duration=214", asked[0]["path"])
        self.assertEqual(asked[0]["user_agent"], "ZorLyrics/2.0")
        self.assertEqual(asked[0]["client"], "ZorLyrics/2.0")

        again = self.show(server, "The Quiet Harbour", "Paper Lanterns", 214)
        self.assertEqual(again.stdout, result.stdout)
        self.assertEqual(len(server.requests()), 1, "a song with lyrics on disk asks nothing")

    def test_plain_lyrics_become_a_txt_in_the_alternative_folder(self):
        server = self.standin()
        alternative = os.path.join(self.folder, "alt")
        os.mkdir(alternative)
        result = self.show(server, "Zoe Marchand", "Cafe Noir", 188, "--alt", alternative)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("lyricsPath %s\n" % os.path.join(alternative, "song.TXT"), result.stdout)
        with open(os.path.join(alternative, "song.TXT"), "rb") as saved:
            self.assertEqual(saved.read(), "Un café noir, à minuit\r\nLe ciel s'endort sur l'étang"
                             .encode("cp1252"))

    def test_text_beyond_the_ansi_code_page_is_saved_as_utf8_with_a_mark(self):
        server = self.standin()
        result = self.show(server, "Ирина Соколова", "Белые ночи", 240)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(self.folder, "song.TXT"), "rb") as saved:
            self.assertEqual(saved.read(), b"\xef\xbb\xbf" + "Белые ночи над Невой\r\nТихо спит город мой"
                             .encode("utf-8"))

    def test_search_matches_when_the_signature_does_not(self):
        server = self.standin()
        # The signature carries "(Remastered)" and a guest, which the service's get does not match.
        result = self.show(server, "Ada Park", "Northern Line (Remastered)", 200)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual([r["path"].split("?")[0] for r in server.requests()], ["/api/get", "/api/search"])
        self.assertIn("source E.T.L", result.stdout)
        with open(os.path.join(self.folder, "song.LRC"), "rb") as saved:
            self.assertEqual(saved.read(), b"[00:01.00] Mind the gap")

    def test_near_miss_is_not_taken_and_a_remembered_miss_asks_nothing(self):
        server = self.standin()
        misses = os.path.join(self.folder, "misses.txt")
        # Right names, but the song is 10 s longer than any record: a different recording.
        result = self.show(server, "Ada Park", "Northern Line", 210, "--misses", misses)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("Lyrics unavailable", result.stdout)
        self.assertEqual(self.files(), ["misses.txt", "song.mp3"])
        asked = len(server.requests())
        again = self.show(server, "Ada Park", "Northern Line", 210, "--misses", misses)
        self.assertEqual(again.stdout, result.stdout)
        self.assertEqual(len(server.requests()), asked, "a remembered miss asks nothing")

    def test_instrumental_saves_nothing_and_is_remembered(self):
        server = self.standin()
        misses = os.path.join(self.folder, "misses.txt")
        result = self.show(server, "The Quiet Harbour", "Interlude in Blue", 96, "--misses", misses)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("Lyrics unavailable", result.stdout)
        with open(misses, encoding="utf-8") as memory:
            self.assertIn("\tinstrumental\t" + self.song, memory.read())

    def test_search_lists_records_best_first_within_the_length(self):
        server = self.standin()
        result = run("search", "--server", server.url, "--title", "Northern Line", "--duration", "200")
        self.assertEqual(result.returncode, 0, result.stderr)
        # No artist asked for: synced first, then the nearest length.
        self.assertEqual(result.stdout.splitlines(), [
            "403\tsynced\t200.5\tA Cover Band\tNorthern Line\tCovers",
            "402\tsynced\t201\tAda Park feat. Leo\tNorthern Line (Remastered)\tCommute 2",
            "401\tplain\t200\tAda Park\tNorthern Line\tCommute",
        ])
        with_artist = run("search", "--server", server.url, "--title", "Northern Line", "--artist", "Ada Park",
                          "--duration", "200")
        self.assertEqual([line.split("\t")[0] for line in with_artist.stdout.splitlines()], ["402", "401"])
        instrumental = run("search", "--server", server.url, "--title", "Interlude", "--artist", "Quiet")
        self.assertEqual(instrumental.stdout, "301\tinstrumental\t96\tThe Quiet Harbour\tInterlude in Blue\tTidewater\n")

    def test_the_default_server_is_refused_before_anything_is_sent(self):
        environment = dict(os.environ, ZORLYRICS_LOOPBACK_ONLY="1")
        for arguments in (["search", "--title", "x"],
                          ["search", "--server", "https://lrclib.net", "--title", "x"],
                          ["show", "--online", "--meta", "Artist=a", "--meta", "Title=t", self.song]):
            result = subprocess.run([ARGS.zorlyrics, *arguments], capture_output=True, text=True,
                                    env=environment, timeout=10)
            self.assertEqual(result.returncode, ONLINE_FAILED, arguments)
            self.assertIn("address refused", result.stderr)
        self.assertEqual(self.files(), ["song.mp3"])

    def test_plain_http_to_another_host_is_refused(self):
        result = subprocess.run([ARGS.zorlyrics, "search", "--server", "http://lrclib.net", "--title", "x"],
                                capture_output=True, text=True, timeout=10,
                                env=dict(os.environ, ZORLYRICS_LOOPBACK_ONLY="1"))
        self.assertEqual(result.returncode, ONLINE_FAILED)
        self.assertIn("address refused", result.stderr)


class Https(OnlineCase):
    @classmethod
    def setUpClass(cls):
        cls.certs = tempfile.mkdtemp(prefix="zor-certs-")
        subprocess.run([sys.executable, ARGS.standin, "--make-certs", cls.certs], check=True)
        cls.ca = os.path.join(cls.certs, "ca.pem")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.certs, True)

    def tls(self, name):
        return (os.path.join(self.certs, name + ".pem"), os.path.join(self.certs, name + ".key"))

    def test_the_test_authority_trusted_for_the_run_gives_lyrics(self):
        server = self.standin(tls=self.tls("localhost"))
        result = self.show(server, "The Quiet Harbour", "Paper Lanterns", 214, ca=self.ca)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("source E.T.L", result.stdout)
        listing = run("search", "--server", server.url, "--title", "Paper Lanterns", ca=self.ca)
        self.assertEqual([line.split("\t")[0] for line in listing.stdout.splitlines()], ["101", "102"])

    def test_an_untrusted_certificate_is_refused(self):
        server = self.standin(tls=self.tls("localhost"))
        self.assertFailedCleanly(self.show(server, "The Quiet Harbour", "Paper Lanterns", 214),
                                 "certificate rejected")

    def test_a_certificate_for_another_host_is_refused(self):
        server = self.standin(tls=self.tls("otherhost"))
        self.assertFailedCleanly(self.show(server, "The Quiet Harbour", "Paper Lanterns", 214, ca=self.ca),
                                 "certificate rejected")


class Faults(OnlineCase):
    def show_with_fault(self, fault, **options):
        server = self.standin(fault=fault, **options)
        return server, self.show(server, "The Quiet Harbour", "Paper Lanterns", 214)

    def test_faults_that_fail_the_step_write_nothing(self):
        for fault, reason in (("500", "server error 500"), ("429", "too many requests"),
                              ("malformed", "not JSON"), ("wrong-shape", "not a lyrics record"),
                              ("huge", "too large"), ("huge-chunked", "too large"),
                              ("redirect-loop", "too many redirects")):
            with self.subTest(fault=fault):
                self.assertFailedCleanly(self.show_with_fault(fault)[1], reason)

    def test_a_stalled_answer_ends_at_the_time_limit(self):
        started = time.monotonic()
        _, result = self.show_with_fault("stall")
        self.assertFailedCleanly(result, "timeout")
        self.assertLess(time.monotonic() - started, 30)

    def test_a_slow_answer_within_the_limits_is_waited_for(self):
        _, result = self.show_with_fault("slow", delay=1.5)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("source E.T.L", result.stdout)

    def test_nothing_found_is_a_miss_not_a_failure(self):
        server, result = self.show_with_fault("404")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("Lyrics unavailable", result.stdout)
        self.assertEqual([r["path"].split("?")[0] for r in server.requests()], ["/api/get", "/api/search"])
        self.assertEqual(self.files(), ["song.mp3"])

    def test_bytes_that_are_not_utf8_cost_a_character_not_the_lyrics(self):
        _, result = self.show_with_fault("bad-utf8")
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(os.path.join(self.folder, "song.LRC"), "rb") as saved:
            text = saved.read()
        # U+FFFD has no place in the ANSI code page: the file is UTF-8 with its mark.
        self.assertTrue(text.startswith(b"\xef\xbb\xbf\xef\xbf\xbd"), text[:16])
        self.assertIn("Paper lanterns on the water", text.decode("utf-8"))


class Publish(OnlineCase):
    """zorlyrics publish against the stand-in, which checks the proof of work as the service
    does; an easy target keeps each solve to a fraction of a second."""

    LYRICS = ("[ti:Harbour Lights]\n[ar:Someone]\n[offset:250]\ncredits before the first line\n"
              "[00:05.25]<00:05.25>first <00:05.80>line\n[00:09.00][00:31.00]the chorus\n"
              "[00:20.50]second verse\n")

    def lyrics(self, text=None):
        path = os.path.join(self.folder, "timed.lrc")
        with open(path, "w", encoding="utf-8") as out:
            out.write(self.LYRICS if text is None else text)
        return path

    def publish(self, server, *extra, title="Harbour Lights", artist="Ada Park"):
        return run("publish", "--server", server.url, "--title", title, "--artist", artist,
                   "--album", "Tides", "--duration", "187", *extra, self.lyrics())

    def published(self, server):
        return [json.loads(r["body"]) for r in server.requests() if r["path"] == "/api/publish"]

    def test_timed_lines_are_published_and_found_again_by_the_online_step(self):
        server = self.standin()
        result = self.publish(server, "--offset", "-100")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("4 timed lines\n", result.stdout)
        self.assertIn("become public", result.stdout)
        self.assertRegex(result.stdout, r"hashes [1-9][0-9]* in [0-9.]+ s\nPublished to lrclib.net\n")
        # The file's offset (250) and the adjustment (-100) are baked in; the header, offset and
        # word tags stay home; the chorus goes once per tag.
        synced = "[00:05.10]first line\n[00:08.85]the chorus\n[00:20.35]second verse\n[00:30.85]the chorus\n"
        [body] = self.published(server)
        self.assertEqual(body["syncedLyrics"], synced)
        self.assertEqual(body["plainLyrics"], "first line\nthe chorus\nsecond verse\nthe chorus\n")
        self.assertEqual((body["trackName"], body["artistName"], body["albumName"], body["duration"]),
                         ("Harbour Lights", "Ada Park", "Tides", 187))
        found = self.show(server, "Ada Park", "Harbour Lights", 187)
        self.assertEqual(found.returncode, 0, found.stderr)
        with open(os.path.join(self.folder, "song.LRC"), encoding="utf-8") as saved:
            self.assertEqual(saved.read().replace("\r\n", "\n").strip("\n\ufeff"), synced.strip("\n"))

    def test_a_dry_run_prints_the_request_and_sends_nothing(self):
        server = self.standin()
        result = self.publish(server, "--dry-run")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(json.loads(result.stdout)["syncedLyrics"].count("\n"), 4)
        self.assertEqual(server.requests(), [])

    def test_refusals_and_failures_exit_3_with_one_line(self):
        cases = (
            ("an expired token", dict(extra=("--token-lifetime", "0")), "publish token is incorrect"),
            ("a server error", dict(fault="500"), "busy (500)"),
            ("a malformed challenge", dict(fault="malformed"), "not JSON"),
        )
        for what, options, reason in cases:
            with self.subTest(what):
                result = self.publish(self.standin(**options))
                self.assertEqual(result.returncode, ONLINE_FAILED, result.stdout)
                self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)
                self.assertIn(reason, result.stderr)

    def test_a_file_without_time_tags_or_a_missing_name_is_a_bad_argument(self):
        server = self.standin()
        path = self.lyrics("only\nwords\n")
        result = run("publish", "--server", server.url, "--title", "T", "--artist", "A",
                     "--duration", "10", path)
        self.assertEqual(result.returncode, 2, result.stderr)
        self.assertIn("no time tags", result.stderr)
        self.assertEqual(self.publish(server, artist="").returncode, 2)
        self.assertEqual(server.requests(), [])

    def test_the_stand_in_checks_tokens_as_the_service_does(self):
        server = self.standin()

        def post(path, token=None, body=b"{}"):
            request = urllib.request.Request(server.url + path, data=body, method="POST")
            if token is not None:
                request.add_header("X-Publish-Token", token)
            try:
                with urllib.request.urlopen(request, timeout=10) as answer:
                    return answer.status, answer.read()
            except urllib.error.HTTPError as refused:
                return refused.code, refused.read()

        status, body = post("/api/request-challenge")
        challenge = json.loads(body)
        target = int(challenge["target"], 16)
        nonce = next(n for n in range(10 ** 7)
                     if int(hashlib.sha256((challenge["prefix"] + str(n)).encode()).hexdigest(), 16) <= target)
        fields = json.dumps({"trackName": "T", "artistName": "A", "albumName": "", "duration": 10,
                             "plainLyrics": "x", "syncedLyrics": "[00:01.00]x"}).encode()
        token = "%s:%d" % (challenge["prefix"], nonce)
        self.assertEqual(post("/api/publish", "%s:%d" % (challenge["prefix"], nonce + 1), fields)[0], 400)
        self.assertEqual(post("/api/publish", "unknown:%d" % nonce, fields)[0], 400)
        self.assertEqual(post("/api/publish", token, fields)[0], 201)
        self.assertEqual(post("/api/publish", token, fields)[0], 400, "a token works once")


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--zorlyrics", required=True)
    parser.add_argument("--standin", required=True)
    parser.add_argument("--records", required=True)
    parser.add_argument("group", choices=("http", "https", "faults", "publish"))
    ARGS, rest = parser.parse_known_args()
    group = {"http": Http, "https": Https, "faults": Faults, "publish": Publish}[ARGS.group]
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(group)
    outcome = unittest.TextTestRunner(verbosity=2).run(suite)
    return 0 if outcome.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
