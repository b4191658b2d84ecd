"""Moves, sizes and closes the pad's windows from outside through
tests/tools/lanjian_window_tool.cpp: Win32 calls from another process are not
second-guessed by the window manager the way an X-side move may be."""
import time

from tests.harness.wine import BUILD

TOOL = BUILD / "tests" / "lanjian_window_tool.exe"


def window_tool(desktop, *args):
    result = desktop.run(TOOL, *args, timeout=30)
    assert result.returncode == 0, f"lanjian_window_tool {args} failed: {result.stderr!r}"


def wait_until(read, accept, timeout):
    """Polls read() until accept(value) holds or timeout seconds pass; returns the last value."""
    deadline = time.time() + timeout
    value = read()
    while not accept(value) and time.time() < deadline:
        time.sleep(0.1)
        value = read()
    return value
