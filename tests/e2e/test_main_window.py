"""The pad as a user first meets it: MainWindow's place, styles, controls,
the start-up connection check, and the ways to close it. Everything is read
from outside the pad's process with the inspector tool."""
import time

import pytest

from tests.e2e.pad_session import (INFO_TITLE, MAIN_CAPTION, WS_EX_LAYERED, WS_EX_NOACTIVATE, WS_EX_TOPMOST,
                                   Pad, pixel)
from tests.harness.wine import SCREEN

WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_THICKFRAME = 0x00040000
WS_SYSMENU = 0x00080000
WS_CAPTION = 0x00C00000
WS_BORDER = 0x00800000
WS_EX_APPWINDOW = 0x40000
WS_EX_WINDOWEDGE = 0x100
BS_TYPEMASK = 0xF
BS_AUTOCHECKBOX = 0x3
TBS_AUTOTICKS = 0x1
# The window manager adds these two by itself: WS_EX_TOPMOST records the
# topmost placement and WS_EX_WINDOWEDGE comes with every captioned frame.
SYSTEM_EXSTYLE = WS_EX_TOPMOST | WS_EX_WINDOWEDGE

# id = 1000 + the control's place in the program's control list.
LAYOUT = {
    # id: (class, left, top, width, height, caption)
    1000: ("LanjianPad", 5, 6, 243, 210, ""),       # 画板
    1001: ("Button", 5, 225, 61, 58, ""),           # 按钮1
    1002: ("Button", 66, 225, 61, 58, ""),          # 按钮2
    1003: ("Button", 127, 225, 61, 58, ""),         # 按钮3
    1004: ("Button", 188, 225, 61, 58, ""),         # 按钮4
    1010: ("Button", 249, 225, 61, 58, ""),         # 按钮10, right end of the top row
    1006: ("Button", 5, 283, 61, 58, ""),           # 按钮6
    1007: ("Button", 66, 283, 61, 58, ""),          # 按钮7
    1008: ("Button", 127, 283, 61, 58, ""),         # 按钮8
    1009: ("Button", 188, 283, 61, 58, ""),         # 按钮9
    1005: ("Button", 249, 283, 61, 58, ""),         # 按钮5, right end of the bottom row
    1012: ("Button", 254, 4, 56, 32, "回车"),       # 按钮12
    1013: ("Button", 254, 39, 56, 32, "删除"),       # 按钮13
    1014: ("Button", 254, 72, 56, 32, "空格"),       # 按钮14
    1015: ("Button", 254, 104, 56, 32, "，"),        # 按钮15
    1016: ("Button", 254, 136, 56, 32, "。"),        # 按钮16
    1017: ("Button", 254, 168, 56, 32, "重写"),      # 按钮17
    1019: ("msctls_trackbar32", -3, 348, 312, 40, ""),  # 滑块条1
    1020: ("Button", 8, 384, 80, 24, "点画"),        # 选择框1
    1018: ("Button", 287, 389, 40, 24, "关于"),      # 按钮18
    1021: ("Button", 345, 201, 37, 26, "重写"),      # 重写按钮, beyond the right edge
    1022: ("Edit", 384, 32, 160, 56, ""),           # 编辑框1, beyond the right edge
    1011: ("Button", 400, 112, 80, 32, "按钮"),      # 按钮11, beyond the right edge
}
PAD_ID = 1000
REWRITE_OUTSIDE_ID = 1021


def info_boxes(pad):
    return [w for w in pad.inspector.top_windows(INFO_TITLE) if w["visible"] and w["class"] == "#32770"]


def test_without_the_service_a_warning_appears_and_the_pad_stays_usable(pad):
    deadline = time.time() + 20
    while not info_boxes(pad) and time.time() < deadline:
        time.sleep(0.3)
    boxes = info_boxes(pad)
    assert boxes, "the no-connection box did not appear"
    texts = [c["caption"] for c in pad.inspector.children(boxes[0]["hwnd"])]
    assert "此软件需要联网后才能使用！" in texts
    assert boxes[0]["owner"] == "0" or boxes[0]["owner"] == 0
    # MainWindow is not disabled by the task-modal box of another thread.
    main = pad.refresh()
    assert main["enabled"] == 1 and main["visible"] == 1


