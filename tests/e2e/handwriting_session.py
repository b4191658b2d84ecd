"""Writing on the pad from outside: the recognition service (the real one,
behind a recording proxy at the address the pad was built with), characters
drawn on 画板 with xdotool, and the application the pad types into."""
import http.client
import http.server
import json
import os
import re
import signal
import socketserver
import subprocess
import tempfile
import threading
import time
from pathlib import Path

from tests.e2e.pad_session import service_address
from tests.harness.wine import BUILD, ROOT

RECOGNIZER = Path(os.environ.get("LANJIAN_RECOGNIZER", ROOT / "build" / "native" / "lanjian-recognizer"))
TYPE_TARGET = BUILD / "tests" / "lanjian_type_target.exe"
TYPE_TARGET_CAPTION = "lanjian type target"
CAPTION_WATCH = BUILD / "tests" / "lanjian_caption_watch.exe"
PROCESS_STATS = BUILD / "tests" / "lanjian_process_stats.exe"

# Control ids: 1000 + the control's place in the program's control list.
PAD_ID = 1000
CANDIDATE_IDS = [1000 + k for k in range(1, 11)]  # 按钮1 ... 按钮10
QUICK_KEY_IDS = {1012: 13, 1013: 8, 1014: 32, 1015: 188, 1016: 190}  # 按钮12-16 and their keys
RESET_ID = 1017  # 按钮17 "重写"
DOT_DRAW_ID = 1020  # 选择框1 "点画"

# Strokes in pad client pixels (画板 is 243 x 210).
CHARACTERS = {
    "十": [[(50, 100), (190, 100)], [(120, 30), (120, 190)]],
    "中": [[(60, 60), (60, 140)], [(60, 60), (180, 60), (180, 140)], [(60, 140), (180, 140)],
          [(120, 20), (120, 195)]],
    "人": [[(125, 25), (115, 100), (60, 185)], [(118, 95), (150, 150), (195, 185)]],
}

INK_BODY = re.compile(r"^type=1&wd=(-?\d+a-?\d+(?:a-?\d+a-?\d+)*(?:aa-?\d+a-?\d+(?:a-?\d+a-?\d+)*)*)$")


def ink_strokes(body):
    """The strokes of a recognition request body as lists of (x, y), or None
    when the body is not "type=1&wd=" and an ink text without its first and
    last "a"."""
    match = INK_BODY.match(body)
    if not match:
        return None
    strokes = []
    for stroke in match.group(1).split("aa"):
        numbers = [int(n) for n in stroke.split("a")]
        strokes.append(list(zip(numbers[0::2], numbers[1::2])))
    return strokes


class Recognizer:
    """The recognition service, on a port of its own choosing unless told
    where to listen ("HOST:PORT"). Its request log lines are kept in `log`."""

    def __init__(self, listen="127.0.0.1:0"):
        self.listen = listen
        self.log = []

    def __enter__(self):
        if not RECOGNIZER.exists():
            raise RuntimeError(f"{RECOGNIZER} is missing: build the native tree first")
        self.process = subprocess.Popen([str(RECOGNIZER), "--listen", self.listen], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, start_new_session=True)
        line = self.process.stderr.readline().decode("utf-8", "replace")
        match = re.search(r"http://[^:/]+:(\d+)/", line)
        if not match:
            self.stop()
            raise RuntimeError(f"the recognizer did not start: {line!r}")
        self.port = int(match.group(1))
        # Keep draining its request log so that it never blocks on a full pipe.
        threading.Thread(target=self._drain, daemon=True).start()
        return self

    def _drain(self):
        for line in self.process.stderr:
            self.log.append(line.decode("utf-8", "replace").rstrip())

    def __exit__(self, *exc):
        self.stop()

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
            self.process.wait(timeout=10)


class _ProxyHandler(http.server.BaseHTTPRequestHandler):
    # HTTP/1.0: one request per connection, so that once the proxy stops no
    # kept-alive connection can still reach the service.

    def do_GET(self):
        self._answer(b"<html><body>ok</body></html>", "text/html")

    def do_POST(self):
        proxy = self.server.proxy
        length = int(self.headers.get("Content-Length", 0))
        body = self.rfile.read(length)
        with proxy.lock:
            proxy.arrivals.append(time.time())
            proxy.requests.append(body)
            proxy.arrived.notify_all()
        if proxy.stall.is_set():
            proxy.stall_released.wait(120)
            return
        connection = http.client.HTTPConnection("127.0.0.1", proxy.upstream, timeout=30)
        connection.request("POST", "/", body, {"Content-Type": "application/x-www-form-urlencoded"})
        reply = connection.getresponse()
        self._answer(reply.read(), reply.getheader("Content-Type", "text/plain"))
        connection.close()

    def _answer(self, body, content_type):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


