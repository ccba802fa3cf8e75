#!/usr/bin/env python3
"""zedulo-convert --fritzbox against the fake FritzBox on 127.0.0.1: one
table of outcomes through the real program (on Windows the .exe under Wine's
loader). A download gives the same bytes as converting the box's phonebook
from a file; each failure its message and status, with the old output as it
was and nothing left beside it; the password in no request in clear.

    router_test.py PHONEBOOK.xml PROGRAM [LOADER]"""

import fcntl
import os
import pty
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from fake_fritzbox import FakeFritzBox  # noqa: E402

PASSWORD = "Geheim-7§x"
OLD_OUTPUT = b"0301111111;Altes Telefonbuch\n" * 20


def program_command(args):
    program = sys.argv[2]
    loader = sys.argv[3:]
    return loader + [program] + args


def make_certificate(folder, name):
    key = os.path.join(folder, name + ".key")
    cert = os.path.join(folder, name + ".pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                    "-days", "2", "-subj", "/CN=fritz.box", "-addext", "subjectAltName=DNS:fritz.box",
                    # A box's own certificate, as a FritzBox makes it: no CA of anything.
                    "-addext", "basicConstraints=critical,CA:FALSE"],
                   check=True, capture_output=True)
    return cert, key


def as_controlling_terminal():
    os.setsid()
    fcntl.ioctl(0, termios.TIOCSCTTY, 0)


