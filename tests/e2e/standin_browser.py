"""The stand-in browser control (tests/tools, StandInBrowser.dll) in the session's
Wine prefix: its registration, the switch of the browser's ProgID to it for the
cases that want it, and its record.

Wine 8 looks COM classes up in the machine's registry only, so the stand-in's
class is registered under HKLM\\Software\\Classes: the x86_64 DLL in the 64-bit
view (CLSID), the i686 DLL in the 32-bit view (Wow6432Node\\CLSID). The ProgID key
shell.Explorer.2 is shared by both views; pointing its CLSID at the stand-in makes
CLSIDFromProgID, and so the launcher, create the stand-in instead of the system's
control. Only a case inside `standing_in()` sees that; the other cases keep the
real control."""

import contextlib
import json
import os
from pathlib import Path

import harness

DLL_NAME = "StandInBrowser.dll"
CLSID = "{181F8132-4B80-489F-81CF-A7E40AD07C4E}"
PROG_ID_KEY = r"HKEY_LOCAL_MACHINE\Software\Classes\shell.Explorer.2\CLSID"
# Where each build's DLL is registered: the 64-bit and the 32-bit view of the
# machine's classes.
CLASS_KEYS = {
    "x86_64": r"HKEY_LOCAL_MACHINE\Software\Classes\CLSID",
    "i686": r"HKEY_LOCAL_MACHINE\Software\Classes\Wow6432Node\CLSID",
}
RECORD_VARIABLE = "STAND_IN_BROWSER_RECORD"
FAIL_VARIABLE = "STAND_IN_BROWSER_FAIL"

# The verbs of IOleObject::DoVerb the host uses.
OLEIVERB_UIACTIVATE = -4
OLEIVERB_INPLACEACTIVATE = -5
DOCHOSTUIFLAG_NO3DBORDER = 0x4
DOCHOSTUIDBLCLK_DEFAULT = 0


def tools_dirs():
    """The tools directory of each Windows build that the session is given, by
    architecture; E2E_TOOLS_DIR stands for the build of E2E_ARCH (x86_64 unless
    told) when no per-build directory is given."""
    dirs = {arch: os.environ.get(f"E2E_TOOLS_DIR_{arch.upper()}") for arch in CLASS_KEYS}
    if not any(dirs.values()) and os.environ.get("E2E_TOOLS_DIR"):
        dirs[os.environ.get("E2E_ARCH", "x86_64")] = os.environ["E2E_TOOLS_DIR"]
    return {arch: Path(directory) for arch, directory in dirs.items() if directory}


def registration():
    """The .reg text that registers the DLL of every build that has one."""
    lines = ["REGEDIT4", ""]
    for arch, directory in sorted(tools_dirs().items()):
        dll = directory / DLL_NAME
        if not dll.exists():
            continue
        key = f"{CLASS_KEYS[arch]}\\{CLSID}"
        path = harness.windows_path(dll).replace("\\", "\\\\")
        lines += [f"[{key}]", '@="Stand-in browser control"', "",
                  f"[{key}\\InprocServer32]", f'@="{path}"', '"ThreadingModel"="Apartment"', ""]
    return "\r\n".join(lines) + "\r\n"


def register(env):
    """Registers the stand-in in the prefix, with the environment of a Wine
    program of the session; the ProgID is left alone."""
    reg_file = harness.OUTPUT_DIR / "stand-in-browser.reg"
    reg_file.write_text(registration())
    code, output = harness._run_to_file([harness.WINE, "regedit", "/S", str(reg_file)], env, harness.PATIENCE)
    if code != 0:
        raise RuntimeError(f"regedit could not register the stand-in browser control: {output}")


def _reg(*args):
    return harness._run_to_file([harness.WINE, "reg", *args], harness.wine_env(), harness.PATIENCE)


def prog_id_class():
    """The CLSID that shell.Explorer.2 names now, or None."""
    code, output = _reg("query", PROG_ID_KEY, "/ve")
    if code != 0:
        return None
    for line in output.splitlines():
        if "REG_SZ" in line:
            return line.split("REG_SZ", 1)[1].strip()
    return None


def _set_prog_id_class(clsid):
    code, output = _reg("add", PROG_ID_KEY, "/ve", "/d", clsid, "/f")
    if code != 0:
        raise RuntimeError(f"reg add {PROG_ID_KEY} failed: {output}")


@contextlib.contextmanager
def standing_in():
    """Makes shell.Explorer.2 the stand-in for the block; the system's control
    comes back afterwards, whatever happens in the block."""
    original = prog_id_class()
    if original is None:
        raise RuntimeError(f"no CLSID under {PROG_ID_KEY} to stand in for")
    _set_prog_id_class(CLSID)
    try:
        yield
    finally:
        _set_prog_id_class(original)


def record_path(case):
    """A fresh record file for a case (the stand-in appends to it)."""
    path = harness.case_dir(case + "-record") / "stand-in-browser.jsonl"
    return path


def record_env(path, fail=None):
    """The environment that makes the stand-in record into `path` (and fail in
    the method `fail`), for harness.start(env=...)."""
    env = {RECORD_VARIABLE: harness.windows_path(path)}
    if fail is not None:
        env[FAIL_VARIABLE] = fail
    return env


def read_record(path):
    """Every line the stand-in recorded so far, as dicts, in order."""
    if not Path(path).exists():
        return []
    return [json.loads(line) for line in Path(path).read_text(encoding="utf-8").splitlines() if line.strip()]
