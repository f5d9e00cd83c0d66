"""Loopback servers for the launch-page cases of settings_cli.py, each on a free
port: a page server whose paths answer as a table says and which keeps every
request it gets (also over TLS with a certificate no system trusts), a server
that accepts connections and never answers, and a port where nothing listens."""

import contextlib
import http.server
import os
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time


class Answer:
    """What a path answers: a status, headers and a body; with `pause`, the
    body a byte at a time, that many seconds apart."""

    def __init__(self, status=200, body=b"", headers=(("Content-Type", "text/html"),), pause=None):
        self.status = status
        self.body = body
        self.headers = list(headers)
        self.pause = pause


def page(body, *headers):
    return Answer(200, body, [("Content-Type", "text/html"), *headers])


def redirect(status, location):
    return Answer(status, b"", [("Location", location)])


class PageServer(http.server.ThreadingHTTPServer):
    """Answers the paths of `answers` (404 for any other) and keeps each
    request as (method, path) in `requests`."""

    daemon_threads = True

    def __init__(self, answers):
        self.answers = answers
        self.requests = []
        super().__init__(("127.0.0.1", 0), _Handler)
        self.url = f"http://127.0.0.1:{self.server_address[1]}"

    def handle_error(self, request, client_address):
        """A client that stops reading (as one does at its body limit) is no fault."""
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


class _Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def _answer(self):
        self.server.requests.append((self.command, self.path))
        answer = self.server.answers.get(self.path) if self.command == "GET" else None
        if answer is None:
            answer = Answer(404 if self.command == "GET" else 405, b"no such page")
        self.send_response(answer.status)
        for name, value in answer.headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(answer.body)))
        # As real servers do: a client that asks for the connection to be
        # closed is told so, and it is closed after the answer.
        if self.headers.get("Connection", "").lower() == "close":
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        if answer.pause is None:
            self.wfile.write(answer.body)
            return
        for byte in answer.body:
            self.wfile.write(bytes([byte]))
            self.wfile.flush()
            time.sleep(answer.pause)

    do_GET = do_HEAD = do_POST = do_PUT = do_OPTIONS = _answer

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def page_server(answers, tls=False):
    """A running PageServer for the duration of the block; with `tls`, an
    https one with a certificate of its own that no system trusts."""
    server = PageServer(answers)
    if tls:
        server.socket = _untrusted_context().wrap_socket(server.socket, server_side=True)
        server.url = server.url.replace("http:", "https:", 1)
    with server:
        threading.Thread(target=server.serve_forever, daemon=True).start()
        try:
            yield server
        finally:
            server.shutdown()


@contextlib.contextmanager
def silent_server():
    """The address of a server that accepts every connection and then neither
    reads nor answers, for the duration of the block."""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    held = []
    stop = threading.Event()

    def accept():
        listener.settimeout(0.2)
        while not stop.is_set():
            try:
                connection, _ = listener.accept()
            except OSError:
                continue
            held.append(connection)

    thread = threading.Thread(target=accept, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{listener.getsockname()[1]}"
    finally:
        stop.set()
        thread.join()
        for connection in held:
            connection.close()
        listener.close()


def _untrusted_context():
    """A TLS server context with a new self-signed certificate for 127.0.0.1."""
    with tempfile.TemporaryDirectory(prefix="page-server-") as directory:
        key, certificate = os.path.join(directory, "key.pem"), os.path.join(directory, "certificate.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                        "/CN=127.0.0.1", "-keyout", key, "-out", certificate], check=True, capture_output=True)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(certificate, key)
    return context


def unused_address():
    """An address on a loopback port where nothing listens: one the system
    just gave out and that was closed again."""
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    return f"http://127.0.0.1:{port}"
