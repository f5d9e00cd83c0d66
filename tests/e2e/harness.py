"""Helpers for the end-to-end tests, which run a Windows build, the shipped i686 one
or its x86_64 twin, under Wine. 32-bit programs run in the same 64-bit prefix as
64-bit ones (tools/enable-32bit.sh makes sure this machine can run them).

ctest gives each test script, through its environment:
  E2E_WORK_DIR   build-tree directory for the Wine session, the cases and the artifacts
  E2E_ARCH       the build the case runs: i686 or x86_64
  E2E_TOOLS_DIR  that build's Windows test tools: starter.exe, winprobe.exe, holder.exe, Velmora.exe
  E2E_LAUNCHER   that build's Launcher.exe
  E2E_SCREEN     the Xvfb screen, e.g. 1366x768x24
  E2E_DEFAULT_LAUNCH_URL  the launch page the build's launcher opens when ServerInfo.ini
                 names none (from the build option LAUNCHER_PAGE_SERVER)
and to the session's start and end E2E_TOOLS_DIR_I686 and E2E_TOOLS_DIR_X86_64,
the test tools of both builds.

One session, made by the ctest fixture's setup (start_session) and removed by its
cleanup (end_session), owns an Xvfb server, a Wine prefix served by a persistent
wineserver, and a zh_CN.UTF-8 locale compiled into the work directory. Every test
talks to that one wineserver; session.json in the work directory says where it is.

Wine programs never write into a pipe here: the processes they start (Wine's own
services, a player that stays running) inherit the standard handles, and a reader
of the pipe would wait for all of them to end. Their output goes to files.
"""

import contextlib
import http.server
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import traceback
from pathlib import Path

WORK_DIR = Path(os.environ.get("E2E_WORK_DIR", "e2e-work")).resolve()
TOOLS_DIR = Path(os.environ.get("E2E_TOOLS_DIR", ".")).resolve()
LAUNCHER = Path(os.environ.get("E2E_LAUNCHER", "Launcher.exe")).resolve()
# The Windows build the case runs, i686 or x86_64.
ARCH = os.environ.get("E2E_ARCH", "x86_64")
SCREEN = os.environ.get("E2E_SCREEN", "1366x768x24")


def default_launch_url():
    """The launch page the launcher under test opens when ServerInfo.ini names none.
    Only the build knows it; read when a case runs, since listing the cases needs
    no build."""
    return os.environ["E2E_DEFAULT_LAUNCH_URL"]


def default_launch_url_through_proxy():
    """The default launch-page URL as Wine's internet layer asks an HTTP proxy for
    it: with the port, 80 when the URL names none."""
    scheme, rest = default_launch_url().split("://", 1)
    server, path = rest.split("/", 1)
    if ":" not in server:
        server += ":80"
    return f"{scheme}://{server}/{path}"


WINE = "/usr/lib/wine/wine64"
WINESERVER = "wineserver"
PREFIX_DIR = WORK_DIR / "prefix"
HOME_DIR = WORK_DIR / "home"
LOCALE_DIR = WORK_DIR / "locale"
CASES_DIR = WORK_DIR / "cases"
ARTIFACTS_DIR = WORK_DIR / "artifacts"
OUTPUT_DIR = WORK_DIR / "output"
SESSION_FILE = WORK_DIR / "session.json"

IDOK = 1
PLAYER_RECORD = "player-record.json"
PLAYER_STARTS = "player-starts.txt"

# Seconds to wait for what takes a second or two under Wine on an idle machine
# (the first browser window of a session takes several). Generous, because the
# machines that run these tests are often heavily loaded; a case that works
# never waits this long.
PATIENCE = 60.0

# Without a window manager, each hide or close of a window stalls unless Wine
# manages the windows itself; Decorated=N makes it draw their frames too.
X11_DRIVER_SETTINGS = (
    "REGEDIT4\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"
    '"Managed"="N"\r\n'
    '"Decorated"="N"\r\n'
)


# --- the session -----------------------------------------------------------

