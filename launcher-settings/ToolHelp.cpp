#include "ToolHelp.h"

const char kToolHelp[] =
    "usage: launcher-settings COMMAND [ARGUMENTS]\n"
    "See, check and edit a launcher install's settings exactly as the launcher reads them.\n"
    "\n"
    "commands:\n"
    "  show FILE                          the sections and entries of FILE as the launcher reads them\n"
    "  check DIR [--screen WxH] [--code-page N] [--page [--timeout SECONDS]] [--json]\n"
    "                                     the effective settings of the install in DIR, and its pitfalls\n"
    "  set FILE SECTION KEY VALUE         change or add one entry, and confirm that it reads back\n"
    "\n"
    "\"launcher-settings COMMAND --help\" describes a command.\n";

const char kShowHelp[] =
    "usage: launcher-settings show FILE\n"
    "Lists every section header and entry of FILE in the order of the text, with line numbers,\n"
    "exactly as the launcher's settings reader takes them: names and values in double quotes,\n"
    "CR, LF and tab as \\r, \\n and \\t, other control bytes and bytes of 0x80 and above as \\xNN.\n"
    "An entry that the launcher's lookup (names compared ignoring case) does not reach says\n"
    "which entry the lookup finds instead.\n"
    "exit status: 0 listed, 2 bad arguments, FILE unreadable or the report not written.\n";

const char kCheckHelp[] =
    "usage: launcher-settings check DIR [--screen WxH] [--code-page N] [--page [--timeout SECONDS]] [--json]\n"
    "Reads ServerInfo.ini and window.ini in the install directory DIR as the launcher does and\n"
    "prints the effective settings: the launch page the window opens and why, the window caption,\n"
    "the client size, the window's origin on the screen, and the player command line that\n"
    "\"nowindow\" starts. Then a warning for each pitfall, as FILE:LINE, what is wrong and a fix.\n"
    "  --screen WxH     the screen size for the window's origin (default 1366x768)\n"
    "  --code-page N    the ANSI code page of the Windows the launcher runs on, which the caption\n"
    "                   is converted from and counted in UTF-16 units (default 936)\n"
    "  --page           also fetch the launch page with HTTP GET, as the browser control would\n"
    "                   (http: and https: only, at most 10 redirects and 4 MiB), and say where it\n"
    "                   ends, its status and the document mode the control draws it in; a failed\n"
    "                   fetch, a status other than 2xx and a mode other than edge or 11 are warnings\n"
    "  --timeout SECONDS  the limit of the whole fetch, redirects included (default 10)\n"
    "  --json           the same as one JSON object; bytes of settings text that are not printable\n"
    "                   ASCII are written as \\u00NN, so Latin-1 encoding gives the file's bytes back\n"
    "exit status: 0 no warnings, 1 warnings, 2 bad arguments, DIR or a file unreadable, or the report\n"
    "not written.\n";

const char kSetHelp[] =
    "usage: launcher-settings set FILE SECTION KEY VALUE\n"
    "Sets KEY in SECTION of FILE to VALUE: the entry that the launcher's lookup (names compared\n"
    "ignoring case) finds is changed; when there is none, the entry is added at the end of the\n"
    "file under a header of its own. FILE is created when it does not exist. The file is then\n"
    "read again, and the change stands only when KEY reads back as VALUE and every other entry\n"
    "reads as before; otherwise the file is left as it was.\n"
    "Sets of one FILE take turns: each holds a lock file beside it while it works, and waits up\n"
    "to 30 seconds for another.\n"
    "The file is rewritten from its entries: values that need them get double quotes, and\n"
    "comments, blank lines and spacing are not kept.\n"
    "exit status: 0 set, 1 not saved or not read back (file unchanged),\n"
    "2 bad arguments, FILE unreadable, a KEY, SECTION or VALUE that no file can hold, or the\n"
    "report not written (the change is made all the same).\n";
