#!/usr/bin/env python3
"""Web servers on 127.0.0.1 for the link checking tests and benchmark.

  link_server.py start DIR [N]   serves in the background; writes DIR/ports
  link_server.py stop DIR        ends the servers started with DIR

DIR/ports holds one "name port" line per server: plain1 to plainN (N is 3
unless given) and tls
(a self-signed certificate made now) serve the routes below; silent
accepts connections and never answers; closed is a port nobody listens on.
DIR/counts holds the most requests that were open at once, overall and per
server, and the connections the silent server took: "overall N", "PORT N"
and "silent N" lines, rewritten as they change. A request for /reset (on
any server) starts counting anew. The servers end by themselves after an
hour.
"""
import http.server
import os
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

REDIRECTS = {
    "/moved": (301, "/ok"),
    "/chain": (308, "/chain2"),
    "/chain2": (301, "/ok"),
    "/temp": (302, "/ok"),
    "/loop": (302, "/loop"),
    "/to-ftp": (301, "ftp://127.0.0.1/file"),
}
STATUSES = {"/ok": 200, "/missing": 404, "/gone": 410, "/broken": 500}

lock = threading.Lock()
open_now = {}
counts = {}
counts_file = None


def write_counts():
    with open(counts_file + ".tmp", "w") as out:
        out.write("".join("%s %d\n" % item for item in counts.items()))
    os.replace(counts_file + ".tmp", counts_file)


def count(port, step):
    with lock:
        open_now[port] = open_now.get(port, 0) + step
        open_now["overall"] = open_now.get("overall", 0) + step
        for key in (port, "overall"):
            counts[key] = max(counts.get(key, 0), open_now[key])
        write_counts()


def reset():
    with lock:
        counts.clear()
        write_counts()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, headers=(), body=b""):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command == "GET":
            self.wfile.write(body)

    def route(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/reset":
            reset()
            return self.answer(204)
        port = self.server.server_address[1]
        count(port, 1)
        try:
            if url.path == "/slow":
                time.sleep(int(urllib.parse.parse_qs(url.query).get("ms", ["300"])[0]) / 1000)
                return self.answer(200, body=b"slow")
            if url.path == "/agent":
                return self.answer(200 if self.headers.get("User-Agent", "").startswith("Vellumark/") else 403)
            if url.path == "/no-head":
                return self.answer(405 if self.command == "HEAD" else 200, body=b"page")
            if url.path in REDIRECTS:
                status, target = REDIRECTS[url.path]
                return self.answer(status, [("Location", target)])
            return self.answer(STATUSES.get(url.path, 404), body=b"page")
        finally:
            count(port, -1)

    do_HEAD = do_GET = route


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 64


def silent_server():
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(64)
    held = []

    def accept():
        while True:
            held.append(listener.accept()[0])
            with lock:
                counts["silent"] = counts.get("silent", 0) + 1
                write_counts()

    threading.Thread(target=accept, daemon=True).start()
    return listener


def closed_port():
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    return port


def serve(folder, plain):
    global counts_file
    counts_file = os.path.join(folder, "counts")
    reset()
    ports = {}
    for name in ["plain%d" % n for n in range(1, plain + 1)] + ["tls"]:
        server = Server(("127.0.0.1", 0), Handler)
        if name == "tls":
            key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
            subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                            "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"],
                           check=True, capture_output=True)
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            context.load_cert_chain(cert, key)
            server.socket = context.wrap_socket(server.socket, server_side=True)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        ports[name] = server.server_address[1]
    silent = silent_server()
    ports["silent"] = silent.getsockname()[1]
    ports["closed"] = closed_port()
    with open(os.path.join(folder, "pid"), "w") as out:
        out.write(str(os.getpid()))
    with open(os.path.join(folder, "ports.tmp"), "w") as out:
        out.write("".join("%s %d\n" % item for item in ports.items()))
    os.replace(os.path.join(folder, "ports.tmp"), os.path.join(folder, "ports"))
    time.sleep(3600)


def main():
    command, folder = sys.argv[1], os.path.abspath(sys.argv[2])
    plain = sys.argv[3] if len(sys.argv) > 3 else "3"
    if command == "serve":
        serve(folder, int(plain))
    elif command == "start":
        os.makedirs(folder, exist_ok=True)
        for name in ("ports", "pid"):
            if os.path.exists(os.path.join(folder, name)):
                os.remove(os.path.join(folder, name))
        subprocess.Popen([sys.executable, __file__, "serve", folder, plain], start_new_session=True,
                         stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(300):
            if os.path.exists(os.path.join(folder, "ports")):
                return
            time.sleep(0.05)
        sys.exit("the servers did not start")
    elif command == "stop":
        with open(os.path.join(folder, "pid")) as pid:
            os.kill(int(pid.read()), signal.SIGTERM)


main()
