#!/usr/bin/env python3
"""Substitute marketplace: the HTTPS shop search ("/search") and the plain-HTTP
IM presence service ("/muliuserstatus.aw"), on loopback.

    marketplace.py --cert server.pem --key server.key [--search-port 8443]
                   [--presence-port 8080] [--ports-file F] [--log F]
                   [--latency-ms N] [--hold-file F] [--seed N] [--shops F]
                   [--mode NAME] [--mode-file F] [--no-delay]
                   [--arrival-log F]

Port 0 lets the system choose; the ports file then tells them ("search P" and
"presence P", one a line, written once both listen). The log receives every
request head exactly as it arrived (request line and header lines, ended by
an empty line), in arrival order, before the answer is sent. While the hold
file exists, answers wait (up to a minute), so a test can catch a request in
flight; a hold file that reads "only TEXT" holds only the requests whose
path contains TEXT. --no-delay sends every answer at once (TCP_NODELAY): otherwise the
body, written after the head, waits for the client's delayed acknowledgement
(about 40 ms a request under Wine), which a benchmark would measure instead
of the program. Runs until SIGTERM or SIGINT.

The search keyword and province arrive as local-code-page (GBK) bytes, not
percent-encoded; a shop lookup by seller id ("q" only) and the presence id
arrive percent-encoded UTF-8.

A mode makes the services hostile (hostile_pages.MODES lists them):
--mode sets it for the whole run; the mode file, when it exists, names the
mode of every answer given while it does ("normal" or empty: none), so a
test can change it between searches.
"""

import argparse
import os
import signal
import socket
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import unquote_to_bytes

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import hostile_pages  # noqa: E402
import marketplace_data  # noqa: E402
import marketplace_pages  # noqa: E402

HOLD_LIMIT_SECONDS = 60
NOT_FOUND = hostile_pages.Answer(b"not found", status=404)
FILLER_BYTES = 300_000


def raw_query(path_bytes):
    """The query's keys and values as raw bytes, in order, undecoded."""
    _, _, query = path_bytes.partition(b"?")
    pairs = []
    for part in query.split(b"&"):
        key, _, value = part.partition(b"=")
        pairs.append((key, value))
    return dict(pairs)


def gbk_text(raw):
    # Spaces may come escaped by the client's HTTP stack; other bytes are raw.
    return unquote_to_bytes(raw).decode("gbk", errors="replace")


def utf8_text(raw):
    return unquote_to_bytes(raw).decode("utf-8", errors="replace")


class RecordingReader:
    """Wraps the request stream and keeps the bytes of the current head."""

    def __init__(self, stream):
        self._stream = stream
        self.head = bytearray()

    def readline(self, *args):
        line = self._stream.readline(*args)
        self.head += line
        return line

    def read(self, *args):
        return self._stream.read(*args)

    def __getattr__(self, name):
        return getattr(self._stream, name)


class Marketplace:
    def __init__(self, options):
        self.options = options
        self.data = marketplace_data.Dataset(options.seed, options.shops)
        self.filler = marketplace_pages.filler(options.seed, FILLER_BYTES)
        self._log_lock = threading.Lock()

    def record(self, head):
        arrived = time.monotonic()
        with self._log_lock:
            if self.options.log:
                with open(self.options.log, "ab") as log:
                    log.write(head)
            if self.options.arrival_log:
                with open(self.options.arrival_log, "ab") as log:
                    log.write(b"%.6f %s\n" % (arrived, head.split(b"\r\n", 1)[0]))

    def delay(self, path):
        if self.options.latency_ms:
            time.sleep(self.options.latency_ms / 1000)
        if self.options.hold_file:
            deadline = time.monotonic() + HOLD_LIMIT_SECONDS
            while self.holds(path) and time.monotonic() < deadline:
                time.sleep(0.02)

    def holds(self, path):
        try:
            with open(self.options.hold_file, "rb") as f:
                hold = f.read().strip()
        except OSError:
            return False
        return not hold.startswith(b"only ") or hold[5:] in path

    def mode(self):
        if self.options.mode_file:
            try:
                with open(self.options.mode_file) as f:
                    return f.read().strip() or "normal"
            except OSError:
                pass
        return self.options.mode

    def search_answer(self, query):
        """The answer's status, body bytes and how they are delivered."""
        if b"loc" not in query and b"sort" not in query:
            nick = utf8_text(query.get(b"q", b""))
            return hostile_pages.lookup_answer(self.mode(), marketplace_pages.shop_lookup_page(nick, self.filler))
        listing = self.data.listing(gbk_text(query.get(b"q", b"")), gbk_text(query.get(b"loc", b"")))
        offset = query.get(b"s", b"0")
        probe = b"s" not in query
        offset = int(offset) if offset.isdigit() else -1
        return hostile_pages.search_answer(self.mode(), listing, offset, probe, self.filler, self.options.seed)

    def presence_answer(self, query):
        nick = utf8_text(query.get(b"uids", b""))
        text = marketplace_pages.presence_answer(self.data.presence(nick))
        return hostile_pages.presence_answer(self.mode(), text, self.filler)


