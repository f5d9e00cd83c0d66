"""The launcher's host layer against the stand-in browser control (tests/tools,
standin_browser.py), which records every call the host makes: activation over
the client area, the one navigation, the host info, focus and keyboard, frame
activation, teardown, and the failure paths. The expected numbers are for a
1366 x 768 screen."""

import os
import subprocess
import time

import harness
import standin_browser
from harness import expect
from standin_browser import DOCHOSTUIFLAG_NO3DBORDER, DOCHOSTUIDBLCLK_DEFAULT, OLEIVERB_INPLACEACTIVATE, \
    OLEIVERB_UIACTIVATE

MAIN_CLASS = "brelkand"
HOST_CLASS = "AtlAxWin80"
CONTROL_CLASS = "StandInBrowser"
WIDTH, HEIGHT = 800, 600

VK_TAB, VK_RETURN, VK_CONTROL = 0x09, 0x0D, 0x11
KEY_V = 0x56
WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN = 0x100, 0x101, 0x102, 0x104
S_OK, S_FALSE, E_POINTER = 0, 1, -2147467261
# What TranslateMessage makes of Tab and Ctrl+V.
CHAR_TAB, CHAR_CTRL_V = 0x09, 0x16


def ini(*lines):
    return "".join(line + "\r\n" for line in lines)


WINDOW_INI = ini("[SYSTEM]", f"SCREENWIDTH={WIDTH}", f"SCREENHEIGHT={HEIGHT}")
PAGE_URL = "http://127.0.0.1:9/game/launch.php?server=3"


class Run:
    """One launcher in window mode with the stand-in in its pane."""

    def __init__(self, case, files, fail=None, extra_env=None):
        self.record_file = standin_browser.record_path(case)
        self.install = harness.make_install(case, files)
        env = dict(standin_browser.record_env(self.record_file, fail), **(extra_env or {}))
        self.started = harness.start(harness.launcher_command_line(self.install), env=env)
        self.window = harness.wait_for_window(MAIN_CLASS, self.started.process_id())

    def record(self):
        return standin_browser.read_record(self.record_file)

    def wait_for(self, predicate, what):
        """Waits until `predicate` holds for the record; returns the record."""
        record = harness.poll(lambda: (lambda lines: lines if predicate(lines) else None)(self.record()))
        if record is None:
            raise AssertionError(f"the stand-in's record never showed {what}: {self.record()}")
        return record

    def settle(self, quiet=0.5):
        """The record once it has not grown for `quiet` seconds."""
        record = self.record()
        deadline = time.monotonic() + harness.PATIENCE
        while time.monotonic() < deadline:
            time.sleep(quiet)
            again = self.record()
            if len(again) == len(record):
                return again
            record = again
        raise AssertionError(f"the stand-in's record never settled: {record}")

    def wait_for_navigation(self):
        return self.wait_for(lambda lines: calls(lines, "Navigate2"), "a navigation")

    def wait_for_focus(self):
        """Waits for the UI activation to be complete: the page's window has the
        focus and the control has made its last call of the activation (ShowUI,
        after SetActiveObject and the control site's OnFocus)."""
        return self.wait_for(lambda lines: last_focus_event(lines) == "WM_SETFOCUS" and site_calls(lines, "ShowUI"),
                             "focus in its window after the UI activation")

    def close(self, close=harness.close_window):
        close(MAIN_CLASS, self.started.process_id())
        expect(self.started.wait(), 0, "launcher's exit code after closing its window")
        return self.record()


def start_with_stand_in(case, files=None, fail=None):
    files = files if files is not None else {"window.ini": WINDOW_INI,
                                             "ServerInfo.ini": ini("[default]", f'resourceURL="{PAGE_URL}"')}
    return Run(case, files, fail)


def calls(record, name):
    return [line for line in record if line.get("call") == name]


def site_calls(record, name):
    return [line for line in record if line.get("site_call") == name]


def last_focus_event(record):
    events = [line["window"] for line in record if line.get("window") in ("WM_SETFOCUS", "WM_KILLFOCUS")]
    return events[-1] if events else None


def index_of(record, predicate, what):
    for index, line in enumerate(record):
        if predicate(line):
            return index
    raise AssertionError(f"no {what} in the stand-in's record: {record}")


