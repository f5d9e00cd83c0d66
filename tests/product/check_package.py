#!/usr/bin/env python3
"""Makes the release package of a Windows build as a publisher does
(`cmake --build BUILD --target package`) and checks it: one zip in the build
folder, holding exactly the two exes (byte for byte the build's own), the example
settings (CR LF lines, the address in double quotes), the publisher's guide and a
SHA256SUMS that `sha256sum -c` verifies for every other file; the example
settings pass `launcher-settings check` without a warning.

usage: check_package.py BUILD LAUNCHER_SETTINGS"""

import argparse
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

EXES = {"Launcher.exe": "app/Launcher.exe", "launcher-settings.exe": "launcher-settings/launcher-settings.exe"}
SETTINGS = ("ServerInfo.ini", "window.ini")
GUIDE = "PUBLISHER-GUIDE.txt"
SUMS = "SHA256SUMS"
# What the guide must speak of: where the files go, the two settings files and
# their keys, checking them, the pending update, checking the package.
GUIDE_TOPICS = ("Velmora.exe", "ServerInfo.ini", "resourceURL", "ClientWndCaption", "window.ini", "SCREENWIDTH",
                "SCREENHEIGHT", "launcher-settings check", "--page", "X-UA-Compatible", "Velmora_.exe",
                "sha256sum -c SHA256SUMS")


def crlf_problems(name, data):
    problems = []
    if data.count(b"\n") != data.count(b"\r\n") or data.count(b"\r") != data.count(b"\r\n"):
        problems.append(f"{name}: line breaks other than CR LF")
    if not data.endswith(b"\r\n"):
        problems.append(f"{name}: the last line has no CR LF")
    return problems


def make_package(build):
    for old in build.glob("*.zip"):
        old.unlink()
    done = subprocess.run(["cmake", "--build", str(build), "--target", "package"], capture_output=True, text=True)
    if done.returncode != 0:
        raise SystemExit(f"the package target failed:\n{done.stdout}{done.stderr}")
    return list(build.glob("*.zip"))


def check(build, launcher_settings):
    zips = make_package(build)
    if len(zips) != 1:
        return [f"expected one zip in {build}, found {[path.name for path in zips]}"]
    problems = []
    with zipfile.ZipFile(zips[0]) as package:
        names = [name for name in package.namelist() if not name.endswith("/")]
        folders = {name.split("/")[0] for name in names}
        if len(folders) != 1 or any(name.count("/") != 1 for name in names):
            return [f"expected every file in one top folder, found {names}"]
        top = folders.pop()
        found = {name.split("/", 1)[1] for name in names}
        expected = {*EXES, *SETTINGS, GUIDE, SUMS}
        if found != expected:
            problems.append(f"files {sorted(found)}, expected {sorted(expected)}")
        read = {name: package.read(f"{top}/{name}") for name in found}
        with tempfile.TemporaryDirectory() as scratch:
            package.extractall(scratch)
            unpacked = Path(scratch) / top
            problems += content_problems(build, read, unpacked, launcher_settings)
    print(f"{zips[0].name}: {sorted(found)}")
    return problems


def content_problems(build, read, unpacked, launcher_settings):
    problems = []
    for name, built in EXES.items():
        if read.get(name) != (build / built).read_bytes():
            problems.append(f"{name} is not the build's own {built}")
    for name in (*SETTINGS, GUIDE):
        problems += crlf_problems(name, read.get(name, b""))
    if b'resourceURL="' not in read.get("ServerInfo.ini", b""):
        problems.append("ServerInfo.ini: resourceURL is not in double quotes")
    guide = read.get(GUIDE, b"").decode("utf-8", "replace")
    problems += [f"{GUIDE} does not mention {topic}" for topic in GUIDE_TOPICS if topic not in guide]

    listed = sorted(line.split("  ", 1)[1] for line in read.get(SUMS, b"").decode().splitlines() if "  " in line)
    if listed != sorted(set(read) - {SUMS}):
        problems.append(f"{SUMS} lists {listed}, expected every other file")
    verified = subprocess.run(["sha256sum", "-c", SUMS], cwd=unpacked, capture_output=True, text=True)
    if verified.returncode != 0:
        problems.append(f"sha256sum -c {SUMS} failed:\n{verified.stdout}{verified.stderr}")

    checked = subprocess.run([launcher_settings, "check", str(unpacked)], capture_output=True, text=True)
    if checked.returncode != 0:
        problems.append(f"launcher-settings check of the example settings: status {checked.returncode}\n"
                        f"{checked.stdout}{checked.stderr}")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", type=Path)
    parser.add_argument("launcher_settings")
    arguments = parser.parse_args()
    problems = check(arguments.build, arguments.launcher_settings)
    for problem in problems:
        print(f"problem: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
