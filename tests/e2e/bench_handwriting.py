"""Figures for the handwriting loop under Wine with the real recognition
service listening at the address the pad was built with. Not a test: it
prints what it measures.

  python3 -m tests.e2e.bench_handwriting latency [CHARACTERS]
      pen-up to the first candidate caption shown, over CHARACTERS (default
      20) characters: median, minimum, maximum, with the service's own time.
  python3 -m tests.e2e.bench_handwriting resources [CHARACTERS]
      CHARACTERS (default 100) characters in a row, each recognised and
      committed; the pad's private bytes, handles and threads after 1, 10,
      50 and 100 characters.
"""
import json
import re
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from tests.e2e.handwriting_session import (CANDIDATE_IDS, CAPTION_WATCH, CHARACTERS, RESET_ID, Recognizer,
                                           RecordingProxy, draw, process_stats)
from tests.e2e.pad_session import Pad, service_address
from tests.harness.wine import Desktop

ORDER = list(CHARACTERS)


def click_control(pad, control_id):
    left, top, width, height = pad.controls()[control_id]["rect"]
    pad.click_client(left + width // 2, top + height // 2)


class CaptionWatch:
    """lanjian_caption_watch on 按钮1: empties its caption, then notes the
    moment it shows one."""

    def __init__(self, pad, hwnd, timeout_ms=20000):
        self.desktop = pad.desktop
        self.output = tempfile.NamedTemporaryFile(prefix="lanjian-watch-", delete=False)
        self.process = self.desktop.start(CAPTION_WATCH, hwnd, timeout_ms, stdout=self.output,
                                          stderr=subprocess.DEVNULL)
        deadline = time.time() + 20
        while time.time() < deadline and not self._lines():
            time.sleep(0.02)

    def _lines(self):
        text = Path(self.output.name).read_text(errors="replace")
        return [json.loads(line) for line in text.splitlines() if line.startswith("{")]

    def shown(self):
        self.process.wait(timeout=30)
        found = [line for line in self._lines() if "shown" in line]
        Path(self.output.name).unlink()
        return found[0] if found else {"shown": 0}


def write_one(pad, character, button_hwnd, proxy=None):
    """Writes one character on an empty pad; seconds from the pen-up to the
    first caption on 按钮1 (None when none came), the caption, and seconds
    from the pen-up to the request's arrival when a proxy is given."""
    click_control(pad, RESET_ID)
    watch = CaptionWatch(pad, button_hwnd)
    requests = len(proxy.arrivals) if proxy else 0
    draw(pad, CHARACTERS[character])
    pen_up = time.time()  # the last stroke's mouseup was xdotool's last action
    shown = watch.shown()
    arrival = proxy.arrivals[requests] - pen_up if proxy and len(proxy.arrivals) > requests else None
    return (shown["shown"] - pen_up if shown["shown"] else None), shown.get("caption"), arrival


def service_milliseconds(log):
    return [float(m.group(1)) for m in (re.search(r"ms=([\d.]+)", line) for line in log) if m]


def latency(count):
    # The pad talks to a recording proxy (loopback, one extra hop) that notes
    # when each request arrives, so the monitor's share shows separately.
    with Desktop() as desktop, Recognizer() as service, RecordingProxy(service.port) as proxy:
        pad = Pad(desktop)
        button = pad.controls()[CANDIDATE_IDS[0]]["hwnd"]
        write_one(pad, ORDER[0], button, proxy)  # warm-up: first connection, first page-ins
        service.log.clear()
        figures, arrivals = [], []
        for i in range(count):
            seconds, caption, arrival = write_one(pad, ORDER[i % len(ORDER)], button, proxy)
            if seconds is None:
                print(f"character {i + 1}: no caption", flush=True)
                continue
            figures.append(seconds * 1000)
            if arrival is not None:
                arrivals.append(arrival * 1000)
            print(f"character {i + 1} ({ORDER[i % len(ORDER)]}): caption after {seconds * 1000:.0f} ms, request "
                  f"arrived after {arrival * 1000 if arrival is not None else float('nan'):.0f} ms, 按钮1 {caption}",
                  flush=True)
        desktop._end(pad.process)
    served = service_milliseconds(service.log)
    print(f"pen-up to first caption over {len(figures)} characters: median {statistics.median(figures):.0f} ms, "
          f"min {min(figures):.0f} ms, max {max(figures):.0f} ms")
    if arrivals:
        print(f"pen-up to the request's arrival (the monitor's count, the worker's start, the connection): "
              f"median {statistics.median(arrivals):.0f} ms")
    if served:
        print(f"the service's own time per request: median {statistics.median(served):.1f} ms")
    print("the monitor by itself: 19 ticks of 10 ms after the pen-up, nominally 190 ms")


def resources(count):
    host, port = service_address()
    with Desktop() as desktop, Recognizer(f"{host}:{port}"):
        pad = Pad(desktop)
        button = pad.controls()[CANDIDATE_IDS[0]]["hwnd"]
        rows = []
        for i in range(1, count + 1):
            seconds, _, _ = write_one(pad, ORDER[i % len(ORDER)], button)
            click_control(pad, CANDIDATE_IDS[0])  # commit: clipboard and Ctrl+V
            if i in (1, 10, 50, 100) or i == count:
                stats = process_stats(pad)
                rows.append((i, stats))
                print(f"after {i:3d} characters: private {stats['private_bytes'] / 1024:.0f} KiB, "
                      f"working set {stats['working_set'] / 1024:.0f} KiB, handles {stats['handles']}, "
                      f"threads {stats['threads']}, last pen-up to caption "
                      f"{seconds * 1000 if seconds else float('nan'):.0f} ms", flush=True)
        desktop._end(pad.process)
    return rows


def main():
    what = sys.argv[1] if len(sys.argv) > 1 else "latency"
    if what == "latency":
        latency(int(sys.argv[2]) if len(sys.argv) > 2 else 20)
    elif what == "resources":
        resources(int(sys.argv[2]) if len(sys.argv) > 2 else 100)
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
