"""End-to-end cases of the launcher: start-up, the pending update, the mode choice
and the game launch, each in a fresh install directory with the stand-in player."""

import contextlib
import functools
import os
from pathlib import Path

import harness
import program_images
from harness import expect

PLAYER_LINE = '"Velmora.exe"  Launch Korrin Korrin.dll kt999 1 localversion {url} facebook'
UPDATE_MESSAGE = "游戏正在运行，请关闭游戏后进行更新操作"
UPDATE_CAPTION = "更新错误"
START_FAILURE_MESSAGE = "启动游戏失败"


def server_info(url=None, caption=None):
    """ServerInfo.ini with CR LF line breaks; the URL in quotes, since an unquoted
    value would end at its "//". `caption` is bytes in some code page."""
    lines = [b"[default]"]
    if url is not None:
        lines.append(b'resourceURL="' + url.encode("ascii") + b'"')
    if caption is not None:
        lines.append(b"ClientWndCaption=" + caption)
    return b"\r\n".join(lines) + b"\r\n"


# A window size that makes screenshots of window mode readable.
WINDOW_INI = b"[SYSTEM]\r\nSCREENWIDTH=480\r\nSCREENHEIGHT=320\r\n"


def url_of_length(length):
    start = "http://127.0.0.1/launch.php?pad="
    return start + "x" * (length - len(start))


def player_file():
    return (harness.TOOLS_DIR / "Velmora.exe").read_bytes()


def other_build_player_file():
    """The stand-in player of the other Windows build: x86_64 beside the i686
    launcher, i686 beside the x86_64 one."""
    other = "E2E_TOOLS_DIR_X86_64" if harness.ARCH == "i686" else "E2E_TOOLS_DIR_I686"
    return (Path(os.environ[other]) / "Velmora.exe").read_bytes()


def update_file():
    """A pending update: the stand-in player with bytes appended, so that it still
    runs and can be told apart from the installed player."""
    return player_file() + b"pending update"


def expect_no_player_started(install):
    """A player that the launcher started either still runs, and then its exe
    cannot be opened for writing, or it has already written its record."""
    expect(harness.open_for_writing_error(install / "Velmora.exe"), 0, "error opening the player for writing")
    expect(harness.read_player_record(install), None, "player record")


# --- allocation --------------------------------------------------------------

def allocation_failures_end_the_process_or_answer_null(case):
    """The launcher's own allocation functions (allocprobe.exe links them as the
    launcher does): an ordinary allocation that cannot be had, and a string asked
    to grow past its largest size, end the process at once through abort (exit
    code 3); a nothrow allocation answers null and the process goes on."""
    harness.case_dir(case)
    # (arguments, exit code, what the probe printed)
    table = (
        ("new 100", 0, ['{"allocated":true}']),
        ("nothrow 100", 0, ['{"allocated":true}']),
        ("nothrow huge", 0, ['{"allocated":false}']),
        ("new huge", 3, []),
        ("too-long", 3, ['{"asking":"too long"}']),
    )
    for arguments, exit_code, printed in table:
        code, output = harness._run_to_file([harness.WINE, str(harness.TOOLS_DIR / "allocprobe.exe"),
                                             *arguments.split()], harness.wine_env(), harness.PATIENCE)
        expect((code, output.splitlines()), (exit_code, printed), f"allocprobe {arguments}: exit code and output")


def settings_too_large_for_memory_are_a_failed_load(case):
    """A ServerInfo.ini of 2,147,483,647 bytes (the largest the settings class
    takes; sparse, so it costs no disk) cannot be held by the 32-bit launcher: its
    load fails and the game launch passes an empty URL, as without the file. The
    64-bit twin has the room, reads it whole and passes the URL."""
    url = "http://127.0.0.1//launch.php?large=1"
    install = harness.make_install(case)
    with open(install / "ServerInfo.ini", "wb") as settings:
        settings.write(server_info(url=url))
        settings.truncate(2_147_483_647)
    started = harness.start(harness.launcher_command_line(install, "nowindow"))
    expect(started.wait(), 0, "launcher's exit code")
    record = harness.read_player_record(install, timeout=harness.PATIENCE)
    expected = "" if harness.ARCH == "i686" else url
    expect(record["command_line"], PLAYER_LINE.format(url=expected), f"player's command line ({harness.ARCH})")


# --- start-up --------------------------------------------------------------

