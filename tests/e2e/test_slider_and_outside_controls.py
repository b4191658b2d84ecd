"""The opacity slider and the controls beyond MainWindow's right edge, seen
from outside. Layered alpha is read back with GetLayeredWindowAttributes (a
screenshot shows none without a compositor). The extended style read back also
holds WS_EX_TOPMOST and WS_EX_WINDOWEDGE, which the window system adds by
itself; they are masked where "exactly WS_EX_LAYERED" is checked."""
import time

import pytest

from tests.e2e.pad_session import WS_EX_LAYERED, WS_EX_NOACTIVATE, WS_EX_TOPMOST, pixel
from tests.e2e.window_tool import wait_until, window_tool

WS_EX_WINDOWEDGE = 0x100
SYSTEM_EXSTYLE = WS_EX_TOPMOST | WS_EX_WINDOWEDGE
SLIDER_ID = 1019
EDIT_ID = 1022
BROWSER_ID = 1023
CHANNEL_Y = 358           # client row of the slider's channel
THUMB_AT_50_X = 11        # client column of the thumb's middle at position 50
THUMB_AT_250_X = 296      # and at 250
CHECK_BOX = (20, 396)     # 选择框1: a harmless left press
BACKSPACE_BUTTON = (440, 128)  # 按钮11, client centre
REWRITE_OUTSIDE = (363, 214)   # 重写按钮, client centre
PAD_ORIGIN = (5, 6)


def state(pad):
    main = pad.refresh()
    position = pad.inspector.slider(pad.controls()[SLIDER_ID]["hwnd"])["pos"]
    return position, main["alpha"], main["exstyle"] & ~SYSTEM_EXSTYLE


def test_a_click_beside_the_thumb_pages_by_5_and_the_opacity_follows_until_the_next_press(page_server, pad):
    assert state(pad) == (50, 200, WS_EX_LAYERED)  # thumb and opacity disagree at start
    pad.click_client(150, CHANNEL_Y)
    assert state(pad) == (55, 55, WS_EX_LAYERED)
    pad.desktop.xdotool("key", "Right")  # the slider holds the keyboard focus now
    assert wait_until(lambda: state(pad), lambda s: s[0] == 56, 3) == (56, 56, WS_EX_LAYERED)
    pad.click_client(*CHECK_BOX)  # the next left press puts WS_EX_NOACTIVATE back
    assert state(pad) == (56, 56, WS_EX_LAYERED | WS_EX_NOACTIVATE)


def drag(pad, points):
    ox, oy = pad.refresh()["client_origin"]
    pad.desktop.xdotool("mousemove", ox + points[0][0], oy + points[0][1])
    time.sleep(0.1)
    pad.desktop.xdotool("mousedown", 1)
    seen = []
    for x, y in points[1:]:
        pad.desktop.xdotool("mousemove", ox + x, oy + y)
        time.sleep(0.15)
        seen.append(state(pad))
    pad.desktop.xdotool("mouseup", 1)
    time.sleep(0.3)
    return seen


def assert_every_step_applied(seen, direction):
    positions = [position for position, _, _ in seen]
    assert positions == sorted(positions, reverse=direction < 0) and len(set(positions)) == len(positions), positions
    for position, alpha, exstyle in seen:
        assert (alpha, exstyle) == (position, WS_EX_LAYERED)


def test_dragging_the_thumb_sets_the_opacity_at_every_step_and_letting_go_keeps_it(page_server, pad):
    # Dragged past the right end: 250 of 255, never fully opaque.
    seen = drag(pad, [(THUMB_AT_50_X, CHANNEL_Y), (100, CHANNEL_Y), (200, CHANNEL_Y), (1000, CHANNEL_Y)])
    assert_every_step_applied(seen, +1)
    assert seen[-1][0] == 250
    assert state(pad) == (250, 250, WS_EX_LAYERED)
    # And back past the left end: 50 of 255, never fully transparent.
    seen = drag(pad, [(THUMB_AT_250_X, CHANNEL_Y), (200, CHANNEL_Y), (100, CHANNEL_Y), (-400, CHANNEL_Y)])
    assert_every_step_applied(seen, -1)
    assert seen[-1][0] == 50
    assert state(pad) == (50, 50, WS_EX_LAYERED)


