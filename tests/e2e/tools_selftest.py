"""Checks of the Windows test tools themselves: what the end-to-end tests of the
launcher rely on, tried without the launcher."""

import harness
from harness import expect

# Double spaces, a tab, quotes, accented letters, Chinese and a character
# outside the Basic Multilingual Plane, which UTF-16 holds as a surrogate pair.
AWKWARD_COMMAND_LINE = '"Velmora.exe"  Launch\tx "quoted  text" Ünïcödé 中文 \U0001F3AE  end'


def command_line_reaches_the_program_exactly(case):
    install = harness.make_install(case, launcher=False)
    exit_code = harness.run(AWKWARD_COMMAND_LINE, application=install / "Velmora.exe", env={"PLAYER_EXIT_CODE": "7"})
    expect(exit_code, 7, "exit code passed on by the starter")
    expect(harness.read_player_record(install)["command_line"], AWKWARD_COMMAND_LINE, "player's command line")


def working_directory_is_honoured(case):
    install = harness.make_install(case, launcher=False)
    elsewhere = install.parent / "somewhere else"
    elsewhere.mkdir()
    for directory, expected in ((elsewhere, harness.windows_path(elsewhere)), (install, harness.windows_path(install))):
        harness.run('"Velmora.exe"', application=install / "Velmora.exe", directory=directory)
        expect(harness.read_player_record(install)["working_directory"], expected, "player's working directory")


def failed_start_is_reported(case):
    install = harness.make_install(case, launcher=False, player=False)
    try:
        harness.run('"Velmora.exe"', application=install / "Velmora.exe")
        raise AssertionError("a missing program was started")
    except harness.StartFailed as failure:
        expect(failure.error, 2, "CreateProcessW error for a missing file")


def code_page_follows_the_locale(case):
    install = harness.make_install(case, launcher=False)
    message = "游戏正在运行"
    for code_page_936, expected_code_page in ((False, 1252), (True, 936)):
        started = harness.start(AWKWARD_COMMAND_LINE, application=install / "Velmora.exe", code_page_936=code_page_936,
                                env={"PLAYER_MESSAGE": message})
        box = harness.wait_for_window("#32770", started.process_id())
        expect(box["caption"], "Velmora", "message box caption")
        expect(message in harness.child_texts(box), True, f"message {message!r} among {harness.child_texts(box)}")
        harness.press_button("#32770", harness.IDOK, started.process_id())
        expect(started.wait(), 0, "player's exit code")
        record = harness.read_player_record(install)
        expect(record["ansi_code_page"], expected_code_page, "ANSI code page")
        expect(record["command_line"], AWKWARD_COMMAND_LINE, "player's command line")


def holder_keeps_writers_out(case):
    player = harness.make_install(case, launcher=False) / "Velmora.exe"
    expect(harness.open_for_writing_error(player), 0, "open for writing before holding")
    with harness.hold_file(player):
        expect(harness.open_for_writing_error(player), 32, "open for writing while held (sharing violation)")
    expect(harness.open_for_writing_error(player), 0, "open for writing after holding")


def winprobe_reads_and_ends_message_boxes(case):
    install = harness.make_install(case, launcher=False)
    endings = {"press OK": lambda pid: harness.press_button("#32770", harness.IDOK, pid),
               "WM_CLOSE": lambda pid: harness.close_window("#32770", pid),
               "SC_CLOSE": lambda pid: harness.system_close("#32770", pid)}
    for ending, end_box in endings.items():
        started = harness.start('"Velmora.exe"', application=install / "Velmora.exe", env={"PLAYER_MESSAGE": ending})
        box = harness.wait_for_window("#32770", started.process_id())
        expect((box["visible"], box["iconic"]), (True, False), "message box visible, not minimised")
        expect(harness.child_texts(box), ["", "OK", ending], "message box controls: icon, button, text")
        left, top, right, bottom = box["window_rect"]
        client_left, client_top, client_right, client_bottom = box["client_rect"]
        expect(box["client_size"], [client_right - client_left, client_bottom - client_top], "client size")
        expect(left <= client_left < client_right <= right and top <= client_top < client_bottom <= bottom, True,
               f"client {box['client_rect']} inside window {box['window_rect']}")
        expect(harness.screenshot(f"{case}-{ending.replace(' ', '-')}").stat().st_size > 0, True, "screenshot written")
        end_box(started.process_id())
        expect(started.wait(), 0, f"player's exit code after {ending}")
        expect(harness.find_window("#32770", started.process_id()), None, f"message box after {ending}")


CASES = {function.__name__: function for function in (
    command_line_reaches_the_program_exactly,
    working_directory_is_honoured,
    failed_start_is_reported,
    code_page_follows_the_locale,
    holder_keeps_writers_out,
    winprobe_reads_and_ends_message_boxes,
)}

if __name__ == "__main__":
    raise SystemExit(harness.main(CASES))