def working_directory_follows_the_launcher(case):
    install = harness.make_install(case, {"ServerInfo.ini": server_info(url="http://127.0.0.1/install")})
    elsewhere = install.parent / "elsewhere"
    elsewhere.mkdir()
    (elsewhere / "ServerInfo.ini").write_bytes(server_info(url="http://127.0.0.1/elsewhere"))
    started = harness.start(harness.launcher_command_line(install, "nowindow"), directory=elsewhere)
    expect(started.wait(), 0, "launcher's exit code")
    record = harness.read_player_record(install, timeout=harness.PATIENCE)
    expect(record["working_directory"], harness.windows_path(install), "player's working directory")
    expect(record["command_line"], PLAYER_LINE.format(url="http://127.0.0.1/install"), "player's command line")


# Ukrainian "І" and accented Greek "έ" are outside code page 936 (plain Russian
# letters are inside it); no space, which would split the launcher's path.
INSTALL_OUTSIDE_CODE_PAGE_936 = "Тарнхолд-Іέ"


def folder_bytes(folder):
    """Every file below `folder` with its bytes."""
    return {str(path.relative_to(folder)): path.read_bytes() for path in sorted(folder.rglob("*")) if path.is_file()}


def caller_folder(parent, url):
    """A folder beside the install with its own settings, player and whole pending
    update: what the launcher must leave alone when it is started from there."""
    caller = parent / "caller"
    caller.mkdir()
    (caller / "ServerInfo.ini").write_bytes(server_info(url=url, caption=b"Caller"))
    (caller / "Velmora.exe").write_bytes(player_file())
    (caller / "Velmora_.exe").write_bytes(update_file())
    return caller


def nowindow_from_the_caller(install, caller, url):
    started = harness.start(harness.launcher_command_line(install, "nowindow"), directory=caller, code_page_936=True)
    expect(started.wait(), 0, "launcher's exit code")
    record = harness.read_player_record(install, timeout=harness.PATIENCE)
    expect(record["ansi_code_page"], 936, "ANSI code page the player ran with")
    expect(record["working_directory"], harness.windows_path(install), "player's working directory")
    expect(record["command_line"], PLAYER_LINE.format(url=url), "player's command line")


def requested(server, page):
    return any(path.endswith(page) for path in server.paths)


def window_from_the_caller(install, caller, server):
    started = harness.start(harness.launcher_command_line(install), directory=caller, code_page_936=True)
    window = harness.wait_for_window("brelkand", started.process_id())
    expect(window["caption"], "Install", "window caption")
    expect(harness.poll(lambda: True if requested(server, "/install.php") else None), True,
           f"install's launch page among the requests {server.paths}")
    harness.close_window("brelkand", started.process_id())
    expect(started.wait(), 0, "launcher's exit code")
    expect(requested(server, "/caller.php"), False, f"caller's launch page among the requests {server.paths}")


def install_outside_the_ansi_code_page(case, run_mode):
    """Started under code page 936 from another folder, a launcher whose folder
    that code page cannot spell still works in its own folder: its settings, its
    update and its player; the caller's folder keeps every byte."""
    with harness.page_server() as server:
        install = harness.make_install(case, {"Velmora_.exe": update_file(), "window.ini": WINDOW_INI,
                                              "ServerInfo.ini": server_info(url=server.url + "/install.php",
                                                                            caption=b"Install")},
                                       name=INSTALL_OUTSIDE_CODE_PAGE_936)
        caller = caller_folder(install.parent, server.url + "/caller.php")
        before = folder_bytes(caller)
        run_mode(install, caller, server)
    expect((install / "Velmora.exe").read_bytes() == update_file(), True, "install's Velmora.exe holds the update")
    expect((install / "Velmora_.exe").exists(), False, "install's Velmora_.exe left behind")
    after = folder_bytes(caller)
    expect(sorted(after), sorted(before), "files in the caller's folder")
    expect([name for name in before if after[name] != before[name]], [], "caller's files that changed")


INSTALL_OUTSIDE_CODE_PAGE_CASES = {
    "install_outside_the_ansi_code_page_with_nowindow":
        lambda install, caller, server: nowindow_from_the_caller(install, caller, server.url + "/install.php"),
    "install_outside_the_ansi_code_page_in_window_mode": window_from_the_caller,
}