def type_keys(*keys):
    """Types keys (xdotool names) into whatever window has the keyboard."""
    display = {"DISPLAY": harness._session()["display"]}
    subprocess.run(["xdotool", "key", "--delay", "100", *keys], env=dict(os.environ, **display), check=True,
                   timeout=harness.PATIENCE)


def control_windows(window):
    return [child for child in window["children"] if child["class"] == CONTROL_CLASS]


# --- the start: one record, read several ways --------------------------------

def expect_one_control_in_place_over_the_client_area(run, record):
    expect(len([line for line in record if line.get("event") == "created"]), 1, "controls created")
    site = index_of(record, lambda line: line.get("call") == "SetClientSite" and line["site"], "SetClientSite")
    init = index_of(record, lambda line: line.get("call") == "InitNew", "InitNew")
    verb = index_of(record, lambda line: line.get("call") == "DoVerb", "DoVerb")
    expect(site < init < verb, True, "SetClientSite, then InitNew, then DoVerb")
    expect((record[verb]["verb"], record[verb]["position"]), (OLEIVERB_INPLACEACTIVATE, [0, 0, WIDTH, HEIGHT]),
           "first verb and its position")
    context = site_calls(record, "GetWindowContext")[0]
    expect((context["position"], context["clip"]), ([0, 0, WIDTH, HEIGHT], [0, 0, WIDTH, HEIGHT]),
           "in-place position and clip")
    expect((context["frame_window"], context["frame_window_class"], context["frame_window_is_top_level"]),
           (run.window["handle"], MAIN_CLASS, True), "in-place frame window: the main window")
    expect((context["frame_get_window_result"], context["frame_get_window"]), (S_OK, run.window["handle"]),
           "the in-place frame's own GetWindow: the main window")
    window = harness.wait_for_window(MAIN_CLASS, run.started.process_id())
    expect([(child["rect"], child["visible"]) for child in control_windows(window)],
           [(window["client_rect"], True)], "the control's window, over the client area")


def expect_one_navigation_to_the_launch_page(run, record):
    expect([(line["url"], line["other_arguments_null"]) for line in calls(record, "Navigate2")], [(PAGE_URL, True)],
           "Navigate2 calls")


def expect_no_3d_border(run, record):
    # ShowUI comes with the UI activation, which may follow the navigation.
    record = run.wait_for(lambda lines: site_calls(lines, "ShowUI"), "ShowUI")
    expect([line["answered"] for line in record if line.get("site_query") == "IDocHostUIHandler"], [True],
           "the site answers for IDocHostUIHandler")
    info = site_calls(record, "GetHostInfo")
    expect(len(info), 1, "GetHostInfo calls")
    expect((info[0]["result"], bool(info[0]["flags"] & DOCHOSTUIFLAG_NO3DBORDER), info[0]["double_click"]),
           (0, True, DOCHOSTUIDBLCLK_DEFAULT), "GetHostInfo: S_OK, DOCHOSTUIFLAG_NO3DBORDER, default double-click")
    expect([line["result"] for line in site_calls(record, "ShowUI")], [0],
           "ShowUI answered S_OK: the browser shows no menus or toolbars of its own")


def expect_focus_in_the_control_without_a_click(run, record):
    record = run.wait_for_focus()
    verbs = [line["verb"] for line in calls(record, "DoVerb")]
    expect(verbs, [OLEIVERB_INPLACEACTIVATE, OLEIVERB_UIACTIVATE], "verbs: in place, then UI activation by the host")
    expect([line["result"] for line in site_calls(record, "OnUIActivate")], [0], "OnUIActivate")
    expect([(line["active"], line["on"], line["result"]) for line in site_calls(record, "SetActiveObject")],
           [(True, "frame", 0)], "the active object handed to the frame")
    expect(last_focus_event(record), "WM_SETFOCUS", "the focus is in the control's window")


START_CHECKS = (
    ("control_is_activated_in_place_over_the_client_area", expect_one_control_in_place_over_the_client_area),
    ("one_navigation_to_the_launch_page", expect_one_navigation_to_the_launch_page),
    ("host_info_asks_for_no_3d_border", expect_no_3d_border),
    ("focus_is_in_the_control_after_the_window_shows", expect_focus_in_the_control_without_a_click),
)


