"""End-to-end cases of launcher-settings on the installs in this folder and the
demo install, and of check --page against the loopback servers of page_server.py. Every case runs both the native build and, under Wine, the x86_64
Windows exe, and compares exit status and output with the same expectations, so
the two builds print the same bytes.

  settings_cli.py --list native|windows        the cases of that build, ';'-separated
  settings_cli.py native|windows PROGRAM CASE  runs one case with PROGRAM

The Windows cases run in the end-to-end tests' Wine session (tests/e2e/harness.py).
"""

import json
import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile
from pathlib import Path

from page_server import Answer, page, page_server, redirect, silent_server, unused_address

HERE = Path(__file__).resolve().parent
INSTALLS = HERE / "installs"
EXPECTED = HERE / "expected"
TOOLS = HERE.parents[1] / "tools"
PROXY_VARIABLES = {"http_proxy", "https_proxy", "all_proxy", "no_proxy"}
# What Wine itself now and then writes to a program's standard error as the
# program ends while a thread of its own (WinINet's, or a request given up at
# its time limit) is still waiting on the wine server; the program wrote none of it.
WINE_TEARDOWN_NOISE = re.compile(rb"^wine client error:[0-9a-f]+: [^\n]*(\n|$)", re.M)


# As the output of a run: the program starts with its standard output closed.
CLOSED = "closed"


class Program:
    """Runs the program with arguments in a directory: (status, stdout, stderr).
    `output` is a file to take standard output instead of capturing it (stdout
    is then b""), or CLOSED; `env` holds variables added to the environment."""

    def __init__(self, build, path):
        self.build = build
        self.path = path

    def run(self, args, cwd, prefix=(), output=None, env=None):
        return self.start(args, cwd, prefix, output, env)()

    def run_together(self, runs, cwd):
        """Starts every list of arguments in `runs` at once, then waits for all."""
        finishes = [self.start(args, cwd) for args in runs]
        return [finish() for finish in finishes]

    def start(self, args, cwd, prefix=(), output=None, env=None):
        """Starts a run; returns what waits for it and gives its result. A
        native program gets no proxy from the user's environment, so that it
        reaches the loopback page servers directly, as the Windows programs in
        the tests' Wine prefix do."""
        close_output = (lambda: os.close(1)) if output is CLOSED else None
        inherited = None if output is CLOSED else output
        if self.build == "native":
            native_env = {name: value for name, value in os.environ.items() if name.lower() not in PROXY_VARIABLES}
            process = subprocess.Popen([*prefix, self.path, *args], cwd=cwd, env={**native_env, **(env or {})},
                                       stdout=subprocess.PIPE if output is None else inherited,
                                       stderr=subprocess.PIPE, preexec_fn=close_output)

            def finish():
                out, err = process.communicate(timeout=60)
                return process.returncode, out or b"", err
            return finish
        import harness  # Wine programs write to files, never to pipes (see harness)
        out, err = tempfile.TemporaryFile(), tempfile.TemporaryFile()
        process = subprocess.Popen([harness.WINE, self.path, *args], cwd=cwd, env=harness.wine_env(extra=env),
                                   stdout=out if output is None else inherited, stderr=err,
                                   stdin=subprocess.DEVNULL, preexec_fn=close_output)

        def finish():
            with out, err:
                process.wait(timeout=60)
                out.seek(0)
                err.seek(0)
                return process.returncode, out.read(), WINE_TEARDOWN_NOISE.sub(b"", err.read())
        return finish


