"""Edge docking seen from outside: MainWindow parked at the left, right or top
screen edge slips off it leaving a 2-pixel strip while the pointer is away,
and comes back when the pointer touches the strip. Windows are placed with a
Win32 call from another process; fluxbox leaves such off-screen places alone."""
import time

import pytest

from tests.e2e.window_tool import wait_until, window_tool
from tests.harness.wine import SCREEN

S = SCREEN[0]
# The dock timer ticks every 500 ms; a generous ceiling keeps a loaded machine
# from failing the test while a window that never moves still fails it.
SETTLE = 4.0

EDGES = {
    # name: (place (left, top), pointer away, expected hidden place, pointer on the strip)
    "left": (lambda w, h: (0, 200), (1000, 900), lambda w, h: (2 - w, 200), lambda w, h: (1, 300)),
    "right": (lambda w, h: (S - w, 200), (100, 900), lambda w, h: (S - 2, 200), lambda w, h: (S - 1, 300)),
    "top": (lambda w, h: (400, 0), (100, 900), lambda w, h: (400, 2 - h), lambda w, h: (500, 1)),
}


def origin(pad):
    left, top, _, _ = pad.refresh()["rect"]
    return left, top


@pytest.mark.parametrize("edge", EDGES)
def test_main_window_hides_at_the_edge_and_comes_back_when_the_pointer_touches_the_strip(page_server, pad, edge):
    place, away, hidden, strip = EDGES[edge]
    _, _, width, height = pad.refresh()["rect"]
    pad.desktop.xdotool("mousemove", *away)
    window_tool(pad.desktop, "move", pad.main["hwnd"], *place(width, height))

    assert wait_until(lambda: origin(pad), lambda o: o == hidden(width, height), SETTLE) == hidden(width, height)
    assert pad.main["rect"][2:] == [width, height]

    pad.desktop.xdotool("mousemove", *strip(width, height))
    assert wait_until(lambda: origin(pad), lambda o: o == place(width, height), SETTLE) == place(width, height)

    # Back in view with the pointer inside, it stays put.
    time.sleep(1.2)
    assert origin(pad) == place(width, height)


@pytest.mark.parametrize("where", ["left and top", "right and top"])
def test_a_window_10_pixels_from_every_edge_never_moves(page_server, pad, where):
    _, _, width, _ = pad.refresh()["rect"]
    place = (10, 10) if where == "left and top" else (S - width - 10, 10)
    pad.desktop.xdotool("mousemove", 640, 1000)
    window_tool(pad.desktop, "move", pad.main["hwnd"], *place)
    assert wait_until(lambda: origin(pad), lambda o: o == place, SETTLE) == place
    time.sleep(1.6)  # at least three ticks of the dock timer
    assert origin(pad) == place