def launcher_in_a_drive_root_works_in_the_root(case):
    """Started from a subdirectory of its own drive, a launcher in the drive's root
    still works in the root, not in the drive's current directory."""
    install = harness.make_install(case, {"ServerInfo.ini": server_info(url="http://127.0.0.1/root")})
    (install / "sub").mkdir()
    (install / "sub" / "ServerInfo.ini").write_bytes(server_info(url="http://127.0.0.1/sub"))
    with harness.drive("y", install) as root:
        started = harness.start(f'"{root}\\Launcher.exe" nowindow', application=f"{root}\\Launcher.exe",
                                directory=f"{root}\\sub")
        expect(started.wait(), 0, "launcher's exit code")
        record = harness.read_player_record(install, timeout=harness.PATIENCE)
    expect(record["working_directory"], f"{root}\\", "player's working directory")
    expect(record["command_line"], PLAYER_LINE.format(url="http://127.0.0.1/root"), "player's command line")


def player_command_line(case, files, url):
    """nowindow starts the player in the install directory with the fixed line."""
    install = harness.make_install(case, files)
    started = harness.start(harness.launcher_command_line(install, "nowindow"))
    expect(started.wait(), 0, "launcher's exit code")
    record = harness.read_player_record(install, timeout=harness.PATIENCE)
    expect(record["command_line"], PLAYER_LINE.format(url=url), "player's command line")
    expect(record["working_directory"], harness.windows_path(install), "player's working directory")


PLAYER_COMMAND_LINE_CASES = {
    "nowindow_passes_the_url": ({"ServerInfo.ini": server_info(url="http://127.0.0.1//launch.php?id=7")},
                                "http://127.0.0.1//launch.php?id=7"),
    "nowindow_passes_an_empty_url": ({"ServerInfo.ini": server_info(url="")}, ""),
    "nowindow_passes_a_url_with_spaces": ({"ServerInfo.ini": server_info(url="http://127.0.0.1/a b  c")},
                                          "http://127.0.0.1/a b  c"),
    "no_server_info_gives_an_empty_url": ({}, ""),
    "url_of_259_bytes_is_taken_whole": ({"ServerInfo.ini": server_info(url=url_of_length(259))}, url_of_length(259)),
    "url_of_260_bytes_is_ignored": ({"ServerInfo.ini": server_info(url=url_of_length(260))}, ""),
}


def launcher_exits_while_the_player_runs_on(case):
    install = harness.make_install(case)
    started = harness.start(harness.launcher_command_line(install, "nowindow"), env={"PLAYER_MESSAGE": "playing"})
    expect(started.wait(), 0, "launcher's exit code")
    player = harness.read_player_record(install, timeout=harness.PATIENCE)["process_id"]
    harness.wait_for_window("#32770", player)
    harness.press_button("#32770", harness.IDOK, player)


def player_missing_is_reported(case):
    # The message is code page 936 bytes shown through MessageBoxA, so it reads
    # right only under that code page.
    install = harness.make_install(case, player=False)
    started = harness.start(harness.launcher_command_line(install, "nowindow"), code_page_936=True)
    box = harness.wait_for_window("#32770", started.process_id())
    harness.screenshot(case)
    expect(box["caption"], "Error", "failure message caption")
    expect(START_FAILURE_MESSAGE in harness.child_texts(box), True, f"failure text among {harness.child_texts(box)}")
    harness.press_button("#32770", harness.IDOK, started.process_id())
    expect(started.wait(), 0, "launcher's exit code")


def system_directories():
    """The prefix's system directories: system32, and syswow64, which 32-bit
    programs see under that name."""
    windows = harness.PREFIX_DIR / "drive_c" / "windows"
    return [directory for directory in (windows / "system32", windows / "syswow64") if directory.is_dir()]


@contextlib.contextmanager
def players_in_the_system_directories():
    """The stand-in player as Velmora.exe in every system directory for the block;
    removed again afterwards, with any record it wrote."""
    placed = []
    try:
        for directory in system_directories():
            placed.append(directory / "Velmora.exe")
            (directory / "Velmora.exe").write_bytes(player_file())
        yield
    finally:
        for player in placed:
            player.unlink(missing_ok=True)
            (player.parent / harness.PLAYER_RECORD).unlink(missing_ok=True)
            (player.parent / harness.PLAYER_STARTS).unlink(missing_ok=True)


def found_by_name(directory, folders, env=None):
    """Which of `folders` holds the Velmora.exe that cmd.exe starts by its bare name
    from `directory` (it looks there, then along the PATH, which begins with any
    WINEPATH and holds the system directory); None if none started."""
    harness.run("cmd.exe /c Velmora.exe", application="C:\\windows\\system32\\cmd.exe", directory=directory,
                env=env)
    return harness.poll(lambda: next((folder for folder in folders if (folder / harness.PLAYER_RECORD).exists()),
                                     None))


