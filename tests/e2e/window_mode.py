"""The launcher started without arguments: the main window, its size and place,
the browser pane that fills it and opens the launch page once, and the ways the
window ends. The expected numbers are for a 1366 x 768 screen."""

from pathlib import Path

import harness
from harness import expect

MAIN_CLASS = "brelkand"
HOST_CLASS = "AtlAxWin80"
# The window Wine's web browser control puts into its host once it is active.
BROWSER_CLASS = "Shell Embedding"

WS_POPUP = 0x80000000
WS_CAPTION = 0x00C00000
WS_SYSMENU = 0x00080000
WS_THICKFRAME = 0x00040000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000

SW_SHOWMINIMIZED = 2
SW_SHOWMINNOACTIVE = 7


def ini(*lines):
    """Settings text with the CR LF line ends the settings reader expects."""
    return "".join(line + "\r\n" for line in lines)


WINDOW_1024_BY_640 = ini("[SYSTEM]", "SCREENWIDTH=1024", "SCREENHEIGHT=640")


def start_launcher(case, files, **options):
    """Makes an install with `files`, starts its launcher without arguments and
    waits for the main window; returns the install, the started process and the
    window."""
    install = harness.make_install(case, files)
    started = harness.start(harness.launcher_command_line(install), **options)
    window = harness.wait_for_window(MAIN_CLASS, started.process_id())
    return install, started, window


# How long the Linux processes of an ended Windows program may take to go.
LINUX_PROCESS_TEARDOWN = 15.0


def processes_running_from(install):
    """Command lines of the Linux processes (Wine's included) that name `install`."""
    names = (str(install).lower(), harness.windows_path(install).lower())
    found = []
    for cmdline in Path("/proc").glob("[0-9]*/cmdline"):
        try:
            text = cmdline.read_bytes().replace(b"\0", b" ").decode("utf-8", "replace")
        except OSError:
            continue
        if any(name in text.lower() for name in names):
            found.append(text.strip())
    return found


def close_launcher(install, started, close=harness.close_window):
    """Closes the main window; the launcher must end with exit code 0 and leave
    nothing running."""
    close(MAIN_CLASS, started.process_id())
    expect(started.wait(), 0, "launcher's exit code after closing its window")
    # Wine reports a program's end before its Linux process has gone, which under
    # a loaded qemu-user can take seconds more; only what stays is left running.
    harness.poll(lambda: None if processes_running_from(install) else True, timeout=LINUX_PROCESS_TEARDOWN)
    expect(processes_running_from(install), [], "processes still running from the install")


def expect_screen_of_1366_by_768():
    expect(harness.SCREEN.split("x")[:2], ["1366", "768"], "screen size these cases are written for")


def main_window_is_centred_captioned_and_filled_by_the_browser(case):
    expect_screen_of_1366_by_768()
    with harness.page_server() as server:
        files = {"window.ini": WINDOW_1024_BY_640,
                 "ServerInfo.ini": ini("[default]", f'resourceURL="{server.url}/launch.php"',
                                       "ClientWndCaption=Tarnhold Online")}
        install, started, window = start_launcher(case, files)
        expect(window["caption"], "Tarnhold Online", "caption")
        expect(window["window_rect"][:2], [171, 54], "window origin")
        expect(window["client_size"], [1024, 640], "client size")
        expect((window["visible"], window["iconic"]), (True, False), "visible, not minimised")
        style = window["style"]
        present = {name: bool(style & bit) for name, bit in (
            ("WS_CAPTION", WS_CAPTION), ("WS_SYSMENU", WS_SYSMENU), ("WS_MINIMIZEBOX", WS_MINIMIZEBOX),
            ("WS_MAXIMIZEBOX", WS_MAXIMIZEBOX), ("WS_THICKFRAME", WS_THICKFRAME), ("WS_POPUP", WS_POPUP))}
        expect(present, {"WS_CAPTION": True, "WS_SYSMENU": True, "WS_MINIMIZEBOX": True,
                         "WS_MAXIMIZEBOX": False, "WS_THICKFRAME": False, "WS_POPUP": False}, "style bits")
        hosts = [child for child in window["children"] if child["class"] == HOST_CLASS]
        expect(len(hosts), 1, "host windows")
        expect((hosts[0]["visible"], hosts[0]["rect"]), (True, window["client_rect"]), "host visible over the client")
        browsers = [child for child in window["children"] if child["class"] == BROWSER_CLASS]
        expect([browser["rect"] for browser in browsers], [window["client_rect"]], "browser control filling the host")
        harness.poll(lambda: server.paths or None)
        harness.screenshot(f"{case}-window")
        close_launcher(install, started)
        expect(server.paths, ["/launch.php"], "requests for the launch page")


def caption_comes_from_server_info(case):
    # (label, ServerInfo.ini as bytes or None, run with code page 936, caption)
    table = (
        ("no-server-info", None, False, "Tarnhold"),
        ("ascii", ini("[default]", "ClientWndCaption=Velmora Online"), False, "Velmora Online"),
        ("empty", ini("[default]", "ClientWndCaption="), False, ""),
        ("code-page-936", ini("[default]", "ClientWndCaption=塔恩霍尔德 在线").encode("gbk"), True, "塔恩霍尔德 在线"),
    )
    for label, server_info, code_page_936, caption in table:
        files = {"window.ini": WINDOW_1024_BY_640}
        if server_info is not None:
            files["ServerInfo.ini"] = server_info
        install, started, window = start_launcher(f"{case}-{label}", files, code_page_936=code_page_936)
        expect(window["caption"], caption, f"caption ({label})")
        close_launcher(install, started)