def start_case(check):
    def case(name):
        with standin_browser.standing_in():
            run = start_with_stand_in(name)
            check(run, run.wait_for_navigation())
            run.close()
    return case


# --- the address the control is sent to ----------------------------------------

def navigation_goes_to_the_chosen_address(case):
    # (label, resourceURL line or None, the address Navigate2 gets). An unquoted
    # value is read up to its "//"; an empty one is opened as it is.
    table = (
        ("quoted", f'resourceURL="{PAGE_URL}"', PAGE_URL),
        ("unquoted", "resourceURL=http://127.0.0.1:9/launch.php", "http:"),
        ("empty", "resourceURL=", ""),
        ("absent", None, harness.default_launch_url()),
    )
    with standin_browser.standing_in():
        for label, line, address in table:
            lines = ["[default]"] + ([] if line is None else [line])
            run = start_with_stand_in(f"{case}-{label}", {"window.ini": WINDOW_INI, "ServerInfo.ini": ini(*lines)})
            record = run.wait_for_navigation()
            expect([(entry["url_is_text"], entry["url"]) for entry in calls(record, "Navigate2")], [(True, address)],
                   f"Navigate2 calls ({label})")
            run.close()


# --- the keyboard ----------------------------------------------------------------

def keys(record, source, message):
    """The key codes of `message` that the control got through TranslateAccelerator
    (source "call") or in its window (source "window")."""
    if source == "call":
        lines = calls(record, "TranslateAccelerator")
    else:
        lines = [line for line in record if line.get("window") == "key"]
    return [line["key"] for line in lines if line["code"] == message]


def tab_ctrl_v_and_enter_reach_the_control(case):
    with standin_browser.standing_in():
        run = start_with_stand_in(case)
        before = len(run.wait_for_focus())
        type_keys("Tab", "ctrl+v", "Return")
        record = run.wait_for(lambda lines: VK_RETURN in keys(lines, "window", WM_KEYUP), "Enter released")[before:]
        handled = [(line["key"], line["ctrl"]) for line in calls(record, "TranslateAccelerator") if line["handled"]]
        expect(handled, [(VK_TAB, False), (KEY_V, True)], "keys the control used through TranslateAccelerator")
        expect(all(line["to_page_window"] for line in calls(record, "TranslateAccelerator")), True,
               "keys offered were addressed to the page's window")
        expect(keys(record, "window", WM_KEYDOWN), [VK_CONTROL, VK_RETURN],
               "key presses dispatched to the control's window: none it used")
        expect(keys(record, "window", WM_CHAR), [VK_RETURN], "characters: Enter only, none for Tab or Ctrl+V")
        offered = calls(record, "TranslateAccelerator")
        dispatched = [line for line in record if line.get("window") == "key"]
        expect(len(offered), len(dispatched) + len(handled), "every key offered before it was dispatched")
        expect(CHAR_TAB not in keys(record, "window", WM_CHAR) and CHAR_CTRL_V not in keys(record, "window", WM_CHAR),
               True, "no characters made of used keys")
        run.close()


# --- activation ------------------------------------------------------------------

def activate_another_window(run, before):
    """Starts Notepad, which takes the activation; returns it, once the page has
    lost the focus after record line `before`, and the record then."""
    other = harness.start("notepad.exe")
    harness.wait_for_window("Notepad", other.process_id())
    away = run.wait_for(lambda lines: last_focus_event(lines[before:]) == "WM_KILLFOCUS", "the focus leaving")
    return other, away


def focus_returns_when_the_launcher_is_activated_again(case):
    with standin_browser.standing_in():
        run = start_with_stand_in(case)
        before = len(run.wait_for_focus())
        other, away = activate_another_window(run, before)
        expect([line["active"] for line in calls(away[before:], "OnFrameWindowActivate")], [False],
               "the control told of the frame's deactivation")
        harness.activate_window(MAIN_CLASS, run.started.process_id())
        back = run.wait_for(lambda lines: last_focus_event(lines[len(away):]) == "WM_SETFOCUS",
                            "the focus coming back")[len(away):]
        expect([line["active"] for line in calls(back, "OnFrameWindowActivate")], [True],
               "the control told of the frame's activation")
        expect(calls(back, "DoVerb"), [], "no second activation of a control that is UI-active")
        other.kill()
        run.close()