def test_with_the_service_answering_the_start_is_silent(page_server, desktop):
    pad = Pad(desktop)
    try:
        time.sleep(4)
        assert info_boxes(pad) == []
    finally:
        desktop._end(pad.process)


def test_main_window_is_centred_topmost_layered_and_off_the_taskbar(page_server, pad):
    main = pad.refresh()
    assert main["caption"] == MAIN_CAPTION
    assert main["rect"] == [(SCREEN[0] - 335) // 2, (SCREEN[1] - 447) // 2, 335, 447]
    style = main["style"]
    assert style & WS_CAPTION == WS_CAPTION and style & WS_SYSMENU and style & WS_THICKFRAME
    assert style & WS_MINIMIZEBOX and not style & WS_MAXIMIZEBOX
    # Right after start the extended style is exactly WS_EX_LAYERED at alpha 200.
    assert main["exstyle"] & WS_EX_TOPMOST
    assert main["exstyle"] & ~SYSTEM_EXSTYLE == WS_EX_LAYERED
    assert (main["layered"], main["alpha"], main["alpha_flags"]) == (1, 200, 2)
    # No taskbar button: owned by an invisible window, never an app window.
    assert main["owner"] not in (0, "0") and main["owner_visible"] == 0
    assert not main["exstyle"] & WS_EX_APPWINDOW


def test_a_left_press_puts_no_activate_back(page_server, pad):
    assert not pad.refresh()["exstyle"] & WS_EX_NOACTIVATE
    pad.click_client(100, 100)  # on the pad
    assert pad.refresh()["exstyle"] & WS_EX_NOACTIVATE
    assert pad.main["alpha"] == 200


def test_every_control_is_in_its_place_with_its_caption(page_server, pad):
    controls = pad.controls()
    for control_id, (cls, left, top, width, height, caption) in LAYOUT.items():
        c = controls.get(control_id)
        assert c is not None, f"control {control_id} is missing"
        assert (c["class"], c["rect"], c["caption"]) == (cls, [left, top, width, height], caption), control_id
        assert c["visible"] == 1 and c["enabled"] == 1
    assert controls[PAD_ID]["style"] & WS_BORDER
    check_box = controls[1020]
    assert check_box["style"] & BS_TYPEMASK == BS_AUTOCHECKBOX and check_box["checked"] == 0
    slider = controls[1019]
    assert slider["style"] & TBS_AUTOTICKS
    assert pad.inspector.slider(slider["hwnd"]) == {"pos": 50, "min": 50, "max": 250, "line": 1, "page": 5}


def test_right_click_and_the_outside_rewrite_button_leave_the_pad_white(page_server, pad, tmp_path):
    pad.click_client(120, 110, button=3)
    shot = tmp_path / "pad.png"
    pad.desktop.screenshot(shot)
    ox, oy = pad.refresh()["client_origin"]
    for x, y in [(10, 10), (120, 110), (240, 200)]:
        assert pixel(shot, ox + 5 + x, oy + 6 + y) == (255, 255, 255)


def test_the_close_box_ends_the_run_with_exit_code_0(page_server, pad):
    left, top, width, _ = pad.refresh()["rect"]
    # The close box is the last button of the caption bar.
    pad.desktop.xdotool("mousemove", left + width - 13, top + 12)
    time.sleep(0.2)
    pad.desktop.xdotool("click", 1)
    assert pad.wait_exit() == 0


def test_esc_with_the_focus_on_main_window_ends_the_run_with_exit_code_0(page_server, pad):
    left, top, _, _ = pad.refresh()["rect"]
    # A click on the caption activates the window, as on Windows.
    pad.desktop.xdotool("mousemove", left + 60, top + 10)
    time.sleep(0.2)
    pad.desktop.xdotool("click", 1)
    time.sleep(0.5)
    pad.desktop.xdotool("key", "Escape")
    assert pad.wait_exit() == 0
