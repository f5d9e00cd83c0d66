"""The ctest fixture of the end-to-end tests: `session.py start` brings up Xvfb and
the Wine prefix, `session.py end` stops them again."""

import sys

import harness

if __name__ == "__main__":
    actions = {"start": harness.start_session, "end": harness.end_session}
    if len(sys.argv) != 2 or sys.argv[1] not in actions:
        sys.exit("usage: session.py start|end")
    actions[sys.argv[1]]()
