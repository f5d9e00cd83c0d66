#!/usr/bin/env python3
"""Runs the launcher under Wine on the demo install in tools/demo.

It makes an install directory from the demo's settings, a demo player and a
pending update of that player, serves the demo's launch page on 127.0.0.1:8080,
and then runs the launcher twice: without arguments, which shows its window and
opens the launch page, and with `nowindow`, which starts the player. It reports
what happened at each step. It uses the X display of the session when there is
one, and an Xvfb server of its own otherwise (then it saves a screenshot and
closes the window itself).

With `--compare OTHER.exe` it instead times, on the same demo install and in one
Wine session, how long the demo's Launcher.exe and OTHER.exe (another build of it)
each take from their start to the launch page's request, alternating the two for
`--rounds` runs each after one warm-up run, and prints the median, fastest and
slowest times. It is a measurement to read, not a test."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEMO = ROOT / "tools" / "demo"
BUILD = ROOT / "build" / "native"
WINDOWS_BUILD = BUILD / "win-i686"
os.environ.update(E2E_WORK_DIR=str(BUILD / "demo"), E2E_TOOLS_DIR=str(WINDOWS_BUILD / "tests" / "tools"),
                  E2E_LAUNCHER=str(WINDOWS_BUILD / "app" / "Launcher.exe"))
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

import harness  # noqa: E402  (needs the environment above)

# The demo's ServerInfo.ini points the launcher at this port.
PAGE_PORT = 8080
SECONDS_SHOWN_ON_XVFB = 5


def usable_display():
    """The session's X display if a program can connect to it, else None."""
    display = os.environ.get("DISPLAY")
    if not display:
        return None
    probe = subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return display if probe.returncode == 0 else None


def make_demo_install():
    """The install directory: launcher, player, a pending update of the player and
    the demo's settings files."""
    install = harness.make_install("demo", {name: (DEMO / name).read_bytes()
                                            for name in ("ServerInfo.ini", "window.ini")})
    shutil.copy(install / "Velmora.exe", install / "Velmora_.exe")
    return install


def show_window(install, page, own_screen):
    print("\n== Window mode: Launcher.exe without arguments")
    started = harness.start(harness.launcher_command_line(install))
    window = harness.wait_for_window("brelkand", started.process_id())
    print(f"window '{window['caption']}' at {window['window_rect'][:2]}, client area "
          f"{window['client_size'][0]} x {window['client_size'][1]}")
    pending = "still pending" if (install / "Velmora_.exe").exists() else "installed as Velmora.exe"
    print(f"pending update Velmora_.exe: {pending}")
    paths = harness.poll(lambda: page.paths or None)
    print(f"launch page requested from the demo server: {paths}")
    print("Wine has no HTML engine here, so the browser pane stays empty while the server sees the request.")
    if own_screen:
        time.sleep(SECONDS_SHOWN_ON_XVFB)
        print(f"screenshot: {harness.screenshot('launcher-window')}")
        harness.close_window("brelkand", started.process_id())
    else:
        print("Close the launcher's window to go on.")
    print(f"launcher ended with exit code {started.wait(timeout=None)}")


def launch_game(install):
    print("\n== Game launch: Launcher.exe nowindow")
    code = harness.run(harness.launcher_command_line(install, "nowindow"))
    record = harness.read_player_record(install, harness.PATIENCE)
    print(f"launcher ended with exit code {code}; the player runs on with")
    print(f"  command line:      {record['command_line']}")
    print(f"  working directory: {record['working_directory']}")


def seconds_to_launch_page(install, page):
    """Starts the install's launcher in window mode and returns the seconds from
    its start to the launch page's request; closes it again."""
    page.paths.clear()
    start = time.monotonic()
    started = harness.start(harness.launcher_command_line(install))
    if harness.poll(lambda: page.paths or None) is None:
        raise RuntimeError("the launch page was not requested")
    elapsed = time.monotonic() - start
    harness.wait_for_window("brelkand", started.process_id())
    harness.close_window("brelkand", started.process_id())
    started.wait()
    return elapsed


def compare_launch_page_times(install, page, other_exe, rounds):
    print(f"\n== Start to launch-page request: {harness.LAUNCHER} against {other_exe}")
    exes = {"demo": harness.LAUNCHER, "other": Path(other_exe).resolve()}
    times = {label: [] for label in exes}
    for round_number in range(rounds + 1):
        for label, exe in exes.items():
            shutil.copy(exe, install / "Launcher.exe")
            elapsed = seconds_to_launch_page(install, page)
            if round_number > 0:
                times[label].append(elapsed)
    for label, exe in exes.items():
        values = times[label]
        print(f"{label:5} {exe.stat().st_size:>9,} bytes  median {statistics.median(values):.2f} s"
              f"  fastest {min(values):.2f} s  slowest {max(values):.2f} s")


def main():
    parser = argparse.ArgumentParser(description="Runs the launcher under Wine on the demo install.")
    parser.add_argument("--compare", metavar="OTHER.exe",
                        help="time the start-to-launch-page request against another build instead")
    parser.add_argument("--rounds", type=int, default=5, help="timed runs of each exe with --compare")
    options = parser.parse_args()
    display = None if options.compare else usable_display()
    print(f"Starting a Wine session on {display or 'an Xvfb screen of its own'} (a fresh prefix takes a few seconds)")
    harness.start_session(display)
    try:
        install = make_demo_install()
        print(f"demo install: {install}")
        with harness.page_server(PAGE_PORT) as page:
            if options.compare:
                compare_launch_page_times(install, page, options.compare, options.rounds)
                return
            show_window(install, page, own_screen=display is None)
        launch_game(install)
    finally:
        harness.end_session()


if __name__ == "__main__":
    main()
