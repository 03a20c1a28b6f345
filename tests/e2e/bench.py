"""The Wine test bench: a private Xvfb display, a Wine session in the
end-to-end prefix, the driver as one long-lived process, and a watchdog that
ends a hung test with a screenshot. Everything started here is stopped on the
way out, whatever happened.

How to wait for things
----------------------
Under Wine every step is asynchronous: a driver command returns once the
input is queued or the call is made, not once a program has acted on it. And
one state never implies another: a window that is shown may not be laid out
or painted yet, a message box that exists may lack its text, a file that
exists may not be written and closed, a tray icon that was added may not be
in Wine's tray window yet, a process that was told to end may still run.
So a test never sleeps. It waits for exactly the state it checks next:

    window = bench.wait_until(lambda: bench.drive("window", hwnd),
                              "the panel visible", until=lambda w: w["visible"])

wait_until(condition, what, timeout=WAIT_TIMEOUT, until=bool) calls
condition() until until(value) is true and returns that value. A condition
may also raise AssertionError for "not yet" (its message is then what was
seen). On timeout it saves a screenshot and raises WaitTimeout:
"timed out after 30 s waiting for the panel visible; last seen: {...}".
Name `what` as the state wanted, so the message reads as a sentence.

Helpers built on it: wait_window, wait_gone, wait_exit, kill, wait_focus,
wait_foreground, wait_message_box. To make sure something did NOT happen, first wait for a
later state that shows the program got that far (an input barrier, see
wait_focus), then check once. Timeouts are generous; a slow or busy machine
scales them all with TOVANEL_E2E_TIME_SCALE (for example 2)."""

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
# Slow or busy machines scale every timeout of the bench and the tests.
TIME_SCALE = float(os.environ.get("TOVANEL_E2E_TIME_SCALE") or 1)
# Long enough for a loaded CI machine; a wait returns as soon as its state comes.
WAIT_TIMEOUT = 30.0
# Starting Wine (and making its prefix on a fresh machine) before a test runs.
SETUP_TIMEOUT = 180.0


class BenchError(Exception):
    pass


