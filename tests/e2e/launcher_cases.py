"""End-to-end cases of the launcher: start-up, the pending update, the mode choice
and the game launch, each in a fresh install directory with the stand-in player."""

import contextlib
import functools

import harness
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


def update_file():
    """A pending update: the stand-in player with bytes appended, so that it still
    runs and can be told apart from the installed player."""
    return player_file() + b"pending update"


def expect_no_player_started(install):
    """A player that the launcher started either still runs, and then its exe
    cannot be opened for writing, or it has already written its record."""
    expect(harness.open_for_writing_error(install / "Velmora.exe"), 0, "error opening the player for writing")
    expect(harness.read_player_record(install), None, "player record")


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
    "working_directory_follows_the_launcher": working_directory_follows_the_launcher,
    "launcher_in_a_drive_root_works_in_the_root": launcher_in_a_drive_root_works_in_the_root,
    **{name: functools.partial(player_command_line, files=files, url=url)
       for name, (files, url) in PLAYER_COMMAND_LINE_CASES.items()},
    "launcher_exits_while_the_player_runs_on": launcher_exits_while_the_player_runs_on,
    "player_missing_is_reported": player_missing_is_reported,
    "update_replaces_a_free_player": update_replaces_a_free_player,
    "update_installs_when_the_player_is_missing": update_installs_when_the_player_is_missing,
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
