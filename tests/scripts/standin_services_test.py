#!/usr/bin/env python3
"""The local stand-in of the maker's web services: its routes and its request log."""
import hashlib
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.error
import urllib.request
import xml.etree.ElementTree as ElementTree

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "standin_services.py")


def signature_verifies(private_key, message, signature):
    """Whether the manifest's signature text (r then s, hexadecimal) signs message for the key."""
    def integer(value):
        data = value.to_bytes(33, "big").lstrip(b"\0") or b"\0"
        data = b"\0" + data if data[0] & 0x80 else data
        return b"\x02" + bytes([len(data)]) + data
    with tempfile.TemporaryDirectory() as folder:
        body = integer(int(signature[:64], 16)) + integer(int(signature[64:], 16))
        der, public = os.path.join(folder, "signature.der"), os.path.join(folder, "public.pem")
        with open(der, "wb") as f:
            f.write(b"\x30" + bytes([len(body)]) + body)
        subprocess.run(["openssl", "ec", "-in", private_key, "-pubout", "-out", public], check=True,
                       stderr=subprocess.DEVNULL)
        return subprocess.run(["openssl", "dgst", "-sha256", "-verify", public, "-signature", der], input=message,
                              stdout=subprocess.DEVNULL).returncode == 0


class StandIn:
    """One stand-in process on a free loopback port, with its request log in folder."""

    def __init__(self, folder, *args):
        self.log = os.path.join(folder, "requests.jsonl")
        port_file = os.path.join(folder, "port")
        self.process = subprocess.Popen([sys.executable, SCRIPT, port_file, "--log", self.log, *args],
                                        stdout=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(port_file):
                break
            time.sleep(0.05)
        with open(port_file) as f:
            self.base = "http://127.0.0.1:%s" % f.read()

    def get(self, path):
        with urllib.request.urlopen(self.base + path, timeout=10) as response:
            return response.status, response.headers, response.read()

    def records(self, until):
        """The log's records once until(records) holds; a record is written after its answer is sent."""
        records = []
        for _ in range(100):
            if os.path.exists(self.log):
                with open(self.log, encoding="utf-8") as f:
                    records = [json.loads(line) for line in f]
            if until(records):
                break
            time.sleep(0.05)
        return records

    def stop(self):
        self.process.terminate()
        self.process.wait(10)


class StandInServicesTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        build = cls.folder.name
        cls.package = os.urandom(300000)
        with open(os.path.join(build, "Sorvik_Setup.exe"), "wb") as f:
            f.write(cls.package)
        cls.key = os.path.join(build, "update_key.pem")
        subprocess.run(["openssl", "ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", cls.key], check=True)
        with open(os.path.join(build, "release.json"), "w") as f:
            json.dump({"version": "1.1.06.06", "package": "Sorvik_Setup.exe", "signing_key": cls.key}, f)
        cls.server = StandIn(build, "--release", build, "--force-condition", "1.1.06.05")

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        cls.folder.cleanup()

    def manifest(self, server):
        status, _, body = server.get("/sorvik/update.xml")
        self.assertEqual(200, status)
        root = ElementTree.fromstring(body)
        return root.find("current").attrib, root.find("force").attrib

    def test_manifest_offers_the_release_and_serves_its_verified_package(self):
        current, force = self.manifest(self.server)
        self.assertEqual("1.1.06.06", current["version"])
        self.assertEqual(hashlib.md5(self.package).hexdigest(), current["md5"])
        self.assertEqual("0.29 MB", current["bufsize"])
        self.assertEqual("1.1.06.05", force["condition"])
        self.assertTrue(current["urlauto"].startswith(self.server.base + "/"))
        with urllib.request.urlopen(current["urlauto"], timeout=10) as response:
            self.assertEqual(self.package, response.read())
        for page in (current["urltip"], current["urlmanual"]):
            with urllib.request.urlopen(page, timeout=10) as response:
                self.assertEqual(200, response.status)

    def test_the_offer_is_signed_with_the_release_key(self):
        current, _ = self.manifest(self.server)
        self.assertEqual(hashlib.sha256(self.package).hexdigest(), current["sha256"])
        statement = "VarnioUpdate\n1.1.06.06\n%s\n" % current["sha256"]
        self.assertTrue(signature_verifies(self.key, statement.encode(), current["signature"]))
        self.assertFalse(signature_verifies(self.key, statement.replace("06\n", "07\n", 1).encode(),
                                            current["signature"]))

    def test_without_a_release_nothing_is_offered_for_download(self):
        with tempfile.TemporaryDirectory() as folder:
            server = StandIn(folder, "--offer-version", "1.1.06.05")
            try:
                current, force = self.manifest(server)
            finally:
                server.stop()
        self.assertEqual(("1.1.06.05", "", ""), (current["version"], current["md5"], current["urlauto"]))
        self.assertEqual("", force["condition"])

    def test_services_and_pages_answer(self):
        cases = [
            ("/softwareinstall.do?soft_id=1&do=statinst&act=inst&source=1&uuid=u1", "text/plain", b"ok"),
            ("/softwareactive.do?soft_id=1&uuid=u1&ip=127.0.0.1&version=1.1.06.05", "text/plain", b"ok"),
            ("/api?do=statinst&act=ip", "text/plain", b"127.0.0.1"),
            ("/tool.html", "text/html", None),
            ("/youhuafeedback.html", "text/html", None),
            ("/plugin.html", "text/html", None),
        ]
        for path, kind, body in cases:
            status, headers, data = self.server.get(path)
            self.assertEqual(200, status, path)
            self.assertEqual(kind + "; charset=utf-8", headers["Content-Type"], path)
            if body is not None:
                self.assertEqual(body, data, path)
        with self.assertRaises(urllib.error.HTTPError) as missing:
            self.server.get("/nothing/here")
        self.assertEqual(404, missing.exception.code)

    def test_speed_test_payload_is_streamed_and_outlasts_the_client(self):
        status, _, data = self.server.get("/speedtest/payload.bin?size=3000000")
        self.assertEqual((200, 3000000), (status, len(data)))
        with urllib.request.urlopen(self.server.base + "/speedtest/payload.bin", timeout=10) as response:
            self.assertGreaterEqual(int(response.headers["Content-Length"]), 60 << 30)
            self.assertEqual(8 << 20, len(response.read(8 << 20)))
        # The server goes on after a client that hung up in the middle.
        self.assertEqual(200, self.server.get("/api?do=statinst&act=ip")[0])

    def test_every_request_is_in_the_log(self):
        self.server.get("/softwareactive.do?soft_id=1&uuid=logged&pkgname=Sorvik_Setup.exe")
        with self.assertRaises(urllib.error.HTTPError):
            self.server.get("/missing?x=1")
        records = self.server.records(lambda rs: {"/softwareactive.do", "/missing"} <= {r["path"] for r in rs})
        active = [r for r in records if r["query"].get("uuid") == ["logged"]]
        self.assertEqual(1, len(active))
        self.assertEqual(("GET", "/softwareactive.do", 200, 2),
                         (active[0]["method"], active[0]["path"], active[0]["status"], active[0]["bytes"]))
        self.assertEqual(["Sorvik_Setup.exe"], active[0]["query"]["pkgname"])
        self.assertIn(("/missing", 404), [(r["path"], r["status"]) for r in records])


if __name__ == "__main__":
    unittest.main()
