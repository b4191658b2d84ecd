"""The road of one character under Wine, with the real recognition service:
strokes drawn on 画板 with the left button held (or with two clicks in
dot-draw mode), the request the service receives, the candidates shown, and a
click on one of them typing it into another program's focused edit window
through the clipboard and Ctrl+V. Also the quick keys, the resets, a stopped
service and an exit while a reply is pending."""
import math
import time

import pytest

from tests.e2e.handwriting_session import (CANDIDATE_IDS, CHARACTERS, DOT_DRAW_ID, PAD_ID, QUICK_KEY_IDS, RESET_ID,
                                           Recognizer, RecordingProxy, TypeTarget, captions, draw, ink_strokes,
                                           pad_screen_point)
from tests.e2e.pad_session import pixel
from tests.e2e.window_tool import wait_until, window_tool

CTRL_V = [(17, False), (86, False), (17, True), (86, True)]
WHITE = (255, 255, 255)
PEN = (10, 0, 0)  # colour value 10


@pytest.fixture(scope="module")
def recognizer():
    with Recognizer() as service:
        yield service


@pytest.fixture
def proxy(recognizer):
    with RecordingProxy(recognizer.port) as recording:
        yield recording


@pytest.fixture
def target(pad):
    # MainWindow becomes non-activating with the first left press on it; make
    # that press (on 按钮17, which only resets the pad) before the target takes
    # the focus, so that every later click leaves the focus where it is.
    click_control(pad, RESET_ID)
    typing = TypeTarget(pad.desktop, pad.inspector)
    left, top = typing.window["client_origin"]
    pad.desktop.xdotool("mousemove", left + 40, top + 40, "click", 1)
    time.sleep(0.3)
    yield typing
    typing.close(pad.desktop)


def click_control(pad, control_id, button=1):
    left, top, width, height = pad.controls()[control_id]["rect"]
    pad.click_client(left + width // 2, top + height // 2, button)


def sample_offset(pad):
    """How far sample coordinates exceed pad client coordinates: the window's
    left frame less 1, its top frame and caption less 1."""
    main = pad.refresh()
    return (main["client_origin"][0] - main["rect"][0] - 1, main["client_origin"][1] - main["rect"][1] - 1)


def distance_to_polyline(point, polyline):
    px, py = point
    best = math.inf
    for (x0, y0), (x1, y1) in zip(polyline, polyline[1:]):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / float(dx * dx + dy * dy)))
        best = min(best, math.hypot(px - (x0 + t * dx), py - (y0 + t * dy)))
    return best


def assert_ink_follows(body, strokes, offset):
    sent = ink_strokes(body)
    assert sent is not None, f"not a recognition request: {body!r}"
    assert len(sent) == len(strokes)
    for samples, stroke in zip(sent, strokes):
        moved = [(x + offset[0], y + offset[1]) for x, y in stroke]
        assert len(samples) >= 5
        assert max(distance_to_polyline(p, moved) for p in samples) <= 3, (samples, moved)