def start_session(display=None):
    """Makes the Wine prefix and starts its persistent wineserver, on the X
    display given, or else on an Xvfb server of its own."""
    end_session()
    shutil.rmtree(WORK_DIR, ignore_errors=True)
    for directory in (PREFIX_DIR, HOME_DIR, LOCALE_DIR, CASES_DIR, ARTIFACTS_DIR, OUTPUT_DIR):
        directory.mkdir(parents=True)
    # Wine takes code page 936 from LANG, but converts its environment and
    # arguments with the C library's locale, which must exist for that to be UTF-8.
    locale_build = subprocess.Popen(["localedef", "-i", "zh_CN", "-f", "UTF-8", str(LOCALE_DIR / "zh_CN.UTF-8")],
                                    stdout=subprocess.DEVNULL)
    xvfb_pid = None
    if display is None:
        display, xvfb_pid = _start_xvfb()
    SESSION_FILE.write_text(json.dumps({"display": display, "xvfb_pid": xvfb_pid}))
    env = wine_env()
    # The prefix is made, and its X11 driver set, by a wineserver of its own that
    # ends with them: when a persistent wineserver watches the prefix being made,
    # a second set of Wine's services starts beside the first, and the two then
    # hold up the browser control's loading for seconds at a time.
    _run_to_file([WINE, "wineboot", "-i"], env, timeout=120)
    settings = OUTPUT_DIR / "x11-driver.reg"
    settings.write_text(X11_DRIVER_SETTINGS)
    _run_to_file([WINE, "regedit", "/S", str(settings)], env, PATIENCE)
    subprocess.run([WINESERVER, "-w"], env=env, check=True, timeout=120)
    # The persistent wineserver outlives this process: it must not keep its
    # standard output, which ctest reads to the end.
    subprocess.run([WINESERVER, "-p"], env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _run_to_file([WINE, "wineboot"], env, timeout=120)
    import standin_browser  # the module imports this one
    standin_browser.register(env)
    locale_build.wait(timeout=120)
    if not (LOCALE_DIR / "zh_CN.UTF-8" / "LC_CTYPE").exists():
        raise RuntimeError("localedef could not compile zh_CN.UTF-8 (is the locales package installed?)")


def end_session():
    """Stops the wineserver of the prefix and the Xvfb server of the last session."""
    if not SESSION_FILE.exists():
        return
    if PREFIX_DIR.exists():
        subprocess.run([WINESERVER, "-k"], env=wine_env(), check=False)
    xvfb_pid = _session()["xvfb_pid"]
    if xvfb_pid is not None and _is_running_xvfb(xvfb_pid):
        os.kill(xvfb_pid, signal.SIGTERM)
    SESSION_FILE.unlink()


def _start_xvfb():
    """Starts Xvfb on a display it finds free; returns the display's name and its PID."""
    read_end, write_end = os.pipe()
    with open(WORK_DIR / "xvfb.log", "wb") as log:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp"],
                                pass_fds=(write_end,), stdout=log, stderr=log, start_new_session=True)
    os.close(write_end)
    with os.fdopen(read_end) as display_pipe:
        display = display_pipe.readline().strip()
    if not display:
        raise RuntimeError(f"Xvfb did not start; see {WORK_DIR / 'xvfb.log'}")
    return f":{display}", xvfb.pid


def _is_running_xvfb(pid):
    try:
        return Path(f"/proc/{pid}/cmdline").read_bytes().split(b"\0")[0].endswith(b"Xvfb")
    except OSError:
        return False


def _session():
    return json.loads(SESSION_FILE.read_text())