class RecordingProxy:
    """Listens at the service address the pad was built with, records every
    request body exactly as it arrives and passes it on to the recognizer.
    With stall set, requests are recorded and never answered."""

    def __init__(self, upstream_port):
        self.upstream = upstream_port
        self.requests = []
        self.arrivals = []  # time.time() of each request's arrival
        self.lock = threading.Lock()
        self.arrived = threading.Condition(self.lock)
        self.stall = threading.Event()
        self.stall_released = threading.Event()

    def __enter__(self):
        host, port = service_address()
        socketserver.TCPServer.allow_reuse_address = True
        self.server = socketserver.ThreadingTCPServer((host, port), _ProxyHandler)
        self.server.daemon_threads = True
        self.server.proxy = self
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def stop(self):
        self.stall_released.set()
        self.server.shutdown()
        self.server.server_close()

    def bodies(self):
        with self.lock:
            return [b.decode("latin-1") for b in self.requests]

    def wait_for_requests(self, count, timeout):
        with self.lock:
            self.arrived.wait_for(lambda: len(self.requests) >= count, timeout)
            return len(self.requests)


class TypeTarget:
    """The focused edit window that the pad types into; its keyboard hook's
    lines are read back with keys()."""

    def __init__(self, desktop, inspector):
        self.inspector = inspector
        self.output = tempfile.NamedTemporaryFile(prefix="lanjian-keys-", suffix=".txt", delete=False)
        self.process = desktop.start(TYPE_TARGET, stdout=self.output, stderr=subprocess.DEVNULL)
        self.window = inspector.wait_for_window(TYPE_TARGET_CAPTION)
        if self.window is None:
            raise RuntimeError("the type target did not appear")
        deadline = time.time() + 10
        while time.time() < deadline and not self._lines():
            time.sleep(0.1)

    def _lines(self):
        text = Path(self.output.name).read_text(errors="replace")
        return [json.loads(line) for line in text.splitlines() if line.startswith("{")]

    def keys(self):
        """(vk, up) of every key event the hook saw, injected ones only."""
        return [(k["vk"], bool(k["up"])) for k in self._lines() if "vk" in k and k["injected"]]

    def text(self):
        edits = [c for c in self.inspector.children(self.window["hwnd"]) if c["class"] == "Edit"]
        return edits[0]["caption"] if edits else None

    def close(self, desktop):
        desktop._end(self.process)
        self.output.close()
        os.unlink(self.output.name)


def pad_screen_point(pad, x, y):
    """Screen point of pad client pixel (x, y) of 画板 (one-pixel border)."""
    left, top = pad.controls()[PAD_ID]["rect"][:2]
    return pad.client_to_screen(left + 1 + x, top + 1 + y)


def _path(points, step=6):
    """Points every `step` pixels along the polyline."""
    out = []
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        n = max(1, int(max(abs(x1 - x0), abs(y1 - y0)) / step))
        out += [(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n)) for i in range(n)]
    return out + [points[-1]]


def draw(pad, strokes, dot_draw=False, pause=0.012):
    """Draws strokes (pad client pixels) with the left button held, or in
    dot-draw mode with a click at each end and the button up in between. One
    xdotool run per stroke so that the moves come at an even pace."""
    origin = pad_screen_point(pad, 0, 0)
    for stroke in strokes:
        points = [(origin[0] + x, origin[1] + y) for x, y in _path(stroke)]
        first, rest = points[0], points[1:]
        args = ["mousemove", *first, "sleep", "0.03", "click" if dot_draw else "mousedown", "1"]
        for x, y in rest:
            args += ["sleep", str(pause), "mousemove", x, y]
        args += ["sleep", "0.03", "click" if dot_draw else "mouseup", "1"]
        pad.desktop.xdotool(*args)


def captions(pad):
    """The captions of 按钮1 ... 按钮10, in number order."""
    controls = pad.controls()
    return [controls[i]["caption"] for i in CANDIDATE_IDS]


def process_stats(pad):
    result = pad.desktop.run(PROCESS_STATS, pad.main["pid"], timeout=30)
    lines = [json.loads(l) for l in result.stdout.decode().splitlines() if l.startswith("{")]
    return lines[0]
