"""Runs a mail scenario script of this folder against a server on loopback and checks what the
server received.

    run_mail_test.py CASE ARDENTIX_SCRIPT MEDIA_DIR WORK_DIR

CASE is report (aiosmtpd receives a test message and a trainee's results, compared byte for
byte with the message the rules make), secure (aiosmtpd with STARTTLS, TLS and log-in, and
fields beyond ASCII read back with Python's email package), faults (a server that misbehaves in
every planned way) or silent (a server that never answers: the script's time limit ends the
wait).
The script's placeholders @PORT@, @DIR@ (the work folder), @PROG@ (the program folder) and
@FIXTURES@ (the folder of the scenario scripts' shared fixtures, which the scripts include) are
filled in first.
"""
import base64
import datetime
import email.utils
import os
import quopri
import re
import shutil
import subprocess
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import smtp_servers  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(os.path.dirname(HERE), "scenarios", "fixtures")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


def run_script(name, port, script_tool, media, work, places=None, env=None):
    """Runs a script of this folder with its placeholders filled: @PORT@ (or the names of
    places, each given its value), @DIR@, @PROG@ and @FIXTURES@."""
    prog = os.path.join(work, "prog")
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        text = f.read()
    for key, value in (places or {"PORT": port}).items():
        text = text.replace("@%s@" % key, str(value))
    text = text.replace("@DIR@", work).replace("@PROG@", prog).replace("@FIXTURES@", FIXTURES)
    filled = os.path.join(work, name)
    with open(filled, "w", encoding="utf-8") as f:
        f.write(text)
    started = time.monotonic()
    run = subprocess.run([script_tool, "--media", media, "--keep", prog, filled],
                         capture_output=True, text=True, timeout=120,
                         env=dict(os.environ, **(env or {})))
    print(run.stdout, run.stderr)
    return run, time.monotonic() - started


# --- The message as the rules make it, built here on its own. ---------------------------------

UU_TABLE = "`" + "".join(chr(c) for c in range(33, 96))
B64_TABLE = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def encode(data, uu):
    lines = []
    table = UU_TABLE if uu else B64_TABLE
    for start in range(0, len(data), 45):
        block = data[start:start + 45]
        line = UU_TABLE[len(block)] if uu else ""
        for i in range(0, len(block), 3):
            g = block[i:i + 3]
            if len(g) == 3:
                line += (table[g[0] >> 2] + table[((g[0] << 4) | (g[1] >> 4)) & 63] +
                         table[((g[1] << 2) | (g[2] >> 6)) & 63] + table[g[2] & 63])
            elif len(g) == 2:
                line += (table[g[0] >> 2] + table[((g[0] << 4) & 48) | (g[1] >> 4)] +
                         table[(g[1] << 2) & 60]) + ("" if uu else "=")
            else:
                line += table[g[0] >> 2] + table[(g[0] << 4) & 48] + ("" if uu else "==")
        lines.append(line)
    if uu:
        lines.append("`")
    return lines


def uu_decode(lines):
    out = bytearray()
    for line in lines:
        n = UU_TABLE.index(line[0])
        values = [UU_TABLE.index(c) for c in line[1:]]
        bits = bytearray()
        for i in range(0, len(values), 4):
            v = values[i:i + 4] + [0] * (4 - len(values[i:i + 4]))
            bits += bytes([(v[0] << 2 | v[1] >> 4) & 255, (v[1] << 4 | v[2] >> 2) & 255,
                           (v[2] << 6 | v[3]) & 255])
        out += bits[:n]
    return bytes(out)


def mail_date(ms_after_nine):
    """The Date line's value at that time of the script's clock (6 December 2026, UTC)."""
    when = datetime.datetime(2026, 12, 6, 9, tzinfo=datetime.timezone.utc)
    return email.utils.format_datetime(when + datetime.timedelta(milliseconds=ms_after_nine))


MESSAGE_ID = re.compile(rb"Message-ID: <[0-9a-f]{16}\.20261206\d{6}@[a-z0-9.-]+>\r\n")