def stroke_pixels(pad, tmp_path, strokes):
    """The screen colour at the middle of each stroke's first segment."""
    shot = tmp_path / "pad.png"
    pad.desktop.screenshot(shot)
    colours = []
    for stroke in strokes:
        (x0, y0), (x1, y1) = stroke[0], stroke[1]
        colours.append(pixel(shot, *pad_screen_point(pad, (x0 + x1) // 2, (y0 + y1) // 2)))
    return colours


def wait_for_candidate(pad, character, timeout=10):
    return wait_until(lambda: captions(pad), lambda shown: character in shown, timeout)


@pytest.mark.parametrize("character", list(CHARACTERS))
def test_a_written_character_is_recognised_and_typed_into_the_focused_window(proxy, pad, target, character,
                                                                              tmp_path):
    strokes = CHARACTERS[character]
    draw(pad, strokes)
    assert stroke_pixels(pad, tmp_path, strokes) == [PEN] * len(strokes)

    shown = wait_for_candidate(pad, character)
    assert character in shown, shown
    assert all(shown), shown  # the service always answers ten
    bodies = proxy.bodies()
    assert len(bodies) == 1, bodies  # one recognition for the whole character
    assert_ink_follows(bodies[0], strokes, sample_offset(pad))

    click_control(pad, CANDIDATE_IDS[shown.index(character)])
    assert stroke_pixels(pad, tmp_path, strokes) == [WHITE] * len(strokes)
    assert pad.inspector.clipboard()["ansi_hex"] == character.encode("gbk").hex()
    assert wait_until(target.keys, lambda keys: len(keys) >= 4, 5) == CTRL_V
    assert wait_until(target.text, lambda text: text == character, 5) == character
    assert captions(pad) == shown  # a commit leaves the candidates alone


def test_quick_keys_send_their_keys_and_leave_the_clipboard_alone(proxy, pad, target):
    before = pad.inspector.clipboard()
    for control_id in [1014, 1015, 1016, 1013, 1012]:  # 空格 ， 。 删除 回车
        click_control(pad, control_id)
    expected = []
    for control_id in [1014, 1015, 1016, 1013, 1012]:
        expected += [(QUICK_KEY_IDS[control_id], False), (QUICK_KEY_IDS[control_id], True)]
    assert wait_until(target.keys, lambda keys: len(keys) >= len(expected), 5) == expected
    assert wait_until(target.text, lambda text: text == " ,\r\n", 5) == " ,\r\n"
    assert pad.inspector.clipboard() == before
    assert proxy.bodies() == []


@pytest.mark.parametrize("reset", ["按钮17", "right click"])
def test_a_reset_clears_the_pad_and_sends_nothing(proxy, pad, target, reset, tmp_path):
    strokes = CHARACTERS["十"]
    draw(pad, strokes)
    if reset == "按钮17":
        click_control(pad, RESET_ID)
    else:
        click_control(pad, PAD_ID, button=3)
    assert stroke_pixels(pad, tmp_path, strokes) == [WHITE] * len(strokes)
    time.sleep(0.5)
    assert target.keys() == []


def test_dot_draw_makes_the_same_strokes_with_two_clicks(proxy, pad, target):
    click_control(pad, DOT_DRAW_ID)
    assert pad.controls()[DOT_DRAW_ID]["checked"] == 1
    strokes = CHARACTERS["十"]
    draw(pad, strokes, dot_draw=True)
    shown = wait_for_candidate(pad, "十")
    assert "十" in shown, shown
    bodies = proxy.bodies()
    assert len(bodies) == 1, bodies
    assert_ink_follows(bodies[0], strokes, sample_offset(pad))


def test_with_the_service_stopped_the_captions_stay_and_the_pad_responds(proxy, pad, target, tmp_path):
    draw(pad, CHARACTERS["十"])
    shown = wait_for_candidate(pad, "十")
    assert "十" in shown
    click_control(pad, RESET_ID)
    proxy.stop()  # nothing listens at the service address any more

    strokes = CHARACTERS["人"]
    draw(pad, strokes)
    time.sleep(2)
    assert captions(pad) == shown
    # Still drawing, still resetting, still committing.
    assert stroke_pixels(pad, tmp_path, strokes) == [PEN] * len(strokes)
    click_control(pad, CANDIDATE_IDS[0])
    assert stroke_pixels(pad, tmp_path, strokes) == [WHITE] * len(strokes)
    assert wait_until(target.text, lambda text: text == shown[0], 5) == shown[0]


def test_closing_while_a_reply_is_pending_ends_the_run_with_code_0(proxy, pad):
    proxy.stall.set()
    draw(pad, CHARACTERS["十"])
    assert proxy.wait_for_requests(1, timeout=10) == 1
    window_tool(pad.desktop, "close", pad.main["hwnd"])
    assert pad.wait_exit(timeout=10) == 0
