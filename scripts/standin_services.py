#!/usr/bin/env python3
"""A local stand-in for the maker's web services, for running the programs on a development machine.

Serves on 127.0.0.1 only: the statistics paths, the public-address lookup, an update manifest that offers
nothing newer than the given version, its release notes and the tools page. Prints every request it sees.
Usage: standin_services.py PORT_FILE [--version 1.0.0.1]
Writes the chosen port to PORT_FILE once it listens, then serves until killed.
"""
import argparse
import http.server
import sys
import urllib.parse

PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>{title}</title></head>
<body style="font-family: sans-serif"><h3>{title}</h3><p>{body}</p></body></html>"""


def make_handler(version, base):
    manifest = (
        '<?xml version="1.0" encoding="utf-8"?>\n<update>\n'
        f'  <current version="{version}" md5="" releasetime="" urlauto="" urlmanual="{base}/download.html" '
        f'urltip="{base}/notes.html" bufsize="0 MB"/>\n'
        '  <force condition=""/>\n</update>\n')
    routes = {
        "/softwareinstall.do": ("text/plain", "ok"),
        "/softwareactive.do": ("text/plain", "ok"),
        "/api": ("text/plain", "127.0.0.1"),
        "/update.xml": ("text/xml", manifest),
        "/notes.html": ("text/html", PAGE.format(title="更新说明", body="本地替身服务：没有新版本。")),
        "/download.html": ("text/html", PAGE.format(title="下载", body="本地替身服务：没有可下载的安装包。")),
        "/tool.html": ("text/html", PAGE.format(title="工具", body="本地替身服务提供的工具页面。")),
    }

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def do_GET(self):
            path = urllib.parse.urlsplit(self.path).path
            kind, body = routes.get(path, ("text/plain", None))
            data = (body if body is not None else "not found").encode("utf-8")
            self.send_response(200 if body is not None else 404)
            self.send_header("Content-Type", kind + "; charset=utf-8")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def log_message(self, fmt, *args):
            sys.stdout.write("stand-in: %s\n" % (fmt % args))
            sys.stdout.flush()

    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("port_file")
    parser.add_argument("--version", default="1.0.0.1")
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), None)
    server.RequestHandlerClass = make_handler(args.version, "http://127.0.0.1:%d" % server.server_address[1])
    with open(args.port_file, "w") as f:
        f.write(str(server.server_address[1]))
    server.serve_forever()


if __name__ == "__main__":
    main()