def without_message_id(received):
    """The message with its Message-ID line (random by nature, checked for its form and that it
    is there once) replaced by "Message-ID: <ID>"."""
    found = MESSAGE_ID.findall(received)
    check(len(found) == 1, "one Message-ID of the right form: %r" % found)
    return MESSAGE_ID.sub(b"Message-ID: <ID>\r\n", received)


def encoded_word(text):
    """One RFC 2047 word, UTF-8 in base64: what a short name or subject beyond ASCII becomes."""
    return "=?UTF-8?B?" + base64.b64encode(text.encode("utf-8")).decode("ascii") + "?="


def message(from_name, from_addr, to, cc, subject, body, attachments, uu, ms_after_nine,
            beyond_ascii=False):
    """The message as the rules make it. beyond_ascii: the From name and subject as encoded
    words, the text in UTF-8 quoted-printable and the file names in RFC 2231's form."""
    boundary = "====================54535" + long_time(ms_after_nine) + "===="
    sender = "%s <%s>" % (encoded_word(from_name), from_addr) if beyond_ascii else \
        "%s<%s>" % (from_name, from_addr)
    header = ["From: " + sender, "To: " + to, "CC: " + cc]
    if subject:
        header.append("Subject: " + (encoded_word(subject) if beyond_ascii else subject))
    header += ["X-Mailer: Ardentix SMTP", "Date: " + mail_date(ms_after_nine), "Message-ID: <ID>",
               "Mime-Version: 1.0",
               "Content-Type: multipart/mixed;" + " " * 19 + "boundary=\"" + boundary + "\""]
    data = ["--" + boundary]
    if beyond_ascii:
        data += ["Content-Type: text/plain;" + " " * 24 + "charset=utf-8",
                 "Content-Transfer-Encoding: quoted-printable", ""]
        data += [quopri.encodestring(line.encode("utf-8")).decode("ascii") for line in body]
    else:
        data += ["Content-Type: text/plain;" + " " * 24 + "charset=us-ascii", ""] + body
    for name, content in attachments:
        if beyond_ascii:
            extended = "UTF-8''" + urllib.parse.quote(name, safe="!#$&+-.^_`|~")
            name_param, file_param = "name*=" + extended, "filename*=" + extended
        else:
            name_param, file_param = "name=\"%s\"" % name, "filename=\"%s\"" % name
        data += ["--" + boundary,
                 "Content-Type: application/octet-stream;" + " " * 10 + name_param,
                 "Content-Transfer-Encoding: " + ("x-uuencode" if uu else "base64"),
                 "Content-Disposition: attachment;" + " " * 17 + file_param, ""]
        data += encode(content, uu)
    data.append("--" + boundary + "--")
    text = "".join(line + "\r\n" for line in header) + "\r\n\r\n"
    text += "".join(line + "\r\n" for line in data)
    return text.encode("ascii" if beyond_ascii else "latin-1")


def long_time(ms_after_nine):
    seconds = 9 * 3600 + ms_after_nine // 1000
    h, m, s = seconds // 3600, seconds // 60 % 60, seconds % 60
    return "%d:%02d:%02d %s" % (h % 12 or 12, m, s, "AM" if h < 12 else "PM")


def printed(stdout, name):
    return [line.split("=", 1)[1] for line in stdout.splitlines() if line.startswith(name + "=")]