# --- the end ---------------------------------------------------------------------

def expect_torn_down_then_released(record, label):
    teardown = [index_of(record, predicate, what) for predicate, what in (
        (lambda line: line.get("call") == "InPlaceDeactivate", "InPlaceDeactivate"),
        (lambda line: line.get("call") == "Close", "Close"),
        (lambda line: line.get("call") == "SetClientSite" and not line["site"], "SetClientSite(null)"),
        (lambda line: line.get("event") == "final_release", "final release"))]
    expect(teardown == sorted(teardown), True, f"deactivated, closed, site cleared, then released ({label})")
    expect_no_call_after_the_final_release(record, label)


def expect_no_call_after_the_final_release(record, label):
    released = index_of(record, lambda line: line.get("event") == "final_release", "final release")
    expect([line for line in record[released:] if "call" in line or "site_call" in line], [],
           f"calls after the final release ({label})")


def expect_ole_up_until_the_message_loop_ended(record, label):
    """The message the control posted to its hidden window while it closed was
    dispatched with COM still initialised, and the host's OleUninitialize, the
    thread's last, came once, after it."""
    late = [line for line in record if line.get("event") == "late_message"]
    expect([line["com_initialised"] for line in late], [True], f"the late message saw COM initialised ({label})")
    last = [index for index, line in enumerate(record)
            if line.get("event") == "com_uninitialize" and line["apartment_references"] == 1]
    expect(len(last), 1, f"the thread's last CoUninitialize, once ({label})")
    expect(last[0] > record.index(late[0]), True, f"OLE uninitialised after the late message ({label})")
    expect(record[last[0] + 1:], [], f"nothing after OLE was uninitialised ({label})")


def closing_tears_the_control_down_before_its_last_release(case):
    with standin_browser.standing_in():
        for label, close in (("WM_CLOSE", harness.close_window), ("SC_CLOSE", harness.system_close)):
            run = start_with_stand_in(f"{case}-{label}")
            run.wait_for_focus()
            record = run.close(close)
            expect_torn_down_then_released(record, label)
            expect(site_calls(record, "SetActiveObject")[-1]["active"], False, f"active object taken back ({label})")
            expect_ole_up_until_the_message_loop_ended(record, label)


def a_control_that_fails_while_attached_is_not_kept(case):
    # (method that fails, calls the host made up to the failure)
    table = (
        ("SetClientSite", ["GetMiscStatus", "SetClientSite"]),
        ("InitNew", ["GetMiscStatus", "SetClientSite", "InitNew"]),
        ("DoVerb", ["GetMiscStatus", "SetClientSite", "InitNew", "DoVerb"]),
    )
    with standin_browser.standing_in():
        for method, made in table:
            run = start_with_stand_in(f"{case}-{method}", fail=method)
            record = run.wait_for(lambda lines: {"event": "final_release"} in lines, "the control released")
            attach = [line["call"] for line in record if line.get("call") in
                      ("GetMiscStatus", "SetClientSite", "InitNew", "DoVerb")]
            expect(attach[:len(made)], made, f"calls up to the failure ({method})")
            expect(calls(record, "Navigate2"), [], f"no navigation ({method})")
            expect_torn_down_then_released(record, method)
            window = harness.wait_for_window(MAIN_CLASS, run.started.process_id())
            expect([child["class"] for child in window["children"]], [HOST_CLASS],
                   f"an empty host and no control window ({method})")
            record = run.close()
            expect_no_call_after_the_final_release(record, method)
            expect_ole_up_until_the_message_loop_ended(record, method)


# --- the browser's own hotkeys ---------------------------------------------------

