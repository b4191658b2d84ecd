"""The pad under Wine on a private desktop, read from outside through the
inspector tool and driven with xdotool like a user would."""
import http.server
import json
import re
import socketserver
import threading
import time
from pathlib import Path

from tests.harness.wine import BUILD, Desktop

PAD = BUILD / "lanjian-pad.exe"
INSPECT = BUILD / "tests" / "lanjian_inspect.exe"
MAIN_CAPTION = "澜笺手写输入法 V3.0"
INFO_TITLE = "信息："

WS_EX_TOOLWINDOW = 0x80
WS_EX_TOPMOST = 0x8
WS_EX_LAYERED = 0x80000
WS_EX_NOACTIVATE = 0x08000000


def service_address():
    """Host and port of the service address the Windows tree was built with."""
    cache = (BUILD / "CMakeCache.txt").read_text(errors="replace")
    url = re.search(r"^LANJIAN_SERVICE_URL:STRING=(.*)$", cache, re.M).group(1)
    host, port = re.match(r"http://([^:/]+):?(\d*)", url).groups()
    return host, int(port or 80)


class Inspector:
    def __init__(self, desktop: Desktop):
        self.desktop = desktop

    def _lines(self, *args):
        result = self.desktop.run(INSPECT, *args, timeout=30)
        text = result.stdout.decode("utf-8", "replace")
        return [json.loads(line) for line in text.splitlines() if line.startswith("{")]

    def top_windows(self, caption=None):
        # Filtered here: Wine hands a program its arguments through the ANSI
        # code page, so a Chinese caption cannot travel on the command line.
        found = self._lines("top")
        return [w for w in found if caption is None or w["caption"] == caption]

    def children(self, hwnd):
        return self._lines("children", hwnd)

    def slider(self, hwnd):
        return self._lines("slider", hwnd)[0]

    def clipboard(self):
        return self._lines("clipboard")[0]

    def wait_for_window(self, caption, timeout=20, visible=True):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [w for w in self.top_windows(caption) if w["visible"] or not visible]
            if found:
                return found[0]
            time.sleep(0.3)
        return None

    def window(self, caption):
        found = self.top_windows(caption)
        return found[0] if found else None


class Pad:
    """One run of the pad; ends it (by pid) when the test is done."""

    def __init__(self, desktop: Desktop):
        self.desktop = desktop
        self.inspector = Inspector(desktop)
        self.process = desktop.start(PAD)
        self.main = self.inspector.wait_for_window(MAIN_CAPTION)
        if self.main is None:
            raise RuntimeError("MainWindow did not appear")

    def refresh(self):
        self.main = self.inspector.window(MAIN_CAPTION)
        return self.main

    def controls(self):
        """Child windows of MainWindow keyed by control id."""
        return {c["id"]: c for c in self.inspector.children(self.main["hwnd"])}

    def client_to_screen(self, x, y):
        ox, oy = self.refresh()["client_origin"]
        return ox + x, oy + y

    def click_client(self, x, y, button=1):
        sx, sy = self.client_to_screen(x, y)
        self.desktop.xdotool("mousemove", sx, sy)
        time.sleep(0.1)
        self.desktop.xdotool("click", button)
        time.sleep(0.3)

    def wait_exit(self, timeout=15):
        return self.process.wait(timeout=timeout)


class QuietServer(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = b"<html><body>ok</body></html>"
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


class PageServer:
    """A plain HTTP server answering GET at the service address."""

    def __enter__(self):
        host, port = service_address()
        socketserver.TCPServer.allow_reuse_address = True
        self.server = socketserver.ThreadingTCPServer((host, port), QuietServer)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.server.shutdown()
        self.server.server_close()


def pixel(png_path, x, y):
    """The RGB of one pixel of a screenshot (ImageMagick)."""
    import subprocess
    out = subprocess.run(["convert", str(png_path), "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True).stdout
    r, g, b = re.search(r"\((\d+),(\d+),(\d+)", out).groups()
    return int(r), int(g), int(b)