class WaitTimeout(AssertionError):
    """A wait_until that ran out of time; the message names the state waited
    for, what was seen last and the screenshot taken then."""


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
        """timeout: the watchdog's limit for the test's own steps, after set-up."""
        self.name = name
        self.timeout = timeout * TIME_SCALE
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
        self.stage = "set-up"
        self.waits = 0
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
        # Wine may first have to make its prefix; that counts apart from the test.
        self._arm_watchdog(SETUP_TIMEOUT * TIME_SCALE, "set-up")
        if self.dpi != 96:
            self._set_log_pixels()
        self._start_driver()
        acp = self.drive("acp")["acp"]
        if acp != 936:
            raise BenchError(f"Wine runs with code page {acp}, not 936 (GBK): "
                             "the zh_CN.UTF-8 locale is missing")
        self._arm_watchdog(self.timeout, "test")
        return self

    def _arm_watchdog(self, seconds, stage):
        if self.watchdog:
            self.watchdog.cancel()
        self.stage = stage
        self.watchdog = threading.Timer(seconds, self._on_timeout, args=(seconds,))
        self.watchdog.daemon = True
        self.watchdog.start()

    def __exit__(self, kind, value, tb):
        if kind is not None and not self.timed_out and not isinstance(value, WaitTimeout):
            self.screenshot("failure")
        self._stop_everything()
        if self.timed_out and kind is not None:
            raise BenchError(f"{self.name}: the {self.stage} took longer than its watchdog "
                             f"allows; screenshot in {self.artifact_path('timeout.png')}") \
                from value
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
                       timeout=SETUP_TIMEOUT * TIME_SCALE, check=True)

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
        try:
            subprocess.run(["wineserver", "-w"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=60)
        except subprocess.TimeoutExpired:
            print(f"{self.name}: wineserver did not end within 60 s", file=sys.stderr)

    def _on_timeout(self, seconds):
        self.timed_out = True
        self.screenshot("timeout")
        print(f"{self.name}: the {self.stage} took more than {seconds:.0f} s, stopping Wine",
              file=sys.stderr)
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

    # ----- waiting -----

    def wait_until(self, condition, what, timeout=WAIT_TIMEOUT, until=bool, interval=0.1):
        """Calls condition() until until(value) holds; returns that value.
        An AssertionError from condition() means "not yet". On timeout: a
        screenshot, then WaitTimeout naming `what` and the value seen last."""
        limit = timeout * TIME_SCALE
        end = time.monotonic() + limit
        while True:
            try:
                value = condition()
                if until(value):
                    return value
                seen = _shorten(repr(value))
            except AssertionError as error:
                seen = _shorten(str(error) or repr(error))
            if time.monotonic() >= end:
                break
            time.sleep(interval)
        self.waits += 1
        shot = self.screenshot(f"wait-{self.waits}")
        raise WaitTimeout(f"timed out after {limit:.0f} s waiting for {what}; last seen: {seen}"
                          f"; screenshot: {shot or 'none'}")

    def wait_window(self, cls, title, visible=None, pid=None, timeout=WAIT_TIMEOUT):
        """The top-level window of that class and title ("-" for any), once it
        exists (and has the wanted visibility); its description."""
        state = "" if visible is None else " visible" if visible else " hidden"
        return self.wait_until(
            lambda: self.drive("find", cls, title),
            f"a{state} window {cls!r} {title!r}" + (f" of process {pid}" if pid else ""),
            timeout,
            until=lambda w: w["found"] and (visible is None or w["visible"] == visible)
            and (pid is None or w["pid"] == pid))

    def wait_gone(self, hwnd, what="the window", timeout=WAIT_TIMEOUT):
        self.wait_until(lambda: self.drive("window", hwnd), f"{what} {hwnd} destroyed", timeout,
                        until=lambda w: not w["found"])

    def wait_exit(self, pid, what=None, timeout=WAIT_TIMEOUT):
        """Waits until the process has ended; returns its exit code."""
        ended = self.wait_until(lambda: self.drive("wait", pid, 0),
                                f"{what or 'process ' + str(pid)} to end", timeout,
                                until=lambda r: r["exited"])
        return ended["code"]

    def kill(self, pid, timeout=WAIT_TIMEOUT):
        """Terminates a process and waits until it has ended."""
        self.drive("kill", pid)
        return self.wait_exit(pid, f"process {pid}, terminated,", timeout)

    def wait_foreground(self, hwnd, what="the window", timeout=WAIT_TIMEOUT):
        """Keys go to the foreground thread as it is when they are queued, so
        a test waits for its target to be in front before pressing any."""
        return self.wait_until(lambda: self.drive("foreground"), f"{what} {hwnd} in front",
                               timeout, until=lambda w: w.get("hwnd") == hwnd)

    def wait_focus(self, hwnd, what="the control", timeout=WAIT_TIMEOUT):
        """Waits until `hwnd` has the keyboard focus of its thread. As a
        thread handles its input in order, this is also a barrier: a click
        queued before the one that focused `hwnd` has been handled."""
        return self.wait_until(lambda: self.drive("focus", hwnd), f"{what} {hwnd} focused",
                               timeout, until=lambda f: f["focus"] == hwnd)

    def wait_message_box(self, pid=None, what="a message box"):
        """A visible message box (of process `pid`), read once it is complete:
        one that just showed may still lack its texts, its buttons or the
        painted icon the driver recognises."""
        return self.wait_until(
            lambda: self.drive("dialog", 0, pid or 0),
            f"{what} with its text, buttons and icon",
            until=lambda box: box["found"] and box["texts"] and box["buttons"]
            and box["icon"] != "unknown")

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


def _shorten(text, limit=1500):
    return text if len(text) <= limit else text[:limit] + f"... ({len(text)} characters)"


def wait_for(predicate, timeout, interval=0.1):
    """Old form, kept for callers not yet moved: returns the last value, falsy
    on timeout, with no evidence. New code uses Bench.wait_until."""
    end = time.monotonic() + timeout * TIME_SCALE
    while True:
        value = predicate()
        if value or time.monotonic() >= end:
            return value
        time.sleep(interval)