def wine_env(code_page_936=False, extra=None):
    """The environment of a Wine process of the session: code page 1252 by default,
    936 on request; `extra` adds variables, which Windows programs pass on."""
    env = {
        "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
        "HOME": str(HOME_DIR),
        "WINEPREFIX": str(PREFIX_DIR),
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree=;winemenubuilder.exe=d",
        "LANG": "C.UTF-8",
        "LC_ALL": "C.UTF-8",
    }
    if SESSION_FILE.exists():
        env["DISPLAY"] = _session()["display"]
    if code_page_936:
        env.update(LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8", LOCPATH=str(LOCALE_DIR))
    env.update(extra or {})
    return env


def _output_file(stem):
    handle, name = tempfile.mkstemp(prefix=stem + "-", suffix=".out", dir=OUTPUT_DIR)
    os.close(handle)
    return Path(name)


def _run_to_file(args, env, timeout):
    """Runs a Wine program to its end; returns its exit code and standard output."""
    output = _output_file(Path(args[1]).stem)
    with open(output, "wb") as stdout:
        completed = subprocess.run(args, env=env, stdout=stdout, stderr=subprocess.STDOUT, timeout=timeout)
    return completed.returncode, output.read_text(encoding="utf-8", errors="replace")


def windows_path(path):
    """The Windows name of a Linux path (Wine maps drive Z: to /)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


# --- install directories ---------------------------------------------------

def case_dir(case):
    """A new, empty directory for one test case."""
    directory = CASES_DIR / case
    shutil.rmtree(directory, ignore_errors=True)
    directory.mkdir(parents=True)
    return directory


def make_install(case, files=None, launcher=True, player=True, name="install"):
    """A fresh install directory for a case: Launcher.exe and the stand-in
    Velmora.exe unless told otherwise, and `files` (name -> bytes or str; a str
    is written as UTF-8, bytes as they are, for settings in a given code page)."""
    install = case_dir(case) / name
    install.mkdir()
    if launcher:
        shutil.copy(LAUNCHER, install / "Launcher.exe")
    if player:
        shutil.copy(TOOLS_DIR / "Velmora.exe", install / "Velmora.exe")
    for file_name, contents in (files or {}).items():
        data = contents.encode("utf-8") if isinstance(contents, str) else contents
        (install / file_name).write_bytes(data)
    return install


@contextlib.contextmanager
def drive(letter, directory):
    """Makes `directory` the root of drive `letter` for the block and yields the
    drive's name, e.g. "Y:"."""
    link = PREFIX_DIR / "dosdevices" / f"{letter.lower()}:"
    link.symlink_to(Path(directory).resolve(), target_is_directory=True)
    try:
        yield f"{letter.upper()}:"
    finally:
        link.unlink()


def read_player_record(install, timeout=0.0):
    """The stand-in player's record (command_line, working_directory, process_id,
    ansi_code_page), waiting up to `timeout` seconds for it; None if there is none."""
    record = Path(install) / PLAYER_RECORD
    return poll(lambda: json.loads(record.read_text(encoding="utf-8")) if record.exists() else None, timeout)


def player_starts(install):
    """How many times the stand-in player of `install` has started; it counts a
    start before it writes its record, so the count is whole once the record is."""
    starts = Path(install) / PLAYER_STARTS
    return len(starts.read_bytes().splitlines()) if starts.exists() else 0


def poll(probe, timeout=PATIENCE):
    """Calls probe() until it returns something other than None or `timeout`
    seconds have passed; returns its last result."""
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result is not None or time.monotonic() >= deadline:
            return result
        time.sleep(0.05)


# --- starting programs -----------------------------------------------------

class StartFailed(Exception):
    """CreateProcessW refused to start the program; `error` is its GetLastError."""

    def __init__(self, error):
        super().__init__(f"CreateProcessW failed with error {error}")
        self.error = error


class Started:
    """A program that starter.exe started and is waiting for."""

    # starter.exe says at once whether CreateProcessW succeeded. Now and then the
    # 32-bit Wine loader, running under qemu-user, dies before the starter has
    # said anything, so before anything was started; the starter is then run again.
    RESTARTS = 2

    def __init__(self, launch):
        self._launch = launch
        self._starter, self._output = launch()
        self._restarts = 0

    def _reports(self):
        text = self._output.read_text(encoding="utf-8", errors="replace")
        return [json.loads(line) for line in text.splitlines() if line.startswith("{")]

    def _start_report(self):
        """What starter.exe said about the start; None before it has said it."""
        return next((report for report in self._reports() if "started" in report), None)

    def _restarted(self):
        """Runs the starter again if it ended without a word; True if it did."""
        if self.running() or self._output.stat().st_size > 0 or self._restarts >= self.RESTARTS:
            return False
        print(f"starter.exe ended with {self._starter.returncode} before saying anything; starting it again",
              file=sys.stderr)
        self._restarts += 1
        self._starter, self._output = self._launch()
        return True

    def _check_started(self, report):
        if report is None:
            raise RuntimeError(f"starter.exe (exit code {self._starter.returncode}) reported no start: "
                               f"{self._output.read_text()}")
        if not report["started"]:
            raise StartFailed(report["error"])
        return report

    def process_id(self, timeout=PATIENCE):
        """The Windows process id of the started program."""
        def probe():
            report = self._start_report()
            if report is not None or self.running() or self._restarted():
                return report
            return {}  # the starter ended without saying anything about a start

        return self._check_started(poll(probe, timeout) or None)["process_id"]

    def running(self):
        return self._starter.poll() is None

    def wait(self, timeout=PATIENCE):
        """Waits for the program to end and returns its exit code."""
        self._starter.wait(timeout=timeout)
        while self._restarted():
            self._starter.wait(timeout=timeout)
        self._check_started(self._start_report())
        exit_report = next((report for report in self._reports() if "exit_code" in report), None)
        if exit_report is None:
            raise RuntimeError(f"starter.exe exited with {self._starter.returncode}: {self._output.read_text()}")
        return exit_report["exit_code"]

    def kill(self):
        """Ends the program if it still runs (and with it the waiting starter)."""
        if self.running():
            _run_to_file([WINE, "taskkill", "/F", "/PID", str(self.process_id())], wine_env(), PATIENCE)
            self._starter.wait(timeout=PATIENCE)


_started = []


def start(command_line, application=None, directory=None, show=None, code_page_936=False, env=None):
    """Starts a program with exactly `command_line` and returns at once.
    `application`, `directory`: CreateProcessW's application name and working
    directory (Linux paths, or Windows names as str); `show`: a SW_ value for
    STARTF_USESHOWWINDOW; `env`: variables added to the program's environment."""
    request = _output_file("command-line")
    request.write_bytes(command_line.encode("utf-8"))
    args = [WINE, str(TOOLS_DIR / "starter.exe")]
    if application is not None:
        args += ["--application", _windows_name(application)]
    if directory is not None:
        args += ["--directory", _windows_name(directory)]
    if show is not None:
        args += ["--show", str(show)]
    args.append(windows_path(request))

    def launch():
        output = _output_file("starter")
        with open(output, "wb") as stdout:
            starter = subprocess.Popen(args, env=wine_env(code_page_936, env), stdout=stdout,
                                       stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        return starter, output

    started = Started(launch)
    _started.append(started)
    return started


def run(command_line, timeout=PATIENCE, **options):
    """Starts a program like start() and returns its exit code when it ends."""
    return start(command_line, **options).wait(timeout)


def _windows_name(path):
    return path if isinstance(path, str) else windows_path(path)


def launcher_command_line(install, arguments=""):
    """The usual command line of the launcher in `install`: its quoted full path,
    then a space and `arguments` when there are any."""
    quoted = f'"{windows_path(Path(install) / "Launcher.exe")}"'
    return f"{quoted} {arguments}" if arguments else quoted


# --- windows ---------------------------------------------------------------

def _winprobe(action, class_name, process_id=None, wait=0.0, visible=True, extra=()):
    args = [WINE, str(TOOLS_DIR / "winprobe.exe"), action, "--class", class_name, "--wait", str(int(wait * 1000))]
    if process_id is not None:
        args += ["--process", str(process_id)]
    if visible:
        args.append("--visible")
    code, output = _run_to_file(args + list(extra), wine_env(), timeout=wait + PATIENCE)
    if code not in (0, 1):
        raise RuntimeError(f"winprobe.exe {action} failed with {code}: {output}")
    return json.loads(output)


def find_window(class_name, process_id=None, wait=0.0, visible=True):
    """The first top-level window of a class (only a visible one unless told
    otherwise, of one process if given), looking for up to `wait` seconds; None if
    there is none. The result has caption, class, window_rect, client_rect (screen
    coordinates), client_size, style, ex_style, visible, iconic, process_id and
    children (class, text, id, rect, style, visible)."""
    return _winprobe("find", class_name, process_id, wait, visible)


def wait_for_window(class_name, process_id=None, timeout=PATIENCE, visible=True):
    """Like find_window, but a missing window is a test failure."""
    window = find_window(class_name, process_id, timeout, visible)
    if window is None:
        raise AssertionError(f"no window of class {class_name!r} appeared within {timeout} s")
    return window


def press_button(class_name, button_id, process_id=None, wait=0.0):
    """Clicks the button with control id `button_id` of a dialog (IDOK for a
    message box's OK); returns the dialog as find_window describes it."""
    return _winprobe("press", class_name, process_id, wait, extra=("--button", str(button_id)))


def close_window(class_name, process_id=None, wait=0.0):
    """Posts WM_CLOSE to a window; returns it as find_window describes it."""
    return _winprobe("close", class_name, process_id, wait)


def system_close(class_name, process_id=None, wait=0.0):
    """Posts the system menu's Close (WM_SYSCOMMAND, SC_CLOSE) to a window."""
    return _winprobe("sysclose", class_name, process_id, wait)


def activate_window(class_name, process_id=None, wait=0.0):
    """Makes a window the foreground window; returns it as find_window describes it."""
    return _winprobe("activate", class_name, process_id, wait)


def minimize_window(class_name, process_id=None, wait=0.0):
    """Posts the system menu's Minimize (WM_SYSCOMMAND, SC_MINIMIZE) to a window."""
    return _winprobe("minimize", class_name, process_id, wait)


def restore_window(class_name, process_id=None, wait=0.0):
    """Posts the system menu's Restore (WM_SYSCOMMAND, SC_RESTORE) to a window."""
    return _winprobe("restore", class_name, process_id, wait)


def press_virtual_key(class_name, virtual_key, process_id=None):
    """Presses and releases a virtual key through the system's input queue, for
    the window that has the keyboard (a window of `class_name` must exist)."""
    return _winprobe("key", class_name, process_id, extra=("--vk", str(virtual_key)))


def click_at(x, y):
    """Clicks the left mouse button at a point of the screen."""
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], env=dict(os.environ, DISPLAY=_session()["display"]),
                   check=True, timeout=PATIENCE)


