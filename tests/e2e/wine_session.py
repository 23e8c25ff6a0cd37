"""A throw-away Wine session for end-to-end tests: its own Xvfb display, its own
64-bit prefix (virtual desktop, no crash dialog, Windows 10), the programs
installed into it, and helpers to run them, look at their windows and files,
and drive them with xdotool. Everything is torn down by close(), also after
a failed test."""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
# LUMETRA_BUILD_DIR names another Windows build tree (default build/windows).
BUILD = Path(os.environ.get("LUMETRA_BUILD_DIR", ROOT / "build" / "windows")).resolve()
BIN = BUILD / "bin"
TEST_TOOLS = BUILD / "tests"
WINE64 = "/usr/lib/wine/wine64"
PROGRAMS = ("Lumetra.exe", "Stilvane.exe", "Tackroll.exe")


class WineError(AssertionError):
    pass


def wait_for(predicate, timeout=30.0, interval=0.1, what="condition"):
    """Polls until predicate() returns a truthy value; returns it, or fails.
    The deadline only catches a hang or an event that never comes: nothing
    here asserts how fast the programs are."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise WineError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class WineSession:
    def __init__(self, screen="1920x1080"):
        self.work = Path(tempfile.mkdtemp(prefix="lumetra-e2e-"))
        self.prefix = self.work / "prefix"
        self.screen = screen
        self.xvfb = None
        self.display = None
        self._start_xvfb()
        self.env = dict(os.environ)
        self.env.update(
            WINEPREFIX=str(self.prefix),
            WINEARCH="win64",
            WINEDEBUG="-all",
            WINEDLLOVERRIDES="mscoree,mshtml=",
            HOME=str(self.prefix / "home"),
            DISPLAY=self.display,
            LUMETRA_SCREEN=screen,
        )
        self.env.pop("WAYLAND_DISPLAY", None)
        subprocess.run([str(ROOT / "scripts" / "wine-prefix"), str(self.prefix)], env=self.env,
                       check=True, timeout=180, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A persistent server makes every later program start quickly.
        subprocess.run(["wineserver", "-p"], env=self.env, timeout=30)
        # The desktop stays up between programs, as the shell keeps it on
        # Windows; without it keys sent after a pause would reach nobody.
        self.start_exe(TEST_TOOLS / "winprobe.exe", "stay")
        wait_for(lambda: self.find_window("Winprobe.Stay")["found"], timeout=60, what="the session's desktop")
        self.install_dir = self.c_drive / "Program Files" / "veltor"
        self.install_programs()

    # ----- places -------------------------------------------------------
    @property
    def c_drive(self):
        return self.prefix / "drive_c"

    @property
    def user_dir(self):
        users = self.c_drive / "users"
        for d in users.iterdir():
            if d.name not in ("Public",) and d.is_dir():
                return d
        raise WineError("no user folder in the prefix")

    @property
    def appdata(self):
        return self.user_dir / "AppData" / "Roaming"

    @property
    def local_appdata(self):
        return self.user_dir / "AppData" / "Local"

    @property
    def desktop(self):
        return self.user_dir / "Desktop"

    def winpath(self, path):
        """Windows form of a Linux path inside (C:) or outside (Z:) the prefix."""
        path = Path(path).resolve()
        try:
            rel = path.relative_to(self.c_drive.resolve())
            return "C:\\" + str(rel).replace("/", "\\")
        except ValueError:
            return "Z:" + str(path).replace("/", "\\")

    def program(self, name):
        return self.install_dir / name

    # ----- set-up -------------------------------------------------------
    def _start_xvfb(self):
        display_file = self.work / "display"
        fd = os.open(display_file, os.O_WRONLY | os.O_CREAT | os.O_TRUNC)
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(fd), "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(fd)
        wait_for(lambda: display_file.read_text().strip(), timeout=20, what="Xvfb display")
        self.display = ":" + display_file.read_text().strip()

    def install_programs(self):
        """Copies the freshly built programs into the prefix (tests may put files beside them)."""
        self.install_dir.mkdir(parents=True, exist_ok=True)
        for name in PROGRAMS:
            shutil.copy2(BIN / name, self.install_dir / name)

    def place_sample_desktop(self):
        place_sample_desktop(self.desktop)

    def reg_import(self, text):
        reg = self.work / "import.reg"
        reg.write_text("Windows Registry Editor Version 5.00\n\n" + text, encoding="utf-8")
        self.run_exe("regedit", "/S", self.winpath(reg), timeout=60)

    # ----- running programs --------------------------------------------
    def _argv(self, exe, args):
        exe = str(exe)
        if "/" in exe:
            exe = str(Path(exe))
        return [WINE64, exe, *[str(a) for a in args]]

    def run_exe(self, exe, *args, timeout=30, env=None, stdin=None):
        """Runs a program to its end; returns the CompletedProcess (bytes).

        Output goes through files, not pipes: Wine's helper processes started
        on the way inherit the handles and would keep a pipe open."""
        e = dict(self.env)
        if env:
            e.update(env)
        with tempfile.TemporaryFile(dir=self.work) as out, tempfile.TemporaryFile(dir=self.work) as err:
            try:
                proc = subprocess.run(self._argv(exe, args), env={k: v for k, v in e.items() if v is not None},
                                      stdout=out, stderr=err, timeout=timeout,
                                      stdin=stdin if stdin is not None else subprocess.DEVNULL)
            finally:
                out.seek(0)
                err.seek(0)
            return subprocess.CompletedProcess(proc.args, proc.returncode, out.read(), err.read())

    def start_exe(self, exe, *args, env=None):
        """Starts a program and returns its Popen (exit code = the program's)."""
        e = dict(self.env)
        if env:
            e.update(env)
        output = self.work / f"{Path(str(exe)).name}.{time.monotonic_ns()}.out"
        with open(output, "wb") as log:
            process = subprocess.Popen(self._argv(exe, args), env={k: v for k, v in e.items() if v is not None},
                                       stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        # What Wine printed, for the message of a test that never saw the program.
        process.output = output
        return process

    def ask(self, exe, *args):
        """Runs a program that always prints its answer (winprobe, reg query)
        and returns that text. One that printed nothing (Wine now and then
        fails to start a process on a loaded machine) is asked again, twice
        at most."""
        for _ in range(3):
            result = self.run_exe(exe, *args, timeout=30)
            answer = result.stdout.decode("utf-8", "replace").strip()
            if answer:
                return answer
        raise WineError(f"{Path(str(exe)).name} {args} printed nothing (rc={result.returncode}, "
                        f"stderr={result.stderr[-300:]!r})")

    def probe(self, *args):
        """One winprobe question; returns its JSON answer."""
        return json.loads(self.ask(TEST_TOOLS / "winprobe.exe", *args).splitlines()[-1])

    def find_window(self, cls):
        return self.probe("find", cls)

    def probe_library(self, name):
        """A copy of the probe library NAME (from the test tools) in a folder
        of its own, where its requests and answers go."""
        folder = self.work / Path(name).stem
        folder.mkdir(exist_ok=True)
        library = folder / name
        shutil.copy2(TEST_TOOLS / name, library)
        return library

    def inject(self, cls, library):
        """Loads LIBRARY into the process of the window of CLS and waits until
        it has done its work and left again."""
        answer = self.probe("inject", cls, self.winpath(library))
        assert answer.get("loaded") and answer.get("unloaded"), answer
        return answer

    def count_windows(self, cls):
        return self.probe("count", cls)["count"]

    def post(self, cls, message, wparam=0, lparam=0):
        return self.probe("post", cls, message, wparam, lparam)

    def close_windows(self, cls):
        """Closes every top-level window of a class (WM_CLOSE, one at a time)."""
        for _ in range(10):
            count = self.count_windows(cls)
            if not count:
                return
            self.post(cls, 0x0010)
            wait_for(lambda: self.count_windows(cls) < count, what=f"a {cls} window closed")

    def xdotool(self, *args):
        """One xdotool call. A gesture made of several events (a double tap, a
        double click, a move between clicks) is one call with --delay or a chain
        of commands, so that no process start falls between its events."""
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, timeout=30)
        if result.returncode != 0:
            raise WineError(f"xdotool {args} failed: {result.stderr.decode(errors='replace')}")
        return result

    def keyboard_focus(self):
        """The X window that gets the keys (under Wine a hook sees only keys
        that reach Wine), for the message of a failed keyboard test."""
        result = subprocess.run(["xdotool", "getwindowfocus", "getwindowname"], env=self.env,
                                capture_output=True, timeout=30)
        return (result.stdout + result.stderr).decode(errors="replace").strip()

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", str(path)], env=self.env, check=True, timeout=60)
        return Path(path)

    # ----- tear-down ----------------------------------------------------
    def kill_wine(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=30, capture_output=True)

    def close(self):
        try:
            self.kill_wine()
        finally:
            if self.xvfb:
                self.xvfb.send_signal(signal.SIGTERM)
                try:
                    self.xvfb.wait(10)
                except subprocess.TimeoutExpired:
                    self.xvfb.kill()
            shutil.rmtree(self.work, ignore_errors=True)


def place_sample_desktop(desktop):
    """A small, recognisable Desktop: documents, a folder and a few kinds of file."""
    desktop = Path(desktop)
    desktop.mkdir(parents=True, exist_ok=True)
    (desktop / "Meeting notes.txt").write_text("Agenda\r\n- budget\r\n- roadmap\r\n", encoding="utf-8")
    (desktop / "Budget 2026.csv").write_text("month,amount\r\njan,100\r\n", encoding="utf-8")
    (desktop / "Photos").mkdir(exist_ok=True)
    (desktop / "Photos" / "beach.txt").write_text("placeholder", encoding="utf-8")
    (desktop / "Projects").mkdir(exist_ok=True)
    (desktop / "Read me first.md").write_text("# Hello\r\n", encoding="utf-8")
    (desktop / "Caf\u00e9 menu.txt").write_text("espresso\r\n", encoding="utf-8")
