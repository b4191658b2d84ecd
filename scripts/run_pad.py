"""Starts the recognition service and the pad; see scripts/run."""
import os
import signal
import subprocess
import sys
import time
from pathlib import Path

from tests.e2e.pad_session import MAIN_CAPTION, Inspector, service_address
from tests.harness.wine import ROOT, Desktop, ensure_prefix, wine_environment

RECOGNIZER = ROOT / "build" / "native" / "lanjian-recognizer"
PAD = ROOT / "build" / "windows" / "lanjian-pad.exe"
SHOT = ROOT / "build" / "pad-screenshot.png"


def start_service():
    if not RECOGNIZER.exists():
        print("run: no recognition service built; the pad will say it has no connection")
        return None
    host, port = service_address()
    service = subprocess.Popen([str(RECOGNIZER), "--listen", f"{host}:{port}"], start_new_session=True)
    for _ in range(100):
        try:
            import urllib.request
            urllib.request.urlopen(f"http://{host}:{port}/healthz", timeout=1).read()
            print(f"run: recognition service listening on {host}:{port}")
            return service
        except OSError:
            if service.poll() is not None:
                print("run: the recognition service did not start", file=sys.stderr)
                return None
            time.sleep(0.2)
    return service


def stop(process):
    if process and process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)


def main():
    service = start_service()
    try:
        if os.environ.get("DISPLAY"):
            ensure_prefix()
            pad = subprocess.run(["wine", str(PAD)], env=wine_environment(os.environ["DISPLAY"]))
            return pad.returncode
        with Desktop() as desktop:
            desktop.start(PAD)
            found = Inspector(desktop).wait_for_window(MAIN_CAPTION)
            time.sleep(2)
            desktop.screenshot(SHOT)
            print(f"run: no display; the pad ran on a private one ({'shown' if found else 'NOT shown'}),"
                  f" screenshot saved to {SHOT}")
            return 0 if found else 1
    finally:
        stop(service)


if __name__ == "__main__":
    sys.exit(main())