# (xdotool key, or None for a key typed through the system's input queue since
# Wine maps no X keysym to it; its virtual-key code; whether the host takes it
# from the page)
HOTKEYS = (
    ("ctrl+n", ord("N"), True),
    ("ctrl+shift+p", ord("P"), True),
    ("ctrl+o", ord("O"), True),
    ("ctrl+l", ord("L"), True),
    ("ctrl+p", ord("P"), True),
    ("alt+Left", 0x25, True),
    ("alt+Right", 0x27, True),
    ("XF86Back", 0xA6, True),
    ("XF86Forward", 0xA7, True),
    (None, 0xAC, True),
    (None, 0xAA, True),
    (None, 0xAB, True),
    ("Tab", VK_TAB, False),
    ("shift+Tab", VK_TAB, False),
    ("ctrl+c", ord("C"), False),
    ("ctrl+v", KEY_V, False),
    ("Delete", 0x2E, False),
    ("F5", 0x74, False),
    ("Return", VK_RETURN, False),
)


def key_presses(record, key):
    """The control's TranslateAccelerator records of presses of `key`."""
    return [line for line in calls(record, "TranslateAccelerator")
            if line["key"] == key and line["code"] in (WM_KEYDOWN, WM_SYSKEYDOWN)]


def browser_hotkeys_are_taken_by_the_host(case):
    with standin_browser.standing_in():
        run = start_with_stand_in(case)
        run.wait_for_focus()
        for xdotool_key, key, taken in HOTKEYS:
            before = len(run.settle())
            if xdotool_key is None:
                xdotool_key = f"virtual key {key:#x}"
                harness.press_virtual_key(MAIN_CLASS, key, run.started.process_id())
            else:
                type_keys(xdotool_key)
            run.wait_for(lambda lines: key_presses(lines[before:], key), f"{xdotool_key} offered")
            record = run.settle()[before:]
            expect([(line["host_answer"], line["taken_by_host"]) for line in key_presses(record, key)],
                   [(S_OK if taken else S_FALSE, taken)], f"the host's answer for {xdotool_key}")
            dispatched = [line["key"] for line in record
                          if line.get("window") == "key" and line["code"] in (WM_KEYDOWN, WM_SYSKEYDOWN)]
            if taken:
                expect(key in dispatched, False, f"{xdotool_key}, taken, dispatched to the page")
            expect(last_focus_event(run.record()), "WM_SETFOCUS", f"the page keeps the focus after {xdotool_key}")
        run.close()


def alt_f4_in_the_page_closes_the_window(case):
    with standin_browser.standing_in():
        run = start_with_stand_in(case)
        run.wait_for_focus()
        type_keys("alt+F4")
        expect(run.started.wait(), 0, "launcher's exit code after Alt+F4 in the page")
        presses = key_presses(run.record(), 0x73)
        expect([line["host_answer"] for line in presses], [S_FALSE], "Alt+F4 left to the page by the host")


# --- focus: restore, click, the control site ---------------------------------------

def focus_events(record):
    return [line["window"] for line in record if line.get("window") in ("WM_SETFOCUS", "WM_KILLFOCUS")]


def restoring_the_window_takes_the_focus_from_the_page_at_most_once(case):
    with standin_browser.standing_in():
        run = start_with_stand_in(case)
        before = len(run.wait_for_focus())
        harness.minimize_window(MAIN_CLASS, run.started.process_id())
        harness.poll(lambda: harness.find_window(MAIN_CLASS, run.started.process_id())["iconic"] or None)
        harness.restore_window(MAIN_CLASS, run.started.process_id())
        harness.poll(lambda: not harness.find_window(MAIN_CLASS, run.started.process_id())["iconic"] or None)
        run.wait_for(lambda lines: calls(lines[before:], "OnFrameWindowActivate") and
                     last_focus_event(lines) == "WM_SETFOCUS", "the focus back in the page")
        settled = run.settle()
        events = focus_events(settled[before:])
        expect(events.count("WM_KILLFOCUS") <= 1, True, f"the page lost the focus at most once: {events}")
        expect(last_focus_event(settled), "WM_SETFOCUS", "the page has the focus after the restore")
        run.close()


def point_outside(client_rect, other_window):
    """A point of the client area that the other window does not cover."""
    left, top, right, bottom = client_rect
    o_left, o_top, o_right, o_bottom = other_window["window_rect"]
    for x, y in ((right - 20, bottom - 20), (left + 20, bottom - 20), (right - 20, top + 20), (left + 20, top + 20)):
        if not (o_left <= x < o_right and o_top <= y < o_bottom):
            return x, y
    raise AssertionError(f"the other window covers the client area {client_rect}: {other_window}")


