"""A private X display with fluxbox and a private Wine prefix, for running the
pad and its Windows test programs the way a user's desktop would.

Everything started here is remembered by pid and ended by pid, also when a
test fails or times out; nothing else on the machine is touched.
"""
import contextlib
import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("LANJIAN_WINDOWS_BUILD", ROOT / "build" / "windows"))
PREFIX = Path(os.environ.get("LANJIAN_WINEPREFIX", ROOT / "build" / "wineprefix"))
SCREEN = (1280, 1024)


def wine_environment(display=None):
    env = dict(os.environ)
    env.update(
        WINEPREFIX=str(PREFIX),
        WINEDEBUG="-all",
        # No mono or gecko installer dialogs, ever.
        WINEDLLOVERRIDES="mscoree,mshtml=",
        # The ANSI code page is 936 (GBK) only under a Chinese locale.
        LC_ALL="zh_CN.UTF-8",
        LANG="zh_CN.UTF-8",
        WINEARCH="win64",
    )
    if display is not None:
        env["DISPLAY"] = display
    return env


def ensure_prefix():
    """Creates the private prefix once (about 15 s) and reuses it afterwards."""
    if (PREFIX / "system.reg").exists():
        return
    PREFIX.parent.mkdir(parents=True, exist_ok=True)
    env = wine_environment()
    env.pop("DISPLAY", None)
    subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, timeout=300)


class Desktop:
    """Xvfb 1280x1024x24 with fluxbox on a free display number."""

    def __init__(self, window_manager=True):
        self.window_manager = window_manager
        self.processes = []
        self.display = None
        self.home = None

    def __enter__(self):
        ensure_prefix()
        self.home = tempfile.mkdtemp(prefix="lanjian-home-")
        number = self._free_display()
        self.display = f":{number}"
        xvfb = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(xvfb)
        self._wait_for_display()
        if self.window_manager:
            env = dict(os.environ, DISPLAY=self.display, HOME=self.home)
            self.processes.append(subprocess.Popen(
                ["fluxbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                start_new_session=True))
            time.sleep(0.8)
        # A wineserver that stays up makes every later start fast.
        self.processes.append(subprocess.Popen(
            ["wineserver", "-p", "-f"], env=self.env(), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True))
        return self

    def __exit__(self, *exc):
        self.close()

    def env(self, **extra):
        env = wine_environment(self.display)
        env["HOME"] = self.home or env.get("HOME", "/tmp")
        env.update(extra)
        return env

    def start(self, program, *args, **popen):
        """Starts a Windows program under Wine on this desktop; ended at close."""
        process = subprocess.Popen(["wine", str(program), *map(str, args)], env=self.env(),
                                   start_new_session=True, **popen)
        self.processes.append(process)
        return process

    def run(self, program, *args, timeout=60, **kwargs):
        """Runs a Windows program to its end and returns CompletedProcess."""
        # Files, not pipes: a wineserver that the program happens to start
        # inherits its output handles and would hold a pipe open for ever.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            process = self.start(program, *args, stdout=out, stderr=err, **kwargs)
            try:
                process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self._end(process)
                raise
            out.seek(0)
            err.seek(0)
            return subprocess.CompletedProcess(process.args, process.returncode, out.read(), err.read())

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=dict(os.environ, DISPLAY=self.display),
                              check=True, capture_output=True, text=True).stdout

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)], check=True)

    def close(self):
        # Wine's own helpers (services, explorer, winedevice) outlive the
        # programs that started them; end everything in this prefix first.
        if self.display is not None:
            with contextlib.suppress(subprocess.SubprocessError, OSError):
                subprocess.run(["wineserver", "-k"], env=self.env(), timeout=15,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for process in reversed(self.processes):
            self._end(process)
        self.processes.clear()
        if self.home:
            shutil.rmtree(self.home, ignore_errors=True)
            self.home = None

    @staticmethod
    def _end(process):
        if process.poll() is not None:
            return
        with contextlib.suppress(ProcessLookupError):
            os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(process.pid, signal.SIGKILL)
            process.wait(timeout=3)

    @staticmethod
    def _free_display():
        for number in range(90, 190):
            if not Path(f"/tmp/.X{number}-lock").exists() and not Path(f"/tmp/.X11-unix/X{number}").exists():
                return number
        raise RuntimeError("no free X display number")

    def _wait_for_display(self):
        deadline = time.time() + 10
        while time.time() < deadline:
            if subprocess.run(["xdpyinfo", "-display", self.display], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                return
            time.sleep(0.1)
        raise RuntimeError(f"Xvfb did not come up on {self.display}")