def placement_follows_window_ini(case):
    expect_screen_of_1366_by_768()
    # (label, window.ini or None, window origin, client size or None where Wine
    # keeps a captioned window at its minimum size or caps it at the screen height)
    table = (
        ("no-window-ini", None, [683, 374], None),
        ("width-of-the-screen", ini("[SYSTEM]", "SCREENWIDTH=1366", "SCREENHEIGHT=640"), [0, 54], [1366, 640]),
        ("height-of-the-screen", ini("[SYSTEM]", "SCREENWIDTH=1024", "SCREENHEIGHT=768"), [171, 0], None),
        ("screen-taller-by-two", ini("[SYSTEM]", "SCREENWIDTH=1024", "SCREENHEIGHT=766"), [171, -9], None),
        ("larger-than-the-screen", ini("[SYSTEM]", "SCREENWIDTH=2000", "SCREENHEIGHT=1000"), [0, 0], None),
        ("lower-case-names", ini("[system]", "screenwidth=800", "ScreenHeight=600"), [283, 74], [800, 600]),
    )
    for label, window_ini, origin, client_size in table:
        files = {} if window_ini is None else {"window.ini": window_ini}
        install, started, window = start_launcher(f"{case}-{label}", files)
        expect(window["window_rect"][:2], origin, f"window origin ({label})")
        if client_size is not None:
            expect(window["client_size"], client_size, f"client size ({label})")
        close_launcher(install, started)


def launch_page_is_requested_once(case):
    # (label, resourceURL line or None, addresses requested). An unquoted address
    # is read up to its "//", so only "http:" is opened; an empty value opens the
    # empty address. Requests are compared once the launcher has ended, so a case
    # that expects none checks the window's whole life. The default launch-page URL
    # names the build's default server and no port. The cases do not listen on
    # that port (port 80 is root's alone): the browser is given the page server as
    # its HTTP proxy instead, so that every address it opens arrives there whole,
    # whichever server it names.
    table = (
        ("quoted", 'resourceURL="{url}/game/launch.php?server=3"', ["{url}/game/launch.php?server=3"]),
        ("absent", None, [harness.default_launch_url_through_proxy()]),
        ("unquoted", "resourceURL={url}/game/launch.php", []),
        ("empty", "resourceURL=", []),
    )
    with harness.page_server() as proxy:
        for label, resource_url, requested in table:
            proxy.paths.clear()
            lines = ["[default]"] + ([] if resource_url is None else [resource_url.format(url=proxy.url)])
            files = {"window.ini": WINDOW_1024_BY_640, "ServerInfo.ini": ini(*lines)}
            install, started, _ = start_launcher(f"{case}-{label}", files, env={"http_proxy": proxy.url})
            if requested:
                harness.poll(lambda: proxy.paths or None)
            close_launcher(install, started)
            expect(proxy.paths, [address.format(url=proxy.url) for address in requested],
                   f"addresses requested through the proxy ({label})")


def minimising_show_command_shows_the_window_minimised(case):
    for show in (SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE):
        install, started, window = start_launcher(f"{case}-{show}", {"window.ini": WINDOW_1024_BY_640}, show=show)
        expect((window["visible"], window["iconic"]), (True, True), f"visible and minimised (show command {show})")
        close_launcher(install, started)


def closing_the_window_ends_the_launcher(case):
    for label, close in (("WM_CLOSE", harness.close_window), ("SC_CLOSE", harness.system_close)):
        install, started, _ = start_launcher(f"{case}-{label}", {"window.ini": WINDOW_1024_BY_640})
        close_launcher(install, started, close)


def window_comes_up_without_the_browser_control(case):
    overrides = harness.wine_env()["WINEDLLOVERRIDES"] + ";ieframe=d"
    with harness.page_server() as server:
        files = {"window.ini": WINDOW_1024_BY_640,
                 "ServerInfo.ini": ini("[default]", f'resourceURL="{server.url}/launch.php"')}
        install, started, window = start_launcher(case, files, env={"WINEDLLOVERRIDES": overrides})
        expect(window["client_size"], [1024, 640], "client size")
        classes = [child["class"] for child in window["children"]]
        expect(classes, [HOST_CLASS], "child windows: an empty host, no browser control")
        harness.screenshot(f"{case}-window")
        close_launcher(install, started)
        expect(server.paths, [], "requests without a browser control")


CASES = {function.__name__: function for function in (
    main_window_is_centred_captioned_and_filled_by_the_browser,
    caption_comes_from_server_info,
    placement_follows_window_ini,
    launch_page_is_requested_once,
    minimising_show_command_shows_the_window_minimised,
    closing_the_window_ends_the_launcher,
    window_comes_up_without_the_browser_control,
)}

if __name__ == "__main__":
    raise SystemExit(harness.main(CASES))