def report_case(script_tool, media, work):
    sample = bytes(range(256)) * 3 + bytes([14] * 14) + b"."
    with open(os.path.join(work, "sample.bin"), "wb") as f:
        f.write(sample)
    with smtp_servers.Sink(os.path.join(work)) as sink:
        run, _ = run_script("send_report.scn", sink.port, script_tool, media, work)
    check(run.returncode == 0, "send_report.scn passes")
    times = [int(t) for t in printed(run.stdout, "time")]
    held = printed(run.stdout, "OPTIONSHOLD")
    check(sink.count == 2 and len(times) == 2 and len(held) == 1, "two messages were sent")
    if failures:
        return
    received = [without_message_id(open(os.path.join(work, "%d.eml" % n), "rb").read())
                for n in (1, 2)]
    # The instructor's test: the sample file in UU, the memo's lines, a line with a dot first.
    first = message("Desk", "desk@example.org", "instructor@example.org", "cc@example.org",
                    "AED test results", ["Hello,", ".dotted line", ""],
                    [("sample.bin", sample)], True, times[0])
    check(received[0] == first, "the UU message arrived as composed")
    uu_lines = received[0].decode("latin-1").split("\r\n")
    start = uu_lines.index("Content-Disposition: attachment;" + " " * 17 +
                           "filename=\"sample.bin\"") + 2
    end = next(i for i in range(start, len(uu_lines)) if uu_lines[i].startswith("--"))
    check(uu_decode(uu_lines[start:end]) == sample, "the UU attachment decodes to the file")
    # The trainee's results: the sample file and the results file, both base64.
    results = "".join(line + "\r\n" for line in held[0].split("|")).encode("latin-1")
    second = message("Kim", "desk@example.org", "instructor@example.org", "cc@example.org",
                     "AED test results", ["Results of my test series."],
                     [("sample.bin", sample), ("Kim_12_6.TXT", results)], False, times[1])
    check(received[1] == second, "the results message arrived as composed")
    match = re.search(rb'filename="Kim_12_6.TXT"\r\n\r\n(.*?)\r\n--', received[1], re.S)
    check(match is not None and base64.b64decode(match.group(1).replace(b"\r\n", b"")) == results,
          "the results attachment decodes to the results file")
    check(sink.recipients == [["instructor@example.org", "cc@example.org"]] * 2,
          "both messages went to the To and CC addresses only")
    if received[1] != second:
        with open(os.path.join(work, "expected2.eml"), "wb") as f:
            f.write(second)


def faults_case(script_tool, media, work):
    with open(os.path.join(work, "big.txt"), "wb") as f:
        f.write(b"".join(b"line %06d of a long file\r\n" % i for i in range(4000)))
    plans = ["multiline", "greeting421", "helo502", "garbage", "longline", "rcpt550", "data451",
             "hangup", "dot554"]
    with smtp_servers.FaultServer(plans) as server:
        run, _ = run_script("server_faults.scn", server.port, script_tool, media, work)
    check(run.returncode == 0, "server_faults.scn passes")
    check(server.served == plans, "every planned server was met: %s" % server.served)


def silent_case(script_tool, media, work):
    with smtp_servers.FaultServer(["silent"]) as server:
        run, seconds = run_script("silent_server.scn", server.port, script_tool, media, work)
    check(run.returncode == 1, "the silent server fails the script")
    check("the mail server did not answer within 1500 ms" in run.stdout,
          "the failure names the time limit")
    check("1 failed" in run.stdout, "the time limit is the only failure")
    check(seconds < 60, "the script ended")