def list_windows():
    """Every top-level window, as find_window describes them, for debugging."""
    code, output = _run_to_file([WINE, str(TOOLS_DIR / "winprobe.exe"), "list"], wine_env(), PATIENCE)
    if code != 0:
        raise RuntimeError(f"winprobe.exe list failed with {code}: {output}")
    return json.loads(output)


def child_texts(window):
    """The texts of a window's children, e.g. a message box's message and buttons."""
    return [child["text"] for child in window["children"]]


def screenshot(label):
    """Saves the whole Xvfb screen as artifacts/<label>.png and returns its path."""
    picture = ARTIFACTS_DIR / f"{label}.png"
    subprocess.run(["import", "-display", _session()["display"], "-window", "root", str(picture)],
                   check=True, timeout=PATIENCE)
    return picture


# --- files in use ----------------------------------------------------------

@contextlib.contextmanager
def hold_file(path):
    """Keeps `path` open in a Windows process without sharing while the block runs."""
    output = _output_file("holder")
    with open(output, "wb") as stdout:
        holder = subprocess.Popen([WINE, str(TOOLS_DIR / "holder.exe"), "hold", windows_path(path)], env=wine_env(),
                                  stdin=subprocess.PIPE, stdout=stdout, stderr=subprocess.STDOUT)
    try:
        reply = poll(lambda: output.read_text().strip() or (None if holder.poll() is None else "exited"), PATIENCE)
        if reply != '{"held":true}':
            raise RuntimeError(f"holder.exe could not hold {path}: {reply}")
        yield
    finally:
        holder.stdin.close()
        holder.wait(timeout=PATIENCE)