def handler_for(market, service):
    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"
        server_version = "market/1.0"

        def setup(self):
            if market.options.no_delay:
                self.request.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            super().setup()
            self.rfile = RecordingReader(self.rfile)

        def handle_one_request(self):
            self.rfile.head = bytearray()
            super().handle_one_request()

        def log_message(self, *args):
            pass

        def do_GET(self):
            market.record(bytes(self.rfile.head))
            path = self.path.encode("iso-8859-1")  # the request line's bytes, as sent
            route = path.partition(b"?")[0]
            if service == "search" and route == b"/search":
                answer = market.search_answer(raw_query(path))
            elif service == "presence" and route == b"/muliuserstatus.aw":
                answer = market.presence_answer(raw_query(path))
            else:
                answer = NOT_FOUND
            market.delay(path)
            self.deliver(answer)

        def do_POST(self):
            market.record(bytes(self.rfile.head))
            self.deliver(NOT_FOUND)

        def deliver(self, answer):
            kind = "text/html" if service == "search" else "text/javascript"
            self.send_response(answer.status)
            self.send_header("Content-Type", kind + "; charset=utf-8")
            if answer.delivery == "drip-chunked":
                self.send_header("Transfer-Encoding", "chunked")
            else:
                self.send_header("Content-Length", str(answer.length or len(answer.body)))
            self.end_headers()
            if answer.delivery == "whole":
                self.wfile.write(answer.body)
            elif answer.delivery == "reset":
                self.wfile.write(answer.body[:answer.cut])
                self.wfile.flush()
                time.sleep(0.2)  # what was sent arrives before the reset does
                hostile_pages.reset_connection(self.connection)
                self.close_connection = True
            elif answer.delivery == "stall":
                hostile_pages.pause(self.wfile, answer.body, answer.cut)
                self.close_connection = True
            else:
                hostile_pages.drip(self.wfile, answer.body, chunked=answer.delivery == "drip-chunked")
                self.close_connection = True

    return Handler


class QuietServer(ThreadingHTTPServer):
    """A client that hangs up early (a stopped search) is no error here."""
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass


class TlsServer(QuietServer):
    """Does each TLS handshake on the connection's own thread."""

    def __init__(self, address, handler, context):
        super().__init__(address, handler)
        self.context = context

    def finish_request(self, request, client_address):
        try:
            request = self.context.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError):
            return
        super().finish_request(request, client_address)


class PlainServer(QuietServer):
    pass


def write_ports(path, search_port, presence_port):
    temporary = path + ".tmp"
    with open(temporary, "w") as f:
        f.write("search %d\npresence %d\n" % (search_port, presence_port))
    os.replace(temporary, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--search-port", type=int, default=8443)
    parser.add_argument("--presence-port", type=int, default=8080)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--ports-file")
    parser.add_argument("--log")
    parser.add_argument("--latency-ms", type=int, default=0)
    parser.add_argument("--hold-file")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--shops")
    parser.add_argument("--mode", default="normal", choices=hostile_pages.MODES)
    parser.add_argument("--mode-file")
    parser.add_argument("--no-delay", action="store_true")
    parser.add_argument("--arrival-log")
    options = parser.parse_args()

    market = Marketplace(options)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(options.cert, options.key)
    search = TlsServer((options.host, options.search_port), handler_for(market, "search"), context)
    presence = PlainServer((options.host, options.presence_port), handler_for(market, "presence"))
    for server in (search, presence):
        threading.Thread(target=server.serve_forever, daemon=True).start()
    if options.ports_file:
        write_ports(options.ports_file, search.server_address[1], presence.server_address[1])

    finished = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: finished.set())
    signal.signal(signal.SIGINT, lambda *_: finished.set())
    finished.wait()
    for server in (search, presence):
        server.shutdown()
        server.server_close()


if __name__ == "__main__":
    main()
