"""A learning record store for the tests, on loopback.

    lrs_server.py DIR KEY SECRET

Listens on 127.0.0.1 at a free port and writes it to DIR/port. Takes POST /xapi/statements
with HTTP Basic KEY:SECRET, X-Experience-API-Version 1.0.3 and a JSON statement with an id:
a new id is kept (200 and the ids), an id it has already 409. Everything else is refused (401
for the authorization, 400 for the rest) and noted in DIR/refused.txt. DIR/mode, read at each
request, makes it fail: "500" answers 500 without keeping the statement, "slow" keeps it and
answers only after 3 s. Every post taken is appended to DIR/received.jsonl, the kept ones to
DIR/kept.jsonl, one line each.
"""
import base64
import http.server
import json
import os
import sys
import threading
import time

DIR, KEY, SECRET = sys.argv[1], sys.argv[2], sys.argv[3]
lock = threading.Lock()
kept = set()


def note(name, line):
    with lock, open(os.path.join(DIR, name), "a", encoding="utf-8") as f:
        f.write(line + "\n")


def mode():
    try:
        with open(os.path.join(DIR, "mode"), encoding="utf-8") as f:
            return f.read().strip()
    except FileNotFoundError:
        return "ok"


class Store(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def answer(self, status, body=b""):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Content-Type", "application/json")
        self.end_headers()
        self.wfile.write(body)

    def refuse(self, status, why):
        note("refused.txt", why)
        self.answer(status, json.dumps({"message": why}).encode())

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        expected = "Basic " + base64.b64encode(f"{KEY}:{SECRET}".encode()).decode()
        if self.headers.get("Authorization") != expected:
            return self.refuse(401, "authorization: %s" % self.headers.get("Authorization"))
        if self.path != "/xapi/statements":
            return self.refuse(400, "path: " + self.path)
        if self.headers.get("X-Experience-API-Version") != "1.0.3":
            return self.refuse(400, "version: %s" % self.headers.get("X-Experience-API-Version"))
        if not self.headers.get("Content-Type", "").startswith("application/json"):
            return self.refuse(400, "content type: %s" % self.headers.get("Content-Type"))
        try:
            statement = json.loads(body)
            sid = statement["id"]
        except (ValueError, KeyError, TypeError):
            return self.refuse(400, "body: %r" % body[:200])
        note("received.jsonl", json.dumps(statement))
        now = mode()
        if now == "500":
            return self.answer(500, b'{"message": "down for maintenance"}')
        with lock:
            known = sid in kept
            kept.add(sid)
        if known:
            return self.answer(409, b'{"message": "statement id exists"}')
        note("kept.jsonl", json.dumps(statement))
        if now == "slow":
            time.sleep(3)
        self.answer(200, json.dumps([sid]).encode())


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Store)
with open(os.path.join(DIR, "port.tmp"), "w") as f:
    f.write(str(server.server_address[1]))
os.rename(os.path.join(DIR, "port.tmp"), os.path.join(DIR, "port"))
server.serve_forever()