def open_for_writing_error(path):
    """0 if a Windows process can open `path` for writing, else its error code
    (32: in use by another process)."""
    _, output = _run_to_file([WINE, str(TOOLS_DIR / "holder.exe"), "try-write", windows_path(path)], wine_env(), PATIENCE)
    return json.loads(output).get("error", 0)


# --- a web server for the browser ------------------------------------------

class PageServer(http.server.ThreadingHTTPServer):
    """A loopback HTTP server that answers every GET with a small page and keeps
    the requested paths in `paths` (whole addresses when a program uses it as its
    HTTP proxy); on a free port unless given one."""

    def __init__(self, port=0):
        self.paths = []
        super().__init__(("127.0.0.1", port), _PageHandler)
        self.url = f"http://127.0.0.1:{self.server_address[1]}"


class _PageHandler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.server.paths.append(self.path)
        body = b"<html><body>launch page</body></html>"
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def page_server(port=0):
    """A running PageServer for the duration of the block."""
    server = PageServer(port)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield server
    finally:
        server.shutdown()
        server.server_close()


# --- running cases ---------------------------------------------------------

def expect(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def main(cases):
    """Runs the one case named on the command line (`--list` prints the names).
    A failing case leaves a screenshot and the list of windows in the artifacts;
    programs that it started and that still run are ended either way."""
    name = sys.argv[1] if len(sys.argv) == 2 else ""
    if name == "--list":
        print(";".join(cases))
        return 0
    if name not in cases:
        print(f"usage: {sys.argv[0]} --list | CASE, with CASE one of: {', '.join(cases)}")
        return 2
    try:
        cases[name](name)
        return 0
    except Exception:
        traceback.print_exc()
        print(f"screenshot: {screenshot(name + '-failure')}")
        for window in list_windows():
            print(f"window: {window['class']!r} {window['caption']!r} process {window['process_id']}"
                  f" visible {window['visible']} at {window['window_rect']}")
        return 1
    finally:
        for started in _started:
            started.kill()