def expect(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def expect_run(result, status, out=None, err=b""):
    expect(result[2], err, "standard error")
    expect(result[0], status, "exit status")
    if out is not None:
        expect(result[1], out, "standard output")


def golden(name):
    return (EXPECTED / name).read_bytes()


def no_file_locks_env():
    """The environment of a native run on a file system that cannot lock files:
    the library that ctest names preloaded, whose flock fails with ENOLCK."""
    return {"LD_PRELOAD": os.environ["SETTINGS_NO_FILE_LOCKS"]}


def scratch_copy(source):
    """A writable copy of an install in a new temporary directory."""
    directory = Path(tempfile.mkdtemp(prefix="launcher-settings-"))
    shutil.copytree(source, directory / "install")
    return directory


# --- the cases --------------------------------------------------------------

def check_demo_install(program):
    expect_run(program.run(["check", "demo"], TOOLS), 0, golden("check-demo.txt"))


def check_pitfalls(program):
    expect_run(program.run(["check", "pitfalls"], INSTALLS), 1, golden("check-pitfalls.txt"))


def check_pitfalls_json(program):
    status, out, err = program.run(["check", "pitfalls", "--json", "--screen", "1280x720"], INSTALLS)
    expect_run((status, out, err), 1, golden("check-pitfalls.json"))
    report = json.loads(out.decode("ascii"))
    expect(report["caption"].encode("latin-1"), b"\xC4\xE3\xBA\xC3 Tarnhold", "caption bytes")
    expect(report["screen"], {"width": 1280, "height": 720}, "screen")
    for warning in report["warnings"]:
        expect(sorted(warning), ["file", "fix", "line", "message", "problem"], "fields of a warning")


def check_missing_files(program):
    directory = Path(tempfile.mkdtemp(prefix="launcher-settings-"))
    try:
        status, out, _ = program.run(["check", ".", "--json"], directory)
        expect(status, 1, "exit status")
        report = json.loads(out.decode("ascii"))
        expect([w["problem"] for w in report["warnings"]], ["file-missing", "file-missing"], "problems")
        expect(report["clientSize"], {"width": 0, "height": 0}, "client size")
        expect(report["caption"], "Tarnhold", "caption")
    finally:
        shutil.rmtree(directory)


def show_pitfalls(program):
    expect_run(program.run(["show", "pitfalls/window.ini"], INSTALLS), 0, golden("show-pitfalls.txt"))


def set_round_trips(program):
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    try:
        url = "http://10.1.2.3:8080//launch.php?a=1;b=2"
        expect_run(program.run(["set", "ServerInfo.ini", "default", "resourceURL", url], install), 0,
                   b'ServerInfo.ini: [default] resourceURL changed from "http://127.0.0.1:8080/launch.php?server=demo"'
                   b' to "' + url.encode() + b'"\n')
        expect_run(program.run(["set", "window.ini", "system", "screenheight", "700"], install), 0)
        expect_run(program.run(["set", "window.ini", "SYSTEM", "TITLEBAR", "a // b"], install), 0)
        status, out, err = program.run(["check", ".", "--json"], install)
        expect_run((status, out, err), 0)
        report = json.loads(out.decode("ascii"))
        expect(report["launchPage"], url, "launch page after set")
        expect(report["clientSize"], {"width": 1024, "height": 700}, "client size after set")
        expect((install / "window.ini").read_bytes(),
               b'[SYSTEM]\r\nWINDOW=1\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=700\r\nTITLEBAR="a // b"\r\n', "window.ini")
    finally:
        shutil.rmtree(directory)


def set_into_missing_directory(program):
    expect_run(program.run(["set", "absent/window.ini", "SYSTEM", "WINDOW", "1"], INSTALLS), 1, b"",
               b"launcher-settings: cannot write absent/window.ini: the directory absent: no such file or directory;"
               b" the file is unchanged\n")


def set_read_only_file(program):
    """Natively: a file the user may not write (as nobody when run as root)."""
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    try:
        os.chmod(directory, 0o755)
        os.chmod(install, 0o755)
        os.chmod(install / "window.ini", 0o444)
        before = (install / "window.ini").read_bytes()
        as_other_user = ("setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups") if os.geteuid() == 0 else ()
        # A copy of the program that the other user may run, wherever the build tree is.
        reachable = Program(program.build, shutil.copy(program.path, directory / "launcher-settings"))
        expect_run(reachable.run(["set", "window.ini", "SYSTEM", "WINDOW", "2"], install, as_other_user), 1, b"",
                   b"launcher-settings: cannot write window.ini: permission denied; the file is unchanged\n")
        expect((install / "window.ini").read_bytes(), before, "window.ini")
    finally:
        shutil.rmtree(directory)


def set_file_held_open(program):
    """Under Wine: a file another process holds open without sharing, which can
    be neither read nor written (as root, Wine writes read-only files)."""
    import harness
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    try:
        before = (install / "window.ini").read_bytes()
        with harness.hold_file(install / "window.ini"):
            result = program.run(["set", "window.ini", "SYSTEM", "WINDOW", "2"], install)
        expect_run(result, 2, b"", b"launcher-settings: cannot read window.ini: permission denied\n")
        expect((install / "window.ini").read_bytes(), before, "window.ini")
    finally:
        shutil.rmtree(directory)


def refused_unloadable_files(program):
    """Every command refuses a settings file that cannot be loaded, says why and
    exits 2; set leaves it as it was. Natively: a FIFO (which must not block), a
    file over 2 GiB, a link loop; under Wine: a directory."""
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    window = install / "window.ini"

    def make_huge():
        with open(window, "wb") as huge:
            huge.truncate(2**31 + 5)

    try:
        window.unlink()
        if program.build == "native":
            cases = [(lambda: os.mkfifo(window),
                      b"not a regular file (a FIFO, socket or device), which the launcher cannot read"),
                     (make_huge,
                      b"it is 2147483653 bytes, and the launcher's settings reader takes at most 2147483647"),
                     (lambda: os.symlink("window.ini", window), b"too many levels of symbolic links (a link loop)")]
        else:
            cases = [(lambda: window.mkdir(), b"it is a directory")]
        for make, reason in cases:
            make()
            before = os.lstat(window)
            message = b"launcher-settings: cannot read window.ini: " + reason + b"\n"
            expect_run(program.run(["show", "window.ini"], install), 2, b"", message)
            expect_run(program.run(["set", "window.ini", "SYSTEM", "WINDOW", "2"], install), 2, b"", message)
            expect_run(program.run(["check", "."], install), 2, b"",
                       b"launcher-settings: cannot read ./window.ini: " + reason + b"\n")
            after = os.lstat(window)
            expect((after.st_mode, after.st_size, after.st_mtime_ns), (before.st_mode, before.st_size, before.st_mtime_ns),
                   "window.ini after the refused set")
            if stat.S_ISDIR(before.st_mode):
                window.rmdir()
            else:
                window.unlink()
    finally:
        shutil.rmtree(directory)


def replace_keeps_identity(program):
    """Under Wine: a save keeps the file's hidden attribute, and its creation
    time where the system lets a program set one."""
    import harness
    tool = Path(program.path).resolve().parents[1] / "tests" / "settings" / "windows" / "replace_identity.exe"
    directory = Path(tempfile.mkdtemp(prefix="launcher-settings-"))
    try:
        status, out, err = Program("windows", str(tool)).run([harness.windows_path(directory / "window.ini")], directory)
        report = json.loads(out.decode("ascii"))
        expect({key: report[key] for key in ("saved", "newText", "hiddenSet", "hidden")},
               {"saved": True, "newText": True, "hiddenSet": True, "hidden": True}, "after the save")
        expect(report["creationKept"] or not report["creationSet"], True, "creation time kept where it can be set")
        expect_run((status, out, err), 0)
    finally:
        shutil.rmtree(directory)


def concurrent_sets(program):
    """Eight sets of eight keys on one file at once, in several rounds: each one
    reports its change, every change is in the file afterwards, and nothing
    else is left in the directory."""
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    window = install / "window.ini"
    try:
        for round_number in range(6 if program.build == "native" else 2):
            window.write_bytes(b"[SYSTEM]\r\nWINDOW=1\r\n")
            values = [f"{round_number}-{i}" for i in range(8)]
            results = program.run_together([["set", "window.ini", "SYSTEM", f"KEY{i}", value]
                                            for i, value in enumerate(values)], install)
            for i, result in enumerate(results):
                expect_run(result, 0, f'window.ini: [SYSTEM] KEY{i} added as "{values[i]}"\n'.encode())
            lines = window.read_bytes().split(b"\r\n")
            expect(sorted(lines), sorted([b"[SYSTEM]", b"WINDOW=1", b""] +
                                         [f"KEY{i}={value}".encode() for i, value in enumerate(values)]),
                   f"window.ini after round {round_number}")
            expect(sorted(os.listdir(install)), ["ServerInfo.ini", "window.ini"], "files after the sets")
    finally:
        shutil.rmtree(directory)


def lost_reports(program):
    """Every command whose report cannot be written, to a full disk or to a
    closed standard output, exits 2 and says why. Natively a closed standard
    output is found before anything is done; under Wine the program is handed
    the current directory in its place (Wine's loader takes the free Unix
    number), which only the write finds out."""
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    window = install / "window.ini"
    full = b"launcher-settings: cannot write the report to standard output: no space left on the device" \
           b" (no free blocks or no free inodes)"
    closed = b"launcher-settings: standard output is closed, so no report can be written; nothing was done\n" \
        if program.build == "native" else b"launcher-settings: cannot write the report to standard output:" \
                                          b" it is not open for writing"
    made = b"; the change itself is made\n"
    try:
        for args in (["show", "window.ini"], ["check", "."], ["check", "--json", "."], ["--help"],
                     ["set", "--help"]):
            with open("/dev/full", "wb") as device:
                expect_run(program.run(args, install, output=device), 2, b"", full + b"\n")
            expect_run(program.run(args, install, output=CLOSED), 2, b"",
                       closed + (b"\n" if program.build != "native" else b""))
        # A command that writes no report loses none.
        with open("/dev/full", "wb") as device:
            expect_run(program.run(["show", "absent.ini"], install, output=device), 2, b"",
                       b"launcher-settings: cannot read absent.ini: no such file or directory\n")
        before = window.read_bytes()
        result = program.run(["set", "window.ini", "SYSTEM", "WINDOW", "2"], install, output=CLOSED)
        if program.build == "native":
            expect_run(result, 2, b"", closed)
            expect(window.read_bytes(), before, "window.ini after a set without standard output")
        else:
            expect_run(result, 2, b"", closed + made)
        with open("/dev/full", "wb") as device:
            expect_run(program.run(["set", "window.ini", "SYSTEM", "WINDOW", "3"], install, output=device), 2, b"",
                       full + made)
        expect(window.read_bytes(), before.replace(b"WINDOW=1", b"WINDOW=3"), "window.ini after the set")
        expect(sorted(os.listdir(install)), ["ServerInfo.ini", "window.ini"], "files after the sets")
    finally:
        shutil.rmtree(directory)


def set_hard_link(program):
    """A set of a file with another hard link says that the link keeps the old
    text, which it does."""
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    try:
        before = (install / "window.ini").read_bytes()
        os.link(install / "window.ini", install / "window-copy.ini")
        expect_run(program.run(["set", "window.ini", "SYSTEM", "WINDOW", "2"], install), 0,
                   b"note: window.ini has 1 other hard link(s); the save puts a new file in its place, so they keep"
                   b" the old text\nwindow.ini: [SYSTEM] WINDOW changed from \"1\" to \"2\"\n")
        expect((install / "window-copy.ini").read_bytes(), before, "the other link")
        expect((install / "window.ini").read_bytes(), before.replace(b"WINDOW=1", b"WINDOW=2"), "window.ini")
    finally:
        shutil.rmtree(directory)


def unmeasurable_file(program):
    """A file whose size cannot be measured (one the system makes as it is
    read) has its own reason, and set makes nothing beside it."""
    reason = b"launcher-settings: cannot read /proc/version: its size cannot be measured: the system makes its" \
             b" text as it is read (as under /proc and /sys), and the launcher loads only a file whose size it can" \
             b" measure\n"
    expect_run(program.run(["show", "/proc/version"], INSTALLS), 2, b"", reason)
    expect_run(program.run(["set", "/proc/version", "SYSTEM", "WINDOW", "1"], INSTALLS), 2, b"", reason)


def no_file_locks(program):
    """Natively, on a file system that cannot lock files (flock fails with
    ENOLCK, through a preloaded library): a set still works for a single
    writer and says that concurrent edits are not protected; a set that fails
    leaves the directory as it was, and no save leaves a temporary file."""
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    window = install / "window.ini"
    without_locks = no_file_locks_env()
    try:
        expect_run(program.run(["set", "window.ini", "SYSTEM", "WINDOW", "2"], install, env=without_locks), 0,
                   b"note: the file system of window.ini cannot lock files, so concurrent edits of it are not"
                   b" protected\nwindow.ini: [SYSTEM] WINDOW changed from \"1\" to \"2\"\n")
        expect(window.read_bytes(), b"[SYSTEM]\r\nWINDOW=2\r\nSCREENWIDTH=1024\r\nSCREENHEIGHT=640\r\n", "window.ini")
        shadowed = b"[System]\r\n[SYSTEM]\r\nWINDOW=1\r\n"
        window.write_bytes(shadowed)
        expect_run(program.run(["set", "window.ini", "SYSTEM", "X", "1"], install, env=without_locks), 1, b"",
                   b'launcher-settings: cannot set "X" in window.ini: saving changed what [SYSTEM] WINDOW reads;'
                   b" the file is as it was\n")
        expect(window.read_bytes(), shadowed, "window.ini after the refused set")
        expect(sorted(os.listdir(install)), ["ServerInfo.ini", "window.ini"], "files after the sets")
    finally:
        shutil.rmtree(directory)


def set_through_dangling_link(program):
    """Natively: a set through a link to a file that is not there yet, which
    fails when it reads the file back, leaves the link a link and no file at
    its end, with file locks and without."""
    directory = scratch_copy(TOOLS / "demo")
    install = directory / "install"
    window = install / "window.ini"
    try:
        window.unlink()
        (install / "real").mkdir()
        os.symlink("real/window.ini", window)
        for env in ({}, no_file_locks_env()):
            status, _, err = program.run(["set", "window.ini", "", "KEY", "1"], install, env=env)
            expect((status, err.endswith(b": the key is not found when the file is read again; the file is as it was\n")),
                   (1, True), f"set through the link: {err!r}")
            expect(os.readlink(window), "real/window.ini", "the link")
            expect(os.listdir(install / "real"), [], "files at the link's end")
            expect(sorted(os.listdir(install)), ["ServerInfo.ini", "real", "window.ini"], "files beside the link")
    finally:
        shutil.rmtree(directory)


def control_bytes_in_paths(program):
    """Natively: paths are shown with their control bytes as \\xNN, in the
    report and in messages, so that a name with a line break stays one line."""
    directory = Path(tempfile.mkdtemp(prefix="launcher-settings-"))
    try:
        (directory / "tab\there.ini").write_bytes(b"[SYSTEM]\r\nWINDOW=1\r\n")
        status, out, err = program.run(["show", "tab\there.ini"], directory)
        expect_run((status, out, err), 0)
        expect(out.split(b"\n")[0], b"tab\\x09here.ini: 1 section(s), 1 entry(ies)", "the report's first line")
        expect_run(program.run(["show", "bad\nname.ini"], directory), 2, b"",
                   b"launcher-settings: cannot read bad\\x0Aname.ini: no such file or directory\n")
        expect_run(program.run(["check", "line\nbreak"], directory), 2, b"",
                   b"launcher-settings: cannot read the install directory line\\x0Abreak: no such file or directory\n")
    finally:
        shutil.rmtree(directory)


def bad_arguments(program):
    for args, message in (
            (["check"], b"launcher-settings: check needs one install directory (see \"launcher-settings check --help\")\n"),
            (["check", "no-such-dir"], b"launcher-settings: cannot read the install directory no-such-dir: no such file or directory\n"),
            (["show", "no-such.ini"], b"launcher-settings: cannot read no-such.ini: no such file or directory\n"),
            (["set", "x.ini", "s"], b"launcher-settings: set needs FILE SECTION KEY VALUE (see \"launcher-settings set --help\")\n"),
            (["frobnicate"], b"launcher-settings: unknown command frobnicate (see \"launcher-settings --help\")\n")):
        expect_run(program.run(args, INSTALLS), 2, b"", message)
    status, out, _ = program.run(["check", "--help"], INSTALLS)
    expect((status, out.startswith(b"usage: launcher-settings check DIR")), (0, True), "check --help")


# --- the launch page (check --page) -------------------------------------------

DOCTYPE = b"<!DOCTYPE html>\n"
EDGE_META = b'<meta http-equiv="X-UA-Compatible" content="IE=edge">'
META_PAGE = DOCTYPE + b"<html>\n<head>\n<title>Tarnhold</title>\n" + EDGE_META + b"\n</head>\n<body>launch</body>\n</html>\n"
NO_DOCTYPE_PAGE = b"<html><body>launch</body></html>\n"
DOCTYPE_PAGE = DOCTYPE + b"<html><head><title>Tarnhold</title></head><body>launch</body></html>\n"
EDGE_HEADER = ("X-UA-Compatible", "IE=edge")

PAGES = {
    "/meta": page(META_PAGE),
    "/header": page(DOCTYPE_PAGE, EDGE_HEADER),
    "/meta-over-header": page(DOCTYPE + b'<head><meta http-equiv="X-UA-Compatible" content="IE=8"></head>', EDGE_HEADER),
    "/late-meta": page(DOCTYPE + b'<head><link rel="stylesheet" href="a.css">\n' + EDGE_META + b"</head>"),
    "/doctype": page(DOCTYPE_PAGE),
    "/no-doctype": page(NO_DOCTYPE_PAGE),
    "/emulate-without-doctype": page(NO_DOCTYPE_PAGE, ("X-UA-Compatible", "IE=EmulateIE9")),
    "/big": page(DOCTYPE + b"<p>" + b"x" * (5 * 2**20)),
    "/start": redirect(302, "/hop"),
    "/hop": redirect(301, "hop2"),
    "/loop": redirect(302, "/loop"),
    "/away": redirect(302, "file:///etc/passwd"),
    **{f"/ten/{i}": redirect(307, str(i + 1)) for i in range(10)},
    "/ten/10": page(META_PAGE),
    "/slow": Answer(200, META_PAGE, pause=0.5),
}


def page_install(address):
    """A scratch copy of the demo install whose resourceURL is `address`."""
    directory = scratch_copy(TOOLS / "demo")
    (directory / "install" / "ServerInfo.ini").write_bytes(
        b'[default]\r\nresourceURL="' + address.encode() + b'"\r\nClientWndCaption=Tarnhold Demo\r\n')
    return directory


def check_page(program, address, *options, env=None):
    """`check --page --json` of an install that opens `address`: the exit
    status, the report's page member and its warnings as (file, line, problem)."""
    directory = page_install(address)
    try:
        status, out, err = program.run(["check", "install", "--page", "--json", *options], directory, env=env)
    finally:
        shutil.rmtree(directory)
    expect(err, b"", "standard error")
    report = json.loads(out.decode("ascii"))
    expect(sorted(report["page"]), sorted(["address", "status", "final_address", "redirects", "content_type", "bytes",
                                           "truncated", "document_mode", "document_mode_source", "x_ua_compatible",
                                           "error"]), "members of page")
    return status, report["page"], [(w["file"], w["line"], w["problem"]) for w in report["warnings"]]


def page_report_text(program, address):
    """The page part of the text report of `check --page` for `address`, and the exit status."""
    directory = page_install(address)
    try:
        status, out, err = program.run(["check", "install", "--page"], directory)
    finally:
        shutil.rmtree(directory)
    expect(err, b"", "standard error")
    return status, out[out.index(b"page answer:"):]


def page_document_modes(program):
    """The mode from the meta element, which wins over the header, from the
    header, or from the doctype; a warning for every mode but edge and 11."""
    with page_server(PAGES) as server:
        for path, mode, source, value, line in (
                ("/meta", "edge", "meta", "IE=edge", None),
                ("/header", "edge", "header", "IE=edge", None),
                ("/meta-over-header", "8", "meta", "IE=8", 2),
                ("/late-meta", "7", "doctype", None, 3),
                ("/doctype", "7", "doctype", None, 0),
                ("/no-doctype", "quirks", "no-doctype", None, 0),
                ("/emulate-without-doctype", "quirks", "header", "IE=EmulateIE9", 0)):
            address = server.url + path
            status, found, warnings = check_page(program, address)
            body = PAGES[path].body
            expect(found, {"address": address, "status": 200, "final_address": address, "redirects": 0,
                           "content_type": "text/html", "bytes": len(body), "truncated": False,
                           "document_mode": mode, "document_mode_source": source, "x_ua_compatible": value,
                           "error": None}, f"page member for {path}")
            expect((status, warnings), (0, []) if line is None else (1, [(address, line, "document-mode")]),
                   f"status and warnings for {path}")
        expect({method for method, _ in server.requests}, {"GET"}, "request methods")
        expect(len(server.requests), 7, "requests, one a check")


def page_text_reports(program):
    """The page's lines, the same bytes from every build."""
    with page_server(PAGES) as server:
        status, text = page_report_text(program, server.url + "/meta")
        expect((status, text),
               (0, f"page answer:     200 from {server.url}/meta after 0 redirects\n"
                   f"                 text/html, {len(META_PAGE)} bytes\n"
                   "document mode:   edge mode (the engine's newest, IE11 standards)\n"
                   "                 from the X-UA-Compatible meta element (line 5 of the page): \"IE=edge\"\n"
                   "no warnings\n".encode()), "report of a page with the meta element")
        status, text = page_report_text(program, server.url + "/no-doctype")
        fix = ('add <meta http-equiv="X-UA-Compatible" content="IE=edge"> as the first element of <head>'
               ' (after <title> and other <meta> at most), or send the header X-UA-Compatible: IE=edge')
        expect((status, text),
               (1, f"page answer:     200 from {server.url}/no-doctype after 0 redirects\n"
                   f"                 text/html, {len(NO_DOCTYPE_PAGE)} bytes\n"
                   "document mode:   quirks mode (IE5)\n"
                   "                 the default for a page without a doctype: nothing the engine takes asks for"
                   " another mode\n"
                   f"{server.url}/no-doctype: warning: the browser control draws the page in quirks mode (IE5),"
                   " not in edge mode: the page has no doctype and asks for no other mode\n"
                   f"  fix: {fix}\n"
                   "1 warning(s)\n".encode()), "report of a page without a doctype")


def page_not_found(program):
    with page_server(PAGES) as server:
        address = server.url + "/no-such-page"
        status, found, warnings = check_page(program, address)
        expect((found["status"], found["final_address"], found["document_mode"], found["error"]),
               (404, address, None, None), "page member")
        expect((status, warnings), (1, [(address, 0, "page-status")]), "status and warnings")
        status, text = page_report_text(program, address)
        expect(text.splitlines()[:3], [f"page answer:     404 from {address} after 0 redirects".encode(),
                                       b"                 text/html, 12 bytes",
                                       b"document mode:   none: the page answered 404, not 2xx"], "text report")


def page_redirects(program):
    """Relative and absolute Locations of every redirect status are followed,
    ten at most."""
    answers = dict(PAGES)
    with page_server(answers) as server:
        answers["/hop2"] = redirect(303, server.url + "/hop3")
        answers["/hop3"] = redirect(308, "meta")
        status, found, warnings = check_page(program, server.url + "/start")
        expect((status, warnings), (0, []), "status and warnings")
        expect((found["final_address"], found["redirects"], found["status"], found["document_mode"]),
               (server.url + "/meta", 4, 200, "edge"), "page member")
        expect(server.requests, [("GET", path) for path in ("/start", "/hop", "/hop2", "/hop3", "/meta")], "requests")
        server.requests.clear()
        status, found, _ = check_page(program, server.url + "/ten/0")
        expect((status, found["final_address"], found["redirects"], found["error"]),
               (0, server.url + "/ten/10", 10, None), "ten redirects")
        expect(len(server.requests), 11, "requests for ten redirects")


def page_redirect_loop(program):
    with page_server(PAGES) as server:
        address = server.url + "/loop"
        status, found, warnings = check_page(program, address)
        expect((found["status"], found["final_address"], found["redirects"], found["error"]),
               (None, address, 10, f"more than 10 redirects (the last to {address})"), "page member")
        expect((status, warnings), (1, [(address, 0, "page-fetch-failed")]), "status and warnings")
        expect(server.requests, [("GET", "/loop")] * 11, "requests")


def page_redirect_elsewhere(program):
    """A redirect to an address that is not http or https is not followed."""
    with page_server(PAGES) as server:
        address = server.url + "/away"
        status, found, warnings = check_page(program, address)
        expect((status, found["status"], found["final_address"], found["error"]),
               (1, None, address, "redirected to file:///etc/passwd, which is not fetched:"
                                  " it is not an http: or https: address"), "page member")
        expect(server.requests, [("GET", "/away")], "requests")


def page_never_answers(program):
    """A server that takes the connection and never answers: the fetch ends
    at the timeout."""
    with silent_server() as url:
        address = url + "/launch.php"
        status, found, warnings = check_page(program, address, "--timeout", "2")
    expect((found["status"], found["final_address"], found["error"]),
           (None, address, "timed out: no complete answer within 2 seconds"), "page member")
    expect((status, warnings), (1, [(address, 0, "page-fetch-failed")]), "status and warnings")


def page_slow_answer(program):
    """An answer that comes a byte at a time: the timeout bounds the whole
    fetch, not each wait."""
    with page_server(PAGES) as server:
        address = server.url + "/slow"
        status, found, warnings = check_page(program, address, "--timeout", "2")
    expect((found["status"], found["error"]), (None, "timed out: no complete answer within 2 seconds"), "page member")
    expect((status, warnings), (1, [(address, 0, "page-fetch-failed")]), "status and warnings")


def page_untrusted_certificate(program):
    with page_server(PAGES, tls=True) as server:
        address = server.url + "/meta"
        status, found, warnings = check_page(program, address)
    expect((found["status"], found["error"]), (None, "TLS: the server's certificate is not trusted for its name"),
           "page member")
    expect((status, warnings), (1, [(address, 0, "page-fetch-failed")]), "status and warnings")


def page_nothing_listens(program):
    address = unused_address() + "/launch.php"
    status, found, warnings = check_page(program, address)
    expect((found["status"], found["error"]), (None, "cannot connect to the server (refused or unreachable)"),
           "page member")
    expect((status, warnings), (1, [(address, 0, "page-fetch-failed")]), "status and warnings")


def page_body_limit(program):
    """Of a larger page the first 4 MiB are read."""
    with page_server(PAGES) as server:
        status, found, _ = check_page(program, server.url + "/big")
    expect((status, found["status"], found["bytes"], found["truncated"], found["document_mode"]),
           (1, 200, 4 * 2**20, True, "7"), "page member")


def page_default_address(program):
    """Without resourceURL the default launch-page address is fetched, as the
    launcher's own choice makes it; the page server stands in as the HTTP
    proxy, which both internet layers honour, so that no fixed port is used.
    Through a proxy Wine's WinINet names the default port, libcurl does not."""
    directory = scratch_copy(TOOLS / "demo")
    (directory / "install" / "ServerInfo.ini").write_bytes(b"[default]\r\nClientWndCaption=Tarnhold Demo\r\n")
    import harness
    default = harness.default_launch_url()
    requested = harness.default_launch_url_through_proxy() if program.build == "windows" else default
    try:
        with page_server({requested: page(META_PAGE)}) as server:
            status, out, err = program.run(["check", "install", "--page", "--json"], directory,
                                           env={"http_proxy": server.url})
            expect(server.requests, [("GET", requested)], "requests through the proxy")
    finally:
        shutil.rmtree(directory)
    expect_run((status, out, err), 1)
    found = json.loads(out.decode("ascii"))["page"]
    expect((found["address"], found["final_address"], found["status"], found["document_mode"]),
           (default, default, 200, "edge"), "page member")


def page_needs_the_option(program):
    """Without --page nothing is fetched and the report has no page part."""
    with page_server(PAGES) as server:
        directory = page_install(server.url + "/meta")
        try:
            text = program.run(["check", "install"], directory)
            report = program.run(["check", "install", "--json"], directory)
        finally:
            shutil.rmtree(directory)
        expect(server.requests, [], "requests")
    expect_run(text, 0)
    expect_run(report, 0)
    expect((b"page answer:" in text[1], "page" in json.loads(report[1].decode("ascii"))), (False, False),
           "page part without --page")


COMMON = (check_demo_install, check_pitfalls, check_pitfalls_json, check_missing_files, show_pitfalls,
          set_round_trips, set_into_missing_directory, refused_unloadable_files, bad_arguments, concurrent_sets,
          lost_reports, set_hard_link, unmeasurable_file,
          page_document_modes, page_text_reports, page_not_found, page_redirects, page_redirect_loop,
          page_redirect_elsewhere, page_never_answers, page_slow_answer, page_nothing_listens,
          page_untrusted_certificate, page_body_limit, page_default_address,
          page_needs_the_option)
CASES = {
    "native": {case.__name__: case for case in COMMON + (set_read_only_file, no_file_locks, set_through_dangling_link,
                                                          control_bytes_in_paths)},
    "windows": {case.__name__: case for case in COMMON + (set_file_held_open, replace_keeps_identity)},
}


def main(argv):
    if len(argv) == 3 and argv[1] == "--list" and argv[2] in CASES:
        print(";".join(CASES[argv[2]]))
        return 0
    if len(argv) != 4 or argv[1] not in CASES or argv[3] not in CASES[argv[1]]:
        print(f"usage: {argv[0]} --list native|windows | native|windows PROGRAM CASE")
        return 2
    sys.path.insert(0, str(HERE.parent / "e2e"))
    CASES[argv[1]][argv[3]](Program(argv[1], argv[2]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
