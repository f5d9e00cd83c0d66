#!/usr/bin/env python3
"""Checks that a Windows build is reproducible: the sources copied into two
folders of different names and lengths, each configured and built in a build
folder of its own, one after the other (so at different times), give
byte-identical shipped exes. On a difference it names the first differing
offset of each exe that differs.

usage: check_reproducible.py SOURCE WORK ARCH BUILD_TYPE [CMAKE_ARG ...]"""

import argparse
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

SHIPPED = ("app/Launcher.exe", "launcher-settings/launcher-settings.exe")
TARGETS = ("Launcher", "launcher-settings")


def copy_sources(source, destination):
    """The project's tracked files when it is a git checkout, else the whole tree
    without build folders (any folder that holds a CMakeCache.txt)."""
    if destination.exists():
        shutil.rmtree(destination)
    listed = subprocess.run(["git", "-C", str(source), "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            capture_output=True)
    if listed.returncode == 0:
        for name in filter(None, listed.stdout.decode().split("\0")):
            if (source / name).is_file():
                (destination / name).parent.mkdir(parents=True, exist_ok=True)
                shutil.copy2(source / name, destination / name)
        return

    def ignore(directory, names):
        return [name for name in names if name == ".git" or (Path(directory) / name / "CMakeCache.txt").exists()]
    shutil.copytree(source, destination, ignore=ignore)


def build(source, binary, arch, build_type, extra):
    if binary.exists():
        shutil.rmtree(binary)
    subprocess.run(["cmake", "-S", str(source), "-B", str(binary),
                    f"-DCMAKE_TOOLCHAIN_FILE={source}/cmake/mingw-{arch}.cmake", f"-DCMAKE_BUILD_TYPE={build_type}",
                    *extra], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(binary), "-j", str(os.cpu_count() or 1), "--target", *TARGETS],
                   check=True, stdout=subprocess.DEVNULL)


def first_difference(one, other):
    for offset, (a, b) in enumerate(zip(one, other)):
        if a != b:
            return offset
    return min(len(one), len(other))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("source", type=Path)
    parser.add_argument("work", type=Path)
    parser.add_argument("arch")
    parser.add_argument("build_type")
    parser.add_argument("cmake_args", nargs=argparse.REMAINDER)
    arguments = parser.parse_args()

    # Two folders whose names differ in length, so that a path that leaked into
    # an exe would also move what follows it.
    places = (arguments.work / "a" / "src", arguments.work / "second-folder" / "sources")
    builds = []
    for place in places:
        copy_sources(arguments.source.resolve(), place)
        binary = place.parent / f"build-{arguments.arch}-{arguments.build_type}"
        started = time.time()
        build(place, binary, arguments.arch, arguments.build_type, arguments.cmake_args)
        # The PE time stamp counts seconds: the second build starts in a later one.
        time.sleep(max(0.0, 1.1 - (time.time() - started)))
        builds.append(binary)

    problems = []
    for exe in SHIPPED:
        one, other = ((binary / exe).read_bytes() for binary in builds)
        if one == other:
            print(f"{arguments.arch} {arguments.build_type} {exe}: {len(one)} bytes, identical")
        else:
            problems.append(f"{exe} differs: {len(one)} and {len(other)} bytes, first at offset "
                            f"{first_difference(one, other):#x}")
    for problem in problems:
        print(f"problem: {arguments.arch} {arguments.build_type} {problem}")
    if not problems:
        shutil.rmtree(arguments.work)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
