"""AboutWindow from outside: "关于" opens one box, a second press brings it
forward, "关闭", its close box and Esc close it, and the run ends only when
both MainWindow and AboutWindow are closed."""
import time

import pytest

from tests.e2e.pad_session import WS_EX_TOPMOST
from tests.e2e.window_tool import wait_until, window_tool
from tests.harness.wine import SCREEN

ABOUT_CAPTION = "关于"
ABOUT_BUTTON = (287 + 20, 389 + 12)  # 按钮18, client centre
CLOSE_BUTTON = (168 + 40, 88 + 16)   # AboutWindow's "关闭", client centre
WS_SYSMENU = 0x00080000
WS_CAPTION = 0x00C00000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_THICKFRAME = 0x00040000


def about_windows(pad):
    return [w for w in pad.inspector.top_windows(ABOUT_CAPTION)
            if w["visible"] and w["class"] == "LanjianAboutWindow"]


def wait_for_about_windows(pad, count, timeout=5):
    return wait_until(lambda: about_windows(pad), lambda found: len(found) == count, timeout)


def foreground_class(pad):
    return next((w["class"] for w in pad.inspector.top_windows() if w["foreground"]), None)


def press_about(pad):
    pad.click_client(*ABOUT_BUTTON)


def click_in(pad, window, x, y):
    ox, oy = window["client_origin"]
    pad.desktop.xdotool("mousemove", ox + x, oy + y)
    time.sleep(0.1)
    pad.desktop.xdotool("click", 1)


def move_main_window_aside(pad):
    # MainWindow is topmost and hides the middle of AboutWindow while both are
    # centred; 10 pixels from the top-left corner it covers none of it and the
    # dock timer leaves it there.
    window_tool(pad.desktop, "move", pad.main["hwnd"], 10, 10)
    wait_until(lambda: pad.refresh()["rect"][:2], lambda o: o == [10, 10], 5)


def test_two_presses_give_one_centred_about_window_brought_forward_by_the_second(page_server, pad):
    press_about(pad)
    found = wait_for_about_windows(pad, 1)
    assert len(found) == 1
    about = found[0]
    width, height = 432, 161
    assert about["rect"] == [(SCREEN[0] - width) // 2, (SCREEN[1] - height) // 2, width, height]
    style = about["style"]
    assert style & WS_CAPTION == WS_CAPTION and style & WS_SYSMENU
    assert not style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)
    assert about["owner"] in (0, "0") and not about["exstyle"] & WS_EX_TOPMOST
    children = {c["id"]: c for c in pad.inspector.children(about["hwnd"])}
    close = [c for c in children.values() if c["class"] == "Button"]
    label = [c for c in children.values() if c["class"] == "Static"]
    assert [(c["caption"], c["rect"]) for c in close] == [("关闭", [168, 88, 80, 32])]
    assert len(label) == 1 and label[0]["rect"] == [24, 24, 400, 40] and label[0]["caption"].strip()

    # Another application takes the foreground; the second press brings the same box forward.
    other = pad.desktop.start("notepad")
    try:
        editor = wait_until(lambda: [w for w in pad.inspector.top_windows() if w["class"] == "Notepad" and w["visible"]],
                            lambda found: found, 20)
        assert editor, "notepad did not appear"
        # Beside both of the pad's windows, then clicked into.
        window_tool(pad.desktop, "move", editor[0]["hwnd"], 850, 650)
        editor = [w for w in pad.inspector.top_windows() if w["hwnd"] == editor[0]["hwnd"]]
        click_in(pad, editor[0], 50, 50)
        assert wait_until(lambda: foreground_class(pad), lambda c: c == "Notepad", 5) == "Notepad"
        press_about(pad)
        assert wait_until(lambda: foreground_class(pad), lambda c: c == "LanjianAboutWindow", 5) == "LanjianAboutWindow"
        assert [w["hwnd"] for w in about_windows(pad)] == [about["hwnd"]]
    finally:
        pad.desktop._end(other)


def test_close_then_about_gives_a_new_window(page_server, pad):
    press_about(pad)
    first = wait_for_about_windows(pad, 1)[0]
    move_main_window_aside(pad)
    click_in(pad, first, *CLOSE_BUTTON)
    assert wait_for_about_windows(pad, 0) == []
    press_about(pad)
    found = wait_for_about_windows(pad, 1)
    assert len(found) == 1 and found[0]["hwnd"] != first["hwnd"]
    assert pad.process.poll() is None


def close_by_close_box(pad, about):
    left, top, width, _ = about["rect"]
    ox, oy = about["client_origin"]
    # The close box is the last button of the caption bar.
    pad.desktop.xdotool("mousemove", left + width - (ox - left) - 10, top + (oy - top) // 2)
    time.sleep(0.1)
    pad.desktop.xdotool("click", 1)


def close_by_esc(pad, about):
    assert wait_until(lambda: about_windows(pad), lambda f: f and f[0]["foreground"] == 1, 5)[0]["foreground"] == 1
    pad.desktop.xdotool("key", "Escape")


def close_by_button(pad, about):
    click_in(pad, about, *CLOSE_BUTTON)


@pytest.mark.parametrize("close", [close_by_close_box, close_by_esc, close_by_button],
                         ids=["close box", "Esc", "关闭"])
def test_about_window_closes_and_main_window_stays(page_server, pad, close):
    move_main_window_aside(pad)
    press_about(pad)
    about = wait_for_about_windows(pad, 1)[0]
    close(pad, about)
    assert wait_for_about_windows(pad, 0) == []
    time.sleep(0.5)
    assert pad.process.poll() is None
    assert pad.refresh()["visible"] == 1


def test_the_run_ends_with_code_0_only_when_both_windows_are_closed(page_server, pad):
    press_about(pad)
    about = wait_for_about_windows(pad, 1)[0]
    window_tool(pad.desktop, "close", pad.main["hwnd"])  # as MainWindow's close box does
    assert wait_until(lambda: pad.refresh(), lambda m: m is None, 5) is None
    time.sleep(1.0)
    assert pad.process.poll() is None, "the run ended while AboutWindow was open"
    assert [w["hwnd"] for w in about_windows(pad)] == [about["hwnd"]]
    click_in(pad, about, *CLOSE_BUTTON)
    assert pad.wait_exit() == 0