def player_missing_is_not_looked_for_elsewhere(case):
    """With Velmora.exe missing from the install, a program of that name on the
    PATH or in the system directory is not started: the start failure is reported."""
    install = harness.make_install(case, player=False)
    on_path = install.parent / "on-path"
    on_path.mkdir()
    (on_path / "Velmora.exe").write_bytes(player_file())
    path_env = {"WINEPATH": harness.windows_path(on_path)}
    with players_in_the_system_directories():
        started = harness.start(harness.launcher_command_line(install, "nowindow"), code_page_936=True, env=path_env)
        box = harness.wait_for_window("#32770", started.process_id())
        expect(box["caption"], "Error", "failure message caption")
        expect(START_FAILURE_MESSAGE in harness.child_texts(box), True, f"failure text among {harness.child_texts(box)}")
        harness.press_button("#32770", harness.IDOK, started.process_id())
        expect(started.wait(), 0, "launcher's exit code")
        folders = [install, on_path] + system_directories()
        expect([folder for folder in folders if (folder / harness.PLAYER_RECORD).exists()], [], "player records")
        # Both programs were there to be found by name from the install folder: the
        # one on the PATH first, and without that entry the system directory's.
        expect(found_by_name(install, folders, path_env), on_path, "Velmora.exe found by name with the PATH entry")
        (on_path / harness.PLAYER_RECORD).unlink()
        expect(found_by_name(install, folders) in system_directories(), True,
               "Velmora.exe found by name in a system directory")


# --- the pending update ----------------------------------------------------

def update_replaces_a_free_player(case):
    install = harness.make_install(case, {"Velmora_.exe": update_file()})
    started = harness.start(harness.launcher_command_line(install, "nowindow"))
    expect(started.wait(), 0, "launcher's exit code")
    expect((install / "Velmora.exe").read_bytes() == update_file(), True, "Velmora.exe holds the update")
    expect((install / "Velmora_.exe").exists(), False, "Velmora_.exe left behind")
    expect(harness.read_player_record(install, timeout=harness.PATIENCE)["command_line"], PLAYER_LINE.format(url=""),
           "updated player's command line")


def update_installs_when_the_player_is_missing(case):
    install = harness.make_install(case, {"Velmora_.exe": update_file()}, player=False)
    started = harness.start(harness.launcher_command_line(install, "nowindow"))
    expect(started.wait(), 0, "launcher's exit code")
    expect((install / "Velmora.exe").read_bytes() == update_file(), True, "Velmora.exe holds the update")
    expect((install / "Velmora_.exe").exists(), False, "Velmora_.exe left behind")
    expect(harness.read_player_record(install, timeout=harness.PATIENCE) is not None, True, "updated player started")


def update_by_contents(case, update, installed):
    """Only a program this Windows can start is installed, whatever follows it; any
    other update stays pending beside the player, which nowindow still starts once
    with its usual command line. Wine here is 64-bit Windows on x86_64: it runs x86
    and x64 programs, and the 32-bit launcher must ask the system, not itself."""
    install = harness.make_install(case, {"Velmora_.exe": update()})
    started = harness.start(harness.launcher_command_line(install, "nowindow"))
    expect(started.wait(), 0, "launcher's exit code")
    expect((install / "Velmora.exe").read_bytes() == (update() if installed else player_file()), True,
           "Velmora.exe holds the update" if installed else "Velmora.exe unchanged")
    expect((install / "Velmora_.exe").exists(), not installed, "Velmora_.exe still pending")
    if not installed:
        expect((install / "Velmora_.exe").read_bytes() == update(), True, "Velmora_.exe unchanged")
    expect(harness.read_player_record(install, timeout=harness.PATIENCE)["command_line"], PLAYER_LINE.format(url=""),
           "player's command line")
    expect(harness.player_starts(install), 1, "player starts")


