"""Mail servers on loopback for the tests of report mailing.

sink: Debian's aiosmtpd, keeping every message it receives in a folder, as received.
faults: a server of our own (standard library only) that misbehaves in a planned way, one
behaviour for each connection it accepts, in order.
"""
import os
import socket
import threading


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Sink:
    """aiosmtpd on a free port; message N is written to DIR/N.eml."""

    def __init__(self, folder):
        from aiosmtpd.controller import Controller

        self.folder = folder
        self.count = 0
        self.recipients = []
        sink = self

        class Handler:
            async def handle_DATA(self, server, session, envelope):
                sink.count += 1
                sink.recipients.append(list(envelope.rcpt_tos))
                path = os.path.join(sink.folder, "%d.eml" % sink.count)
                with open(path, "wb") as f:
                    f.write(envelope.original_content)
                return "250 OK"

        self.port = free_port()
        self.controller = Controller(Handler(), hostname="127.0.0.1", port=self.port)

    def __enter__(self):
        self.controller.start()
        return self

    def __exit__(self, *exc):
        self.controller.stop()


def _lines(conn):
    """The client's lines, CR LF taken off; None when it hung up."""
    buffer = b""
    while True:
        while b"\r\n" in buffer:
            line, buffer = buffer.split(b"\r\n", 1)
            yield line
        try:
            chunk = conn.recv(65536)
        except OSError:
            return
        if not chunk:
            return
        buffer += chunk


def _serve(conn, plan):
    """One connection. plan names what goes wrong; everything else is a well-behaved server."""
    send = conn.sendall
    if plan == "silent":
        # Accepts and never says a word; the client must give up by itself.
        for _ in _lines(conn):
            pass
        return
    if plan == "greeting421":
        send(b"421 closing down\r\n")
        return
    if plan == "garbage":
        send(b"\x00\x01\x02\x03\x04\r\n")
        return
    if plan == "longline":
        # Ten megabytes without a line end: the client must stop reading long before.
        try:
            send(b"2" * (10 * 1024 * 1024))
        except OSError:
            pass
        return
    if plan == "multiline":
        send(b"220-mail.test ESMTP\r\n220-second line\r\n 220 continued\r\n220 ready\r\n")
    else:
        send(b"220 mail.test ready\r\n")
    lines = _lines(conn)
    in_data = False
    taken = 0
    for line in lines:
        if in_data:
            taken += len(line) + 2
            if plan == "hangup" and taken > 20000:
                return  # closed in the middle of the message data
            if line == b".":
                in_data = False
                send(b"554 message rejected\r\n" if plan == "dot554" else b"250 queued\r\n")
            continue
        verb = line.split(b" ", 1)[0].upper()
        if verb == b"HELO":
            if plan == "helo502":
                send(b"502 command not implemented\r\n")
            elif plan == "multiline":
                send(b"250-mail.test hello\r\n250 pleased\r\n")
            else:
                send(b"250 hello\r\n")
        elif verb == b"RCPT" and plan == "rcpt550" and b"cc@" in line:
            send(b"550 no such user\r\n")
        elif verb == b"DATA":
            if plan == "data451":
                send(b"451 local error\r\n")
            else:
                in_data = True
                send(b"354 go ahead\r\n")
        elif verb in (b"RSET", b"MAIL", b"RCPT", b"NOOP"):
            send(b"250 ok\r\n")
        elif verb == b"QUIT":
            send(b"221 bye\r\n")
            return
        else:
            send(b"500 what\r\n")


class FaultServer:
    """Accepts connections on a free port, serving each with the next plan of the list."""

    def __init__(self, plans):
        self.plans = list(plans)
        self.served = []
        self.listener = socket.socket()
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(8)
        self.port = self.listener.getsockname()[1]
        self.thread = threading.Thread(target=self._run, daemon=True)

    def _run(self):
        while self.plans:
            try:
                conn, _ = self.listener.accept()
            except OSError:
                return
            plan = self.plans.pop(0)
            self.served.append(plan)
            threading.Thread(target=self._one, args=(conn, plan), daemon=True).start()

    def _one(self, conn, plan):
        with conn:
            _serve(conn, plan)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.listener.close()


def make_certificates(folder):
    """A test certificate authority with a server certificate for 127.0.0.1 signed by it, and a
    self-signed server certificate; returns their paths."""
    import subprocess

    def run(*args):
        subprocess.run(["openssl", *args], check=True, capture_output=True)

    p = {name: os.path.join(folder, name) for name in
         ("ca.key", "ca.pem", "server.key", "server.csr", "server.pem", "ext.cnf", "self.key",
          "self.pem")}
    run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", p["ca.key"], "-out",
        p["ca.pem"], "-days", "2", "-subj", "/CN=Ardentix test authority")
    run("req", "-newkey", "rsa:2048", "-nodes", "-keyout", p["server.key"], "-out",
        p["server.csr"], "-subj", "/CN=127.0.0.1")
    with open(p["ext.cnf"], "w") as f:
        f.write("subjectAltName=IP:127.0.0.1\n")
    run("x509", "-req", "-in", p["server.csr"], "-CA", p["ca.pem"], "-CAkey", p["ca.key"],
        "-CAcreateserial", "-out", p["server.pem"], "-days", "2", "-extfile", p["ext.cnf"])
    run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", p["self.key"], "-out",
        p["self.pem"], "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
        "subjectAltName=IP:127.0.0.1")
    return p


def fingerprint(pem_path):
    """The SHA-256 fingerprint of a certificate, in lower-case hexadecimal."""
    import hashlib
    import ssl
    with open(pem_path) as f:
        return hashlib.sha256(ssl.PEM_cert_to_DER_cert(f.read())).hexdigest()


class SecureSink(Sink):
    """aiosmtpd with encryption and log-in: tls "starttls" (offered and required), "implicit"
    (TLS from the first byte) or None (no encryption offered); a log-in succeeds with the given
    user and password. Every log-in attempt is kept in logins as (user, password, encrypted)."""

    def __init__(self, folder, cert, key, tls, user=b"desk", password=b"right"):
        import ssl
        from aiosmtpd.controller import Controller
        from aiosmtpd.smtp import AuthResult, LoginPassword

        super().__init__(folder)
        self.logins = []
        sink = self

        def authenticate(server, session, envelope, mechanism, data):
            # A refusal must be marked unhandled for aiosmtpd to answer it with 535.
            if not isinstance(data, LoginPassword):
                return AuthResult(success=False, handled=False)
            # A server of TLS from the first byte hears nothing unencrypted.
            encrypted = session.ssl is not None or tls == "implicit"
            sink.logins.append((data.login, data.password, encrypted, mechanism))
            ok = data.login == user and data.password == password
            return AuthResult(success=ok, handled=ok)

        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(cert, key)
        options = {"authenticator": authenticate}
        if tls == "starttls":
            options.update(tls_context=context, require_starttls=True)
        elif tls == "implicit":
            options.update(ssl_context=context, auth_require_tls=False)
        else:
            options.update(auth_require_tls=False)
        handler = self.controller.handler
        self.controller = Controller(handler, hostname="127.0.0.1", port=self.port, **options)
