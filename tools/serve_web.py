#!/usr/bin/env python3
"""Serves the browser build on 127.0.0.1, for ./play --web and the web tier.

    serve_web.py FOLDER [PORT]    (PORT 0 or none: any free port)

Prints "serving http://127.0.0.1:PORT/" once it listens. A file with a
precompressed copy beside it (FILE.br, FILE.gz, made by the build) is sent
as that copy when the browser accepts its encoding: the data and the program
shrink to a fraction over the wire. Every answer is revalidated
(Cache-Control: no-cache), so the offline page's worker copies what the
browser holds without downloading it again, and never keeps an old build.
"""
import email.utils
import http.server
import os
import sys

# The encodings we precompress, best first, with the suffix of their copy.
ENCODINGS = (("br", ".br"), ("gzip", ".gz"))
TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript",
    ".wasm": "application/wasm",
    ".data": "application/octet-stream",
    ".webmanifest": "application/manifest+json",
    ".png": "image/png",
}


def accepted_encodings(header):
    """The content codings an Accept-Encoding header allows (q=0 refuses)."""
    accepted = set()
    for part in header.split(","):
        name, *parameters = [field.strip() for field in part.split(";")]
        quality = next((field[2:] for field in parameters if field.startswith("q=")), "1")
        try:
            if name and float(quality) > 0:
                accepted.add(name.lower())
        except ValueError:
            pass  # a malformed quality accepts nothing
    return accepted


class Handler(http.server.SimpleHTTPRequestHandler):
    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path) and self.path.partition("?")[0].endswith("/"):
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path):
            return super().send_head()
        accepted = accepted_encodings(self.headers.get("Accept-Encoding", ""))
        encoding, sent = next(((name, path + suffix) for name, suffix in ENCODINGS
                               if name in accepted and os.path.isfile(path + suffix)), (None, path))
        body = open(sent, "rb")
        status = os.fstat(body.fileno())
        modified = email.utils.formatdate(status.st_mtime, usegmt=True)
        if self.headers.get("If-Modified-Since") == modified:
            body.close()
            self.send_response(304)
            self.send_common_headers(modified)
            self.end_headers()
            return None
        self.send_response(200)
        self.send_header("Content-Type", TYPES.get(os.path.splitext(path)[1], "application/octet-stream"))
        self.send_header("Content-Length", str(status.st_size))
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_common_headers(modified)
        self.end_headers()
        return body

    def send_common_headers(self, modified):
        self.send_header("Last-Modified", modified)
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")

    def log_message(self, format, *args):
        pass  # a page load is dozens of lines nobody reads


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: serve_web.py FOLDER [PORT]")
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) == 3 else 0
    handler = lambda *args: Handler(*args, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"serving http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