UPDATE_CONTENTS_CASES = {
    "update_cut_in_half_is_not_installed": (lambda: player_file()[:len(player_file()) // 2], False),
    "update_of_its_headers_only_is_not_installed": (lambda: player_file()[:1024], False),
    "update_that_is_no_program_is_not_installed": (lambda: b"<html>503 Service Unavailable</html>\r\n", False),
    "update_of_headers_without_sections_is_not_installed": (program_images.headers_without_sections, False),
    "update_for_arm64_is_not_installed":
        (lambda: program_images.for_machine(update_file(), program_images.MACHINE_ARM64), False),
    "update_that_is_a_library_is_not_installed": (lambda: program_images.as_library(update_file()), False),
    "update_with_headers_of_the_other_word_width_is_not_installed":
        (lambda: program_images.with_the_other_header_format(update_file()), False),
    "update_cut_inside_its_signature_is_not_installed":
        (lambda: program_images.signed_and_cut_inside_the_signature(update_file()), False),
    "update_with_a_long_tail_is_installed": (lambda: player_file() + bytes(range(256)) * 1024, True),
    "update_with_a_whole_signature_is_installed": (lambda: program_images.signed(update_file())[0], True),
    "update_built_for_the_other_processor_is_installed": (other_build_player_file, True),
}


def update_held_open_is_left_alone(case):
    """An update another process holds open stays pending, the player is kept and
    started, and the launcher does not wait for the holder."""
    install = harness.make_install(case, {"Velmora_.exe": update_file()})
    with harness.hold_file(install / "Velmora_.exe"):
        started = harness.start(harness.launcher_command_line(install, "nowindow"))
        expect(started.wait(), 0, "launcher's exit code")
        record = harness.read_player_record(install, timeout=harness.PATIENCE)
    expect(record["command_line"], PLAYER_LINE.format(url=""), "player's command line")
    expect((install / "Velmora.exe").read_bytes() == player_file(), True, "Velmora.exe unchanged")
    expect((install / "Velmora_.exe").read_bytes() == update_file(), True, "Velmora_.exe unchanged")


def expect_update_refused(started, install):
    box = harness.wait_for_window("#32770", started.process_id())
    expect(box["caption"], UPDATE_CAPTION, "update message caption")
    expect(UPDATE_MESSAGE in harness.child_texts(box), True, f"update message among {harness.child_texts(box)}")
    harness.press_button("#32770", harness.IDOK, started.process_id())
    expect(started.wait(), 0, "launcher's exit code")
    expect((install / "Velmora_.exe").read_bytes() == update_file(), True, "Velmora_.exe still pending")
    expect((install / "Velmora.exe").read_bytes() == player_file(), True, "Velmora.exe unchanged")


def update_waits_for_a_held_player(case, arguments):
    install = harness.make_install(case, {"Velmora_.exe": update_file()})
    with harness.hold_file(install / "Velmora.exe"):
        expect_update_refused(harness.start(harness.launcher_command_line(install, arguments)), install)
    expect_no_player_started(install)


@contextlib.contextmanager
def running_player(install):
    """The stand-in player of `install` running for the block."""
    player = harness.start('"Velmora.exe"', application=install / "Velmora.exe", env={"PLAYER_STAY_MS": "60000"})
    try:
        harness.read_player_record(install, timeout=harness.PATIENCE)
        yield
    finally:
        player.kill()


def update_waits_for_a_running_player(case):
    install = harness.make_install(case, {"Velmora_.exe": update_file()})
    with running_player(install):
        (install / harness.PLAYER_RECORD).unlink()
        expect_update_refused(harness.start(harness.launcher_command_line(install, "nowindow")), install)
    expect_no_player_started(install)


def without_update_nothing_is_touched(case, hold):
    """No update pending: whether the player is free, held or running, the launcher
    goes its way without a message (here the quiet exit) and leaves it alone."""
    install = harness.make_install(case)
    with hold(install):
        started = harness.start(harness.launcher_command_line(install, "quietly"))
        expect(started.wait(), 0, "launcher's exit code, with no message to dismiss")
    expect((install / "Velmora.exe").read_bytes() == player_file(), True, "Velmora.exe unchanged")
    expect((install / "Velmora_.exe").exists(), False, "Velmora_.exe appeared")


# --- the mode choice -------------------------------------------------------

def quiet_exit(case, arguments, install_name):
    """Any second token but exactly "nowindow" ends the launcher at once: nothing
    is shown (the launcher ends without anyone closing anything) or started."""
    install = harness.make_install(case, {"ServerInfo.ini": server_info(url="http://127.0.0.1/launch.php")},
                                   name=install_name)
    started = harness.start(harness.launcher_command_line(install, arguments))
    expect(started.wait(), 0, "launcher's exit code")
    expect_no_player_started(install)


QUIET_EXIT_CASES = {
    "quiet_exit_for_capitals": ("NOWINDOW", "install"),
    "quiet_exit_for_a_longer_word": ("nowindowx", "install"),
    "quiet_exit_for_a_shorter_word": ("nowindo", "install"),
    "quiet_exit_for_a_path_with_a_space": ("", "my install"),
    "quiet_exit_for_a_path_with_a_space_and_nowindow": ("nowindow", "my install"),
}


def tab_before_nowindow_gives_window_mode(case):
    with harness.page_server() as server:
        install = harness.make_install(case, {"ServerInfo.ini": server_info(url=server.url + "/launch.php"),
                                              "window.ini": WINDOW_INI})
        started = harness.start(harness.launcher_command_line(install) + "\tnowindow")
        harness.wait_for_window("brelkand", started.process_id())
        harness.close_window("brelkand", started.process_id())
        expect(started.wait(), 0, "launcher's exit code")
    expect_no_player_started(install)


def window_caption(case, caption, expected):
    """The window's title is ClientWndCaption read in the system ANSI code page,
    here 1252."""
    with harness.page_server() as server:
        install = harness.make_install(case, {"window.ini": WINDOW_INI, "ServerInfo.ini": server_info(
            url=server.url + "/launch.php", caption=caption)})
        started = harness.start(harness.launcher_command_line(install))
        window = harness.wait_for_window("brelkand", started.process_id())
        harness.screenshot(case)
        expect(window["caption"], expected, "window caption")
        harness.close_window("brelkand", started.process_id())
        expect(started.wait(), 0, "launcher's exit code")


# The default, empty and code page 936 captions are cases of window_mode.py;
# these two show the same kind of bytes read as code page 1252.
CAPTION_IN_GBK = "塔恩霍尔德".encode("gbk")
WINDOW_CAPTION_CASES = {
    "caption_in_code_page_1252": ("Café Tarn".encode("cp1252"), "Café Tarn"),
    "caption_in_gbk_read_as_code_page_1252": (CAPTION_IN_GBK, CAPTION_IN_GBK.decode("cp1252")),
}


CASES = {
    "allocation_failures_end_the_process_or_answer_null": allocation_failures_end_the_process_or_answer_null,
    "settings_too_large_for_memory_are_a_failed_load": settings_too_large_for_memory_are_a_failed_load,
    "working_directory_follows_the_launcher": working_directory_follows_the_launcher,
    **{name: functools.partial(install_outside_the_ansi_code_page, run_mode=run_mode)
       for name, run_mode in INSTALL_OUTSIDE_CODE_PAGE_CASES.items()},
    "launcher_in_a_drive_root_works_in_the_root": launcher_in_a_drive_root_works_in_the_root,
    **{name: functools.partial(player_command_line, files=files, url=url)
       for name, (files, url) in PLAYER_COMMAND_LINE_CASES.items()},
    "launcher_exits_while_the_player_runs_on": launcher_exits_while_the_player_runs_on,
    "player_missing_is_reported": player_missing_is_reported,
    "player_missing_is_not_looked_for_elsewhere": player_missing_is_not_looked_for_elsewhere,
    "update_replaces_a_free_player": update_replaces_a_free_player,
    "update_installs_when_the_player_is_missing": update_installs_when_the_player_is_missing,
    **{name: functools.partial(update_by_contents, update=update, installed=installed)
       for name, (update, installed) in UPDATE_CONTENTS_CASES.items()},
    "update_held_open_is_left_alone": update_held_open_is_left_alone,
    "update_waits_for_a_held_player": functools.partial(update_waits_for_a_held_player, arguments=""),
    "update_waits_for_a_held_player_with_nowindow": functools.partial(update_waits_for_a_held_player,
                                                                      arguments="nowindow"),
    "update_waits_for_a_running_player": update_waits_for_a_running_player,
    "no_update_with_a_free_player": functools.partial(without_update_nothing_is_touched,
                                                      hold=lambda install: contextlib.nullcontext()),
    "no_update_with_a_held_player": functools.partial(without_update_nothing_is_touched,
                                                      hold=lambda install: harness.hold_file(install / "Velmora.exe")),
    "no_update_with_a_running_player": functools.partial(without_update_nothing_is_touched, hold=running_player),
    **{name: functools.partial(quiet_exit, arguments=arguments, install_name=install_name)
       for name, (arguments, install_name) in QUIET_EXIT_CASES.items()},
    "tab_before_nowindow_gives_window_mode": tab_before_nowindow_gives_window_mode,
    **{name: functools.partial(window_caption, caption=caption, expected=expected)
       for name, (caption, expected) in WINDOW_CAPTION_CASES.items()},
}

if __name__ == "__main__":
    raise SystemExit(harness.main(CASES))