def a_click_into_the_inactive_window_focuses_the_page_once(case):
    with standin_browser.standing_in():
        run = start_with_stand_in(case)
        before = len(run.wait_for_focus())
        other, away = activate_another_window(run, before)
        harness.click_at(*point_outside(run.window["client_rect"], harness.find_window("Notepad", other.process_id())))
        run.wait_for(lambda lines: [line for line in lines[len(away):] if line.get("window") == "WM_LBUTTONDOWN"]
                     and last_focus_event(lines) == "WM_SETFOCUS", "the click and the focus in the page")
        settled = run.settle()
        expect(focus_events(settled[len(away):]), ["WM_SETFOCUS"], "focus events in the page after the click")
        other.kill()
        run.close()


def the_control_site_is_answered_and_told_of_focus(case):
    with standin_browser.standing_in():
        run = start_with_stand_in(case)
        record = run.wait_for_focus()
        expect([line["answered"] for line in record if line.get("site_query") == "IOleControlSite"], [True],
               "the site answers for IOleControlSite")
        expect([(line["got"], line["result"]) for line in site_calls(record, "OnFocus")], [(True, S_OK)],
               "OnFocus when the page got the focus")
        run.close()


def tab_past_the_last_field_stays_in_the_page(case):
    with standin_browser.standing_in():
        run = Run(case, {"window.ini": WINDOW_INI, "ServerInfo.ini": ini("[default]", f'resourceURL="{PAGE_URL}"')},
                  extra_env={"STAND_IN_BROWSER_FIELDS": "2"})
        before = len(run.wait_for_focus())
        type_keys("Tab", "Tab", "Tab")
        record = run.wait_for(lambda lines: len(key_presses(lines[before:], VK_TAB)) == 3, "three Tabs offered")
        tabs = key_presses(record[before:], VK_TAB)
        expect([(line["handled"], line["declined"]) for line in tabs], [(True, False), (False, True), (True, False)],
               "Tab to the second field, declined on the last, then to the first field again")
        expect([line["result"] for line in site_calls(record[before:], "IOleControlSite::TranslateAccelerator")],
               [S_FALSE], "the control site leaves the declined Tab to the control")
        expect(focus_events(record[before:]), [], "the focus stayed in the page")
        run.close()


def window_context_empties_its_out_parameters_when_it_fails(case):
    with standin_browser.standing_in():
        run = Run(case, {"window.ini": WINDOW_INI, "ServerInfo.ini": ini("[default]", f'resourceURL="{PAGE_URL}"')},
                  extra_env={"STAND_IN_BROWSER_PROBE_CONTEXT": "1"})
        record = run.wait_for_navigation()
        probe = [line for line in site_calls(record, "GetWindowContext") if line.get("probe")]
        expect([(line["result"], line["frame_emptied"], line["document_emptied"], line["position_emptied"],
                 line["clip_emptied"]) for line in probe], [(E_POINTER, True, True, True, True)],
               "GetWindowContext without frame info: E_POINTER, every out parameter emptied")
        run.close()


CASES = {name: start_case(check) for name, check in START_CHECKS}
CASES.update({function.__name__: function for function in (
    navigation_goes_to_the_chosen_address,
    tab_ctrl_v_and_enter_reach_the_control,
    focus_returns_when_the_launcher_is_activated_again,
    closing_tears_the_control_down_before_its_last_release,
    a_control_that_fails_while_attached_is_not_kept,
    browser_hotkeys_are_taken_by_the_host,
    alt_f4_in_the_page_closes_the_window,
    restoring_the_window_takes_the_focus_from_the_page_at_most_once,
    a_click_into_the_inactive_window_focuses_the_page_once,
    the_control_site_is_answered_and_told_of_focus,
    tab_past_the_last_field_stays_in_the_page,
    window_context_empties_its_out_parameters_when_it_fails,
)})

if __name__ == "__main__":
    raise SystemExit(harness.main(CASES))