def secure_case(script_tool, media, work):
    """STARTTLS with a log-in, TLS from the first byte, a server without encryption, a wrong
    password and a certificate refused and then accepted, against aiosmtpd; what arrives is read
    back with Python's email package."""
    certs = smtp_servers.make_certificates(work)
    attached = "Übungsplan für Zoë\r\n".encode("utf-8") * 40
    with open(os.path.join(work, "Zoë.txt"), "wb") as f:
        f.write(attached)
    folders = {name: os.path.join(work, name) for name in ("starttls", "tls", "plain")}
    for folder in folders.values():
        os.makedirs(folder)
    with smtp_servers.SecureSink(folders["starttls"], certs["server.pem"], certs["server.key"],
                                 "starttls") as starttls, \
            smtp_servers.SecureSink(folders["tls"], certs["self.pem"], certs["self.key"],
                                    "implicit") as tls, \
            smtp_servers.SecureSink(folders["plain"], certs["self.pem"], certs["self.key"],
                                    None) as plain:
        places = {"STARTTLS": starttls.port, "TLS": tls.port, "PLAIN": plain.port}
        # The program trusts the test authority as the system's own.
        run, _ = run_script("secure_servers.scn", None, script_tool, media, work, places,
                            {"SSL_CERT_FILE": certs["ca.pem"]})
    check(run.returncode == 0, "secure_servers.scn passes")

    # Every log-in went over an encrypted connection; the plain server heard none.
    wrong, right = (b"desk", b"wrong", True, "PLAIN"), (b"desk", b"right", True, "PLAIN")
    check(starttls.logins == [wrong, right, wrong],
          "STARTTLS: the wrong password, the right one, the trainee's wrong one, all encrypted: %r"
          % starttls.logins)
    check(plain.logins == [] and plain.count == 0, "nothing went to the server without encryption")
    check(all(encrypted for _, _, encrypted, _ in tls.logins) and len(tls.logins) == 2,
          "TLS: a log-in for the accepted connect and one for the results: %r" % tls.logins)

    refusal = run.stdout[run.stdout.find("Dialog.last="):]
    expected = smtp_servers.fingerprint(certs["self.pem"])
    spaced = ":".join(expected[i:i + 2] for i in range(0, 64, 2)).upper()
    check(refusal.startswith("Dialog.last=The server's certificate could not be verified: The "
                             "certificate is self-signed, and untrusted\n") and
          "SHA-256 fingerprint of the server's certificate:\n%s\n" % spaced in refusal,
          "the refusal names its reason and the fingerprint")
    check(printed(run.stdout, "file:OPTION4.INI") == [
        "Port=%d|Security=TLS|User=desk|Password=right|AllowPlainLogin=0|AcceptedCertificate=%s"
        % (tls.port, expected)], "OPTION4.INI keeps the accepted certificate")
    if starttls.count != 1 or tls.count != 1:
        check(False, "one message to each encrypted server (%d, %d)" % (starttls.count, tls.count))
        return

    import email
    import email.policy
    times = [int(t) for t in printed(run.stdout, "time")]
    with open(os.path.join(folders["starttls"], "1.eml"), "rb") as f:
        raw = f.read()
    check(len(times) == 1 and without_message_id(raw) == message(
        "Zoë Desk", "desk@example.org", "instructor@example.org", "", "Résultats de Zoë",
        ["Grüße aus dem Kurs,", ".dotted line"], [("Zoë.txt", attached)], False, times[0],
        beyond_ascii=True), "the message over STARTTLS arrived byte for byte as composed")
    check(max(len(line) for line in raw.split(b"\r\n")) <= 998 and max(raw) < 128,
          "the message is 7-bit with lines of at most 998 octets")
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    check(str(msg["subject"]) == "Résultats de Zoë", "the subject decodes: %r" % msg["subject"])
    sender = msg["from"].addresses[0]
    check((sender.display_name, sender.addr_spec) == ("Zoë Desk", "desk@example.org"),
          "the instructor's name decodes: %r" % str(msg["from"]))
    check(len(times) == 1 and msg["date"] == mail_date(times[0]), "the Date line: %r" % msg["date"])
    parts = list(msg.iter_parts())
    # The line end before a boundary belongs to the boundary; the parser keeps CR LF as it is.
    body = parts[0].get_content().replace("\r\n", "\n")
    check(body == "Grüße aus dem Kurs,\n.dotted line", "the body decodes: %r" % body)
    check(parts[1].get_filename() == "Zoë.txt" and parts[1].get_content() == attached,
          "the attachment's name and bytes come back")

    with open(os.path.join(folders["tls"], "1.eml"), "rb") as f:
        results = email.message_from_bytes(f.read(), policy=email.policy.default)
    check(results["from"].addresses[0].display_name == "Zoë", "the trainee's name decodes")
    names = [part.get_filename() for part in results.iter_parts()][1:]
    check(names == ["Zoë.txt", "Zoë_12_6.TXT"], "the results file's name decodes: %r" % names)


def main():
    case, script_tool, media, work = sys.argv[1:5]
    if case in ("report", "secure"):
        try:
            import aiosmtpd  # noqa: F401
        except ImportError:
            print("aiosmtpd is not installed: skipped (Debian: python3-aiosmtpd)")
            return 77
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    {"report": report_case, "faults": faults_case, "silent": silent_case,
     "secure": secure_case}[case](
        script_tool, media, work)
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
