"""The Wine test bench: a private Xvfb display, a Wine session in the
end-to-end prefix, the driver as one long-lived process, and a watchdog that
ends a hung test with a screenshot. Everything started here is stopped on the
way out, whatever happened."""

import fcntl
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77  # ctest SKIP_RETURN_CODE


class BenchError(Exception):
    pass


def config(name):
    value = os.environ.get(name)
    if not value:
        raise BenchError(f"{name} is not set (run through ctest)")
    return value


def windows_path(path):
    """Wine maps Z: to the Unix root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def scaled_prefix(prefix, dpi):
    """The Wine prefix of the tests at a display scale other than 100 %."""
    return prefix if dpi == 96 else f"{prefix}-{dpi}dpi"


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(SKIP)


class Bench:
    """with Bench("name", timeout=60) as bench: ... bench.drive("find", ...)

    dpi=144 runs Wine at that display scale (LogPixels), in a prefix of its own."""

    def __init__(self, name, timeout=90, screen=(1280, 1024), dpi=96):
        self.name = name
        self.timeout = timeout
        self.screen = screen
        self.dpi = dpi
        self.artifacts = config("TOVANEL_E2E_ARTIFACTS")
        self.wine_run = config("TOVANEL_E2E_WINE_RUN")
        self.prefix = scaled_prefix(config("TOVANEL_E2E_PREFIX"), dpi)
        self.driver_exe = config("TOVANEL_E2E_DRIVER")
        self.xvfb = None
        self.driver = None
        self.display = None
        self.lock = None
        self.timed_out = False
        self.watchdog = None
        self.tempdirs = []
        self.env = None

    # ----- set-up and tear-down -----

    def __enter__(self):
        try:
            return self._set_up()
        except BaseException:
            self._stop_everything()
            raise

    def _set_up(self):
        os.makedirs(self.artifacts, exist_ok=True)
        signal.signal(signal.SIGTERM, self._on_sigterm)
        self._lock_prefix()
        self._start_xvfb()
        self.env = dict(os.environ, DISPLAY=f":{self.display}", WINEPREFIX=self.prefix,
                        WINEDEBUG=os.environ.get("WINEDEBUG", "-all"))
        if self.dpi != 96:
            self._set_log_pixels()
        self.watchdog = threading.Timer(self.timeout, self._on_timeout)
        self.watchdog.daemon = True
        self.watchdog.start()
        self._start_driver()
        acp = self.drive("acp")["acp"]
        if acp != 936:
            raise BenchError(f"Wine runs with code page {acp}, not 936 (GBK): "
                             "the zh_CN.UTF-8 locale is missing")
        return self

    def __exit__(self, kind, value, tb):
        if kind is not None and not self.timed_out:
            self.screenshot("failure")
        self._stop_everything()
        if self.timed_out and kind is not None:
            raise BenchError(f"{self.name}: timed out after {self.timeout} s; screenshot in "
                             f"{self.artifact_path('timeout.png')}") from value
        return False

    def _lock_prefix(self):
        # One Wine session at a time in the end-to-end prefix, also across
        # ctest runs: a second wineserver would mix displays.
        os.makedirs(self.prefix, exist_ok=True)
        self.lock = open(os.path.join(os.path.dirname(self.prefix), ".e2e-prefix.lock"), "w")
        fcntl.flock(self.lock, fcntl.LOCK_EX)

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        width, height = self.screen
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise BenchError("Xvfb did not start")
        self.display = int(number)

    def _set_log_pixels(self):
        # Wine reads the scale when a process starts, so it is set before any
        # program of the test runs (the first run also makes the prefix).
        subprocess.run([self.wine_run, "reg", "add", r"HKCU\Control Panel\Desktop", "/v",
                        "LogPixels", "/t", "REG_DWORD", "/d", str(self.dpi), "/f"],
                       env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300, check=True)

    def _start_driver(self):
        self.driver = subprocess.Popen(
            [self.wine_run, self.driver_exe, "serve"], env=self.env, stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, start_new_session=True)

    def _stop_everything(self):
        if self.watchdog:
            self.watchdog.cancel()
        if self.driver and self.driver.poll() is None:
            try:
                self.driver.stdin.write(b"quit\n")
                self.driver.stdin.flush()
            except OSError:
                pass
        self._kill_wine()
        if self.driver:
            try:
                self.driver.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.driver.pid, signal.SIGKILL)
                self.driver.wait()
        if self.xvfb and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        for path in self.tempdirs:
            shutil.rmtree(path, ignore_errors=True)
        if self.lock:
            self.lock.close()
            self.lock = None

    def _kill_wine(self):
        if not self.env:
            return
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30)

    def _on_timeout(self):
        self.timed_out = True
        self.screenshot("timeout")
        print(f"{self.name}: timeout after {self.timeout} s, stopping Wine", file=sys.stderr)
        self._kill_wine()
        if self.driver and self.driver.poll() is None:
            os.killpg(self.driver.pid, signal.SIGKILL)

    def _on_sigterm(self, signum, frame):
        self.screenshot("killed")
        self._stop_everything()
        sys.exit(1)

    # ----- the driver -----

    def drive(self, *args, check=True):
        """Runs one driver command; returns its answer as a dict."""
        line = "\t".join(_escape(str(a)) for a in args) + "\n"
        try:
            self.driver.stdin.write(line.encode("utf-8"))
            self.driver.stdin.flush()
            answer = self.driver.stdout.readline()
        except OSError as error:
            answer = b""
            if not self.timed_out:
                raise BenchError(f"driver gone during {args[0]}: {error}")
        if not answer:
            raise BenchError(f"driver ended during {args}" +
                             (" (timeout)" if self.timed_out else ""))
        reply = json.loads(answer.decode("utf-8"))
        if check and not reply.get("ok"):
            raise BenchError(f"{args[0]} failed: {reply.get('error')}")
        return reply

    # ----- artifacts and files -----

    def artifact_path(self, what):
        return os.path.join(self.artifacts, f"{self.name}-{what}")

    def screenshot(self, what, crop=None):
        """Saves the whole screen, or crop=(left, top, width, height)."""
        if self.display is None or not self.xvfb or self.xvfb.poll() is not None:
            return None
        path = self.artifact_path(f"{what}.png")
        command = ["import", "-display", f":{self.display}", "-window", "root"]
        if crop:
            left, top, width, height = crop
            command += ["-crop", f"{width}x{height}+{left}+{top}", "+repage"]
        subprocess.run(command + [path], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30)
        return path if os.path.exists(path) else None

    def temp_dir(self, name):
        root = tempfile.mkdtemp(prefix=f"tovanel-e2e-{self.name}-")
        self.tempdirs.append(root)
        path = os.path.join(root, name)
        os.makedirs(path)
        return path


def _escape(field):
    return (field.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            .replace("\r", "\\r"))


def wait_for(predicate, timeout, interval=0.1):
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() >= end:
            return value
        time.sleep(interval)
