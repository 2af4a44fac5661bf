#!/usr/bin/env python3
"""A scripted HTTP and HTTPS server on loopback for the web client's tests.

Every request is recorded exactly as received (request line, header lines,
body) in STATE/requests.log. The answer is scripted by the query string:

  status=N        status code (default 200)
  header=LINE     a header line to send, URL-encoded; repeatable, kept in order
  fill=N          N letters of extra header lines "X-Fill-k: fff...", 1000 a line
  bytes=N         a body of N bytes, byte i being i % 251 (NUL included)
  text=T          the body T
                  (without bytes or text: the raw request itself, so the test
                  sees what went over the wire)
  chunked=1       send the body with chunked transfer encoding
  truncate=N      announce the whole body but close after N bytes of it
  reset=N         announce the whole body but reset the connection after N
                  bytes of it
  stall=TAG       stall, writing STATE/stalled/TAG; phase=headers stalls before
                  anything is sent, phase=body after the header block and
                  100 body bytes. The stall lasts until the client goes away,
                  then STATE/stalled/TAG.closed is written.

A request in absolute form ("GET http://host/path HTTP/1.1", as sent to a
proxy) is answered the same way, so the server is its own proxy.

The ports chosen by the system are written to STATE/ports.txt, one
"name port" line each: http, https, and closed (a port bound but never
listening, so connecting to it is refused). The server ends on SIGTERM or
after --idle-exit seconds without a request.
"""

import argparse
import os
import select
import signal
import socket
import ssl
import struct
import sys
import threading
import time
import urllib.parse

MAX_HEADER_BLOCK = 1 << 20
STALL_LIMIT_SECONDS = 300

last_activity = time.monotonic()
log_lock = threading.Lock()


def pattern_bytes(count):
    unit = bytes(range(251))
    return (unit * (count // 251 + 1))[:count]


def read_request(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(65536)
        if not chunk:
            return None
        data += chunk
        if len(data) > MAX_HEADER_BLOCK:
            return None
    head, _, rest = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value.strip() or b"0")
    while len(rest) < length:
        chunk = conn.recv(65536)
        if not chunk:
            break
        rest += chunk
    return head + b"\r\n\r\n" + rest


def request_target(raw):
    request_line = raw.split(b"\r\n", 1)[0].decode("latin-1")
    parts = request_line.split(" ")
    target = parts[1] if len(parts) > 1 else "/"
    if "://" in target:  # absolute form, as sent to a proxy
        target = "/" + target.split("://", 1)[1].partition("/")[2]
    return urllib.parse.urlsplit(target)


def record(state, scheme, raw):
    with log_lock:
        with open(os.path.join(state, "requests.log"), "ab") as log:
            log.write(b"==== %s %d bytes\r\n" % (scheme.encode(), len(raw)) + raw + b"\r\n")


def touch(path):
    with open(path, "wb"):
        pass


def wait_until_client_leaves(conn):
    deadline = time.monotonic() + STALL_LIMIT_SECONDS
    while time.monotonic() < deadline:
        readable, _, _ = select.select([conn], [], [], 0.2)
        if not readable:
            continue
        try:
            if not conn.recv(4096):
                return
        except (OSError, ssl.SSLError):
            return


def answer(conn, raw, state):
    url = request_target(raw)
    query = urllib.parse.parse_qs(url.query, keep_blank_values=True, encoding="latin-1")

    def first(name, default=None):
        return query[name][0] if name in query else default

    status = int(first("status", "200"))
    if "bytes" in query:
        body = pattern_bytes(int(first("bytes")))
    elif "text" in query:
        body = first("text").encode("latin-1")
    else:
        body = raw
    lines = [b"HTTP/1.1 %d Scripted" % status]
    lines += [line.encode("latin-1") for line in query.get("header", [])]
    fill = int(first("fill", "0"))
    for number, start in enumerate(range(0, fill, 1000)):  # short lines: Wine cuts long ones
        lines.append(b"X-Fill-%d: " % number + b"f" * min(1000, fill - start))
    chunked = first("chunked") == "1"
    lines.append(b"Transfer-Encoding: chunked" if chunked else b"Content-Length: %d" % len(body))
    lines.append(b"Connection: close")
    head = b"\r\n".join(lines) + b"\r\n\r\n"

    stall = first("stall")
    if stall:
        marker = os.path.join(state, "stalled", os.path.basename(stall))
        if first("phase") == "body":
            conn.sendall(head + body[:100])
        touch(marker)
        wait_until_client_leaves(conn)
        touch(marker + ".closed")
        return
    if chunked:
        payload = b"".join(b"%x\r\n%s\r\n" % (len(body[i:i + 4000]), body[i:i + 4000])
                           for i in range(0, len(body), 4000)) + b"0\r\n\r\n"
    else:
        payload = body
    if "truncate" in query:
        payload = payload[:int(first("truncate"))]
    if "reset" in query:
        conn.sendall(head + payload[:int(first("reset"))])
        time.sleep(0.2)  # the bytes sent arrive before the reset does
        conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        return
    conn.sendall(head + payload)


def serve_connection(conn, scheme, state, tls):
    global last_activity
    try:
        if tls is not None:
            conn = tls.wrap_socket(conn, server_side=True)
        raw = read_request(conn)
        if raw is None:
            return
        last_activity = time.monotonic()
        record(state, scheme, raw)
        answer(conn, raw, state)
    except (OSError, ssl.SSLError, ValueError):
        pass
    finally:
        try:
            conn.close()
        except OSError:
            pass


def accept_loop(listener, scheme, state, tls):
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=serve_connection, args=(conn, scheme, state, tls),
                         daemon=True).start()


def listen_on_loopback():
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(64)
    return listener


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--state", required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--idle-exit", type=float, default=600)
    args = parser.parse_args()
    os.makedirs(os.path.join(args.state, "stalled"), exist_ok=True)

    tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    tls.load_cert_chain(args.cert, args.key)
    plain, secure = listen_on_loopback(), listen_on_loopback()
    refused = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    refused.bind(("127.0.0.1", 0))  # bound, never listening: connections are refused

    for listener, scheme, context in ((plain, "http", None), (secure, "https", tls)):
        threading.Thread(target=accept_loop, args=(listener, scheme, args.state, context),
                         daemon=True).start()

    ports = os.path.join(args.state, "ports.txt")
    with open(ports + ".tmp", "w") as out:
        out.write("http %d\nhttps %d\nclosed %d\n" % (plain.getsockname()[1],
                                                     secure.getsockname()[1],
                                                     refused.getsockname()[1]))
    os.replace(ports + ".tmp", ports)

    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    while time.monotonic() - last_activity < args.idle_exit:
        time.sleep(0.5)


if __name__ == "__main__":
    main()