def run(folder, args, env_extra, interrupt_after=None, typed=None):
    """Runs the program; typed: a password typed at a terminal that is its standard input,
    and then the terminal's screen is returned too."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("FRITZ_PASSWORD", "FRITZ_USERNAME") and not k.lower().endswith("_proxy")}
    env.update(env_extra)
    terminal = pty.openpty() if typed is not None else None
    process = subprocess.Popen(program_command(args), cwd=folder, env=env,
                               stdin=terminal[1] if terminal else subprocess.DEVNULL,
                               preexec_fn=as_controlling_terminal if terminal else None,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    screen = b""
    if terminal:
        os.close(terminal[1])
        while b": " not in screen:
            ready, _, _ = select.select([terminal[0]], [], [], 20)
            if not ready:
                break
            screen += os.read(terminal[0], 1024)
        os.write(terminal[0], typed.encode("utf-8") + b"\n")
    if interrupt_after:
        time.sleep(interrupt_after)
        process.send_signal(signal.SIGINT)
    out, err = process.communicate(timeout=120)
    if terminal:
        while select.select([terminal[0]], [], [], 0.2)[0]:
            try:
                screen += os.read(terminal[0], 1024)
            except OSError:
                break
        os.close(terminal[0])
    return process.returncode, out.decode("utf-8", "replace").strip(), err.decode("utf-8", "replace").strip(), \
        screen.decode("utf-8", "replace")


def peak_run(folder, args, env_extra):
    """Runs the program as run() does; its status and its own peak memory in MiB."""
    env = {k: v for k, v in os.environ.items() if k not in ("FRITZ_PASSWORD", "FRITZ_USERNAME")}
    env.update(env_extra)
    process = subprocess.Popen(program_command(args), cwd=folder, env=env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    return process.returncode, usage.ru_maxrss // 1024


def streams_without_growing(work, phonebook):
    """A phonebook of some 100 MB is converted as it arrives, without a copy:
    the program's peak memory is that of converting the same file, and the
    records are the file's."""
    head, _, rest = phonebook.partition(b"<contact>")
    contacts, _, tail = rest.rpartition(b"</contact>")
    block = b"<contact>" + contacts + b"</contact>"
    large = os.path.join(work, "gross.xml")
    # Written in pieces and served from the file: a program started from
    # this process counts its memory until it starts, so this stays small.
    with open(large, "wb") as f:
        f.write(head)
        for _ in range(100_000_000 // len(block)):
            f.write(block)
        f.write(tail)
    _, file_peak = peak_run(work, ["gross.xml", "gross-reference.txt"], {})
    box = FakeFritzBox(large, password=PASSWORD)
    try:
        status, download_peak = peak_run(work, [f"--fritzbox=127.0.0.1:{box.port}", "gross.txt"],
                                         {"FRITZ_PASSWORD": PASSWORD})
    finally:
        box.close()
    with open(os.path.join(work, "gross.txt"), "rb") as f, open(os.path.join(work, "gross-reference.txt"), "rb") as g:
        same = f.read() == g.read()
    ok = status == 0 and same and download_peak <= file_peak + 16
    print(("ok   " if ok else "FAIL ") + f"a phonebook of {os.path.getsize(large) >> 20} MiB streams: status {status}, "
          f"{'the same records' if same else 'other records'}, peak {download_peak} MiB, from the file {file_peak} MiB")
    return [] if ok else ["a large phonebook"]


def main():
    phonebook_path = sys.argv[1]
    windows = sys.argv[2].endswith(".exe")
    with open(phonebook_path, "rb") as f:
        phonebook = f.read()
    work = tempfile.mkdtemp()
    failures = []
    asking = None
    try:
        certificate = make_certificate(work, "box")
        other = make_certificate(work, "andere")
        shutil.copy(phonebook_path, os.path.join(work, "phonebook.xml"))
        status, out, err, _ = run(work, ["phonebook.xml", "reference.txt"], {})
        assert status == 0, err
        with open(os.path.join(work, "reference.txt"), "rb") as f:
            reference = f.read()
        converted = out
        # The download's international numbers follow --landesvorwahl as the file's do.
        status, converted_at, err, _ = run(work, ["--landesvorwahl=43", "phonebook.xml", "reference-43.txt"], {})
        assert status == 0, err
        with open(os.path.join(work, "reference-43.txt"), "rb") as f:
            reference_at = f.read()
        assert reference_at != reference, "the sample has no number that --landesvorwahl=43 writes otherwise"

        password = {"FRITZ_PASSWORD": PASSWORD}
        wrong = {"FRITZ_PASSWORD": "falsch"}
        # name, the box (https?, fault, its password), arguments after the address, environment,
        # status, message (ADDRESS: the address given), interrupt after seconds, platforms
        cases = [
            ("http, the last user", (False, None, PASSWORD), [], password, 0, converted),
            ("http, user from the environment", (False, None, PASSWORD), [],
             dict(password, FRITZ_USERNAME="telefonbuch"), 0, converted),
            ("http, --benutzer as the next argument", (False, None, PASSWORD), ["--benutzer", "telefonbuch"],
             password, 0, converted),
            ("a box without a password", (False, None, ""), [], {"FRITZ_PASSWORD": ""}, 0, converted),
            ("--landesvorwahl=43", (False, None, PASSWORD), ["--landesvorwahl=43"], password, 0, converted_at),
            ("a box without a user list", (False, "no-user-list", PASSWORD), [], password, 0, converted),
            ("https with the box's certificate", (True, None, PASSWORD), ["--zertifikat=box.pem"], password, 0,
             converted),
            ("no password", (False, None, PASSWORD), [], {}, 1,
             "Kein Kennwort angegeben (Umgebungsvariable FRITZ_PASSWORD)"),
            ("wrong password", (False, None, PASSWORD), [], wrong, 1,
             "Benutzername oder Kennwort falsch für die FritzBox ADDRESS"),
            ("wrong user", (False, None, PASSWORD), ["--benutzer=admin"], password, 1,
             "Benutzername oder Kennwort falsch für die FritzBox ADDRESS"),
            ("no right to phonebooks (606)", (False, "606", PASSWORD), [], password, 1,
             "Keine Berechtigung für Telefonbücher auf der FritzBox ADDRESS"),
            ("no such phonebook (713)", (False, None, PASSWORD), ["--telefonbuch=3"], password, 1,
             "Telefonbuch gibt es nicht auf der FritzBox ADDRESS"),
            ("another certificate", (True, None, PASSWORD), ["--zertifikat=andere.pem"], password, 1,
             "Zertifikat passt nicht zur FritzBox ADDRESS"),
            ("https without a certificate", (True, None, PASSWORD), [], password, 1,
             "Unbekanntes Zertifikat der FritzBox ADDRESS (--zertifikat=DATEI angeben)"),
            ("a certificate file that is not there", (True, None, PASSWORD), ["--zertifikat=fehlt.pem"], password, 1,
             "Kann Zertifikatsdatei nicht lesen"),
            ("an answer that is not SOAP", (False, "unexpected-soap", PASSWORD), ["--benutzer=telefonbuch"], password, 1,
             "Unerwartete Antwort der FritzBox ADDRESS"),
            ("no description", (False, "no-description", PASSWORD), [], password, 1,
             "Unerwartete Antwort der FritzBox ADDRESS"),
            ("an HTML page as the phonebook", (False, "html", PASSWORD), [], password, 1,
             "Kann Telefonbuch der FritzBox ADDRESS nicht lesen"),
            ("a cut-off phonebook", (False, "cut", PASSWORD), [], password, 1,
             "Kann Telefonbuch der FritzBox ADDRESS nicht lesen"),
            ("an .adr export as the phonebook", (False, "lines", PASSWORD), [], password, 1,
             "Kann Telefonbuch der FritzBox ADDRESS nicht lesen"),
            ("nothing listening", None, [], password, 1, "Keine Verbindung zur FritzBox ADDRESS"),
            ("--fritzbox with an input file", None, ["phonebook.xml"], password, 2,
             "Mit --fritzbox keine EINGABEDATEI angeben"),
            ("--zertifikat with an http:// address", (False, None, PASSWORD), ["--zertifikat", "box.pem"], password, 2,
             "--zertifikat nur mit einer https://-Adresse"),
            ("a phonebook number that is no number", None, ["--telefonbuch=eins"], password, 2,
             "Keine Telefonbuchnummer: eins"),
            ("--telefonbuch without --fritzbox", None, ["--telefonbuch=1", "phonebook.xml"], password, 2,
             "--telefonbuch, --benutzer und --zertifikat nur mit --fritzbox"),
            ("a phonebook that stalls", (False, "stall", PASSWORD), [], password, 1,
             "Keine Verbindung zur FritzBox ADDRESS"),
        ]
        if not windows:
            # Under Wine a Linux signal ends the program without telling it.
            cases.append(("interrupted while downloading", (False, "stall", PASSWORD), [], password, -signal.SIGINT,
                          ""))
            # Wine's console is no Linux terminal.
            cases.append(("the password typed at the terminal", (False, None, PASSWORD), [], {"TYPED": PASSWORD}, 0,
                          converted))
        # https:// without a port asks the box on 49000, if the port is free here.
        try:
            asking = FakeFritzBox(phonebook, port=49000)
        except OSError:
            asking = None
            print("skip https without a port: 127.0.0.1:49000 is taken")
        if asking:
            cases.append(("https without a port", (True, None, PASSWORD), ["--zertifikat=box.pem"], password, 0,
                          converted))
        for name, box_setup, extra, env, status, message in cases:
            folder = os.path.join(work, "case")
            shutil.rmtree(folder, ignore_errors=True)
            os.mkdir(folder)
            for pem in ("box.pem", "andere.pem"):
                shutil.copy(os.path.join(work, pem), folder)
            with open(os.path.join(folder, "out.txt"), "wb") as f:
                f.write(OLD_OUTPUT)
            box = None
            if box_setup:
                https, fault, box_password = box_setup
                box = FakeFritzBox(phonebook, password=box_password, fault=fault,
                                   certificate=certificate if https else None)
                address = f"{'https' if https else 'http'}://127.0.0.1:{box.port}"
                if name == "https without a port":
                    asking.secure_port = box.port
                    address = "https://127.0.0.1"
            else:
                placeholder = FakeFritzBox(phonebook)
                address = f"127.0.0.1:{placeholder.port}"
                placeholder.close()
            typed = env.pop("TYPED", None)
            try:
                fritzbox = [] if name.endswith("without --fritzbox") else [f"--fritzbox={address}"]
                got = run(folder, fritzbox + extra + ["out.txt"], env,
                          interrupt_after=3 if status < 0 else None, typed=typed)
            finally:
                if box:
                    box.close()
            expected_message = message.replace("ADDRESS", address)
            got_status, got_out, got_err, screen = got
            said = got_out if status == 0 else got_err
            if status == 2:
                said = said.splitlines()[0] if said else ""
            with open(os.path.join(folder, "out.txt"), "rb") as f:
                output = f.read()
            problems = []
            if got_status != status:
                problems.append(f"status {got_status}, not {status}")
            if said != expected_message:
                problems.append(f"said {said!r}, not {expected_message!r}")
            if output != (OLD_OUTPUT if status != 0 else reference_at if "--landesvorwahl=43" in extra else reference):
                problems.append("the output is " + ("not the file's conversion" if status == 0 else "no longer the old one"))
            left = sorted(set(os.listdir(folder)) - {"out.txt", "box.pem", "andere.pem"})
            if left:
                problems.append(f"left behind: {left}")
            if box and any(PASSWORD.encode("utf-8") in request for request in box.requests):
                problems.append("the password went to the box in clear")
            if typed is not None and (screen.strip() != f"Kennwort für die FritzBox {address}:" or typed in screen):
                problems.append(f"the terminal showed {screen!r}")
            print(("ok   " if not problems else "FAIL ") + name + ("" if not problems else ": " + "; ".join(problems)))
            failures += [name] if problems else []
        if not windows:
            # Linux only: under Wine, MSXML keeps the text it reported.
            failures += streams_without_growing(work, phonebook)
    finally:
        if asking:
            asking.close()
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} failed" if failures else "all cases passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