WM_HSCROLL = 0x114
TBM_SETPOS = 0x405
TB_ENDTRACK = 8
SCROLL_CODES = {0: "TB_LINEUP", 1: "TB_LINEDOWN", 2: "TB_PAGEUP", 3: "TB_PAGEDOWN", 4: "TB_THUMBPOSITION",
                5: "TB_THUMBTRACK", 6: "TB_TOP", 7: "TB_BOTTOM", TB_ENDTRACK: "TB_ENDTRACK"}


def test_every_scroll_notification_of_the_slider_but_the_end_of_tracking_applies_its_position(page_server, pad):
    main, slider = pad.main["hwnd"], pad.controls()[SLIDER_ID]["hwnd"]
    alpha = 200
    for code, position in zip(SCROLL_CODES, range(60, 250, 20)):
        # TBM_SETPOS moves the thumb without any notification; the
        # notification is then sent as the slider would send it.
        window_tool(pad.desktop, "send", slider, TBM_SETPOS, 1, position)
        window_tool(pad.desktop, "send", main, WM_HSCROLL, code, slider)
        if code != TB_ENDTRACK:
            alpha = position
        assert state(pad) == (position, alpha, WS_EX_LAYERED), SCROLL_CODES[code]
    # A scroll message that does not come from the slider changes nothing.
    window_tool(pad.desktop, "send", slider, TBM_SETPOS, 1, 77)
    window_tool(pad.desktop, "send", main, WM_HSCROLL, 4, 0)
    assert state(pad)[1] == alpha


def widen(pad):
    left, top, width, height = pad.refresh()["rect"]
    window_tool(pad.desktop, "resize", pad.main["hwnd"], 640, height)
    wait_until(lambda: pad.refresh()["rect"][2], lambda w: w == 640, 5)


def test_the_backspace_button_deletes_before_the_caret_in_the_edit_box(page_server, pad):
    widen(pad)
    edit = pad.controls()[EDIT_ID]
    cases = [
        # text, selection (start, end; caret at end), text after one press of 按钮11
        ("abc", (3, 3), "ab"),
        ("abc", (1, 1), "bc"),
        ("abc", (0, 0), "abc"),
        ("abcd", (1, 3), "ad"),
        ("", (0, 0), ""),
    ]
    for text, (start, end), expected in cases:
        window_tool(pad.desktop, "settext", edit["hwnd"], text)
        window_tool(pad.desktop, "setsel", edit["hwnd"], start, end)
        pad.click_client(*BACKSPACE_BUTTON)
        assert pad.controls()[EDIT_ID]["caption"] == expected, (text, start, end)


def test_the_outside_rewrite_button_clears_the_pad(page_server, pad, tmp_path):
    widen(pad)
    ox, oy = pad.refresh()["client_origin"]
    px, py = ox + PAD_ORIGIN[0], oy + PAD_ORIGIN[1]
    pad.desktop.xdotool("mousemove", px + 40, py + 100)
    pad.desktop.xdotool("mousedown", 1)
    for x in range(50, 200, 10):
        pad.desktop.xdotool("mousemove", px + x, py + 100)
        time.sleep(0.03)
    pad.desktop.xdotool("mouseup", 1)
    time.sleep(0.3)
    before = tmp_path / "before.png"
    pad.desktop.screenshot(before)
    assert pixel(before, px + 120, py + 100) != (255, 255, 255), "no stroke was drawn"

    pad.click_client(*REWRITE_OUTSIDE)
    after = tmp_path / "after.png"
    pad.desktop.screenshot(after)
    for x in (60, 120, 180):
        assert pixel(after, px + x, py + 100) == (255, 255, 255)


def test_without_an_html_engine_the_browser_view_is_left_out_silently(page_server, pad, tmp_path):
    # The harness runs Wine without its HTML engine (and so without its installer).
    widen(pad)
    time.sleep(1.0)
    assert BROWSER_ID not in pad.controls()
    shown = [w for w in pad.inspector.top_windows() if w["pid"] == pad.main["pid"] and w["visible"]]
    assert [w["class"] for w in shown] == ["LanjianMainWindow"]
    # Its place beyond the right edge shows the bare window background.
    shot = tmp_path / "wide.png"
    pad.desktop.screenshot(shot)
    ox, oy = pad.refresh()["client_origin"]
    background = pixel(shot, ox + 600, oy + 20)
    for x, y in [(512, 200), (562, 250), (611, 299)]:
        assert pixel(shot, ox + x, oy + y) == background
