"""Starting, watching and ending Lumetra in a WineSession."""

import datetime
import os
import shutil
import time

from wine_session import WineError, wait_for

MAIN_CLASS = "Lumetra.Main"
COVER_CLASS = "Lumetra.Overlay"
WM_COMMAND = 0x0111
CMD_EXIT = 2303
MOD_ALT, MOD_CONTROL, VK_D = 0x1, 0x2, 0x44


def cover_hidden(wine):
    """The palette's cover exists and is off screen: a show or refresh has settled."""
    cover = wine.find_window(COVER_CLASS)
    return cover["found"] and not cover["visible"]


class Lumetra:
    def __init__(self, wine):
        self.wine = wine
        self.process = None

    @property
    def data_folder(self):
        return self.wine.appdata / "veltor" / "Lumetra"

    @property
    def config(self):
        return self.data_folder / "config.ini"

    @property
    def log_path(self):
        return self.data_folder / "toggle-debug.log"

    def log_entries(self):
        """(time, text) of each line of the debug log; the time is the program's
        own, so that a test can compare two events by its clock, not by ours."""
        if not self.log_path.exists():
            return []
        text = self.log_path.read_bytes().decode("utf-16-le", "replace")
        entries = []
        for line in text.split("\r\n"):
            if not line:
                continue
            stamp = line.partition("]")[0].lstrip("[")
            try:
                when = datetime.datetime.strptime(stamp, "%Y-%m-%d %H:%M:%S.%f")
            except ValueError:
                when = None
            entries.append((when, line.split("] ", 1)[-1]))
        return entries

    def log_lines(self):
        """Text of the debug log without the time prefix."""
        return [text for _, text in self.log_entries()]

    def count_log(self, text):
        return sum(text in line for line in self.log_lines())

    def wait_for_log(self, text, timeout=30):
        return wait_for(lambda: any(text in line for line in self.log_lines()), timeout=timeout,
                        what=f"log line containing {text!r}")

    def start(self, wait_window=True):
        self.process = self.wine.start_exe(self.wine.program("Lumetra.exe"))
        if wait_window:
            try:
                wait_for(lambda: self.wine.find_window(MAIN_CLASS)["found"], timeout=30,
                         what="the palette window")
            except WineError as error:
                # An exit code of 0 here means it found another instance's mutex.
                printed = self.process.output.read_bytes()[-500:] if self.process.output.exists() else b""
                raise WineError(f"{error}; Lumetra exit code {self.process.poll()}, "
                                f"output {printed!r}") from None
        return self.process

    def window(self):
        return self.wine.find_window(MAIN_CLASS)

    def exit(self, timeout=20):
        """Asks the running instance to end through the tray menu's exit command."""
        self.wine.post(MAIN_CLASS, WM_COMMAND, CMD_EXIT, 0)
        return self.process.wait(timeout)

    def stop(self):
        """Ends the instance whatever state it is in (test clean-up). The log is
        printed, so that a failing test shows what the program did."""
        print("--- debug log ---\n" + "\n".join(self.log_lines()))
        print(f"--- X keyboard focus: {self.wine.keyboard_focus()}")
        if self.process and self.process.poll() is None:
            try:
                self.exit(timeout=10)
            except Exception:
                self.process.kill()
                self.process.wait(10)
        # Make sure no instance of an earlier test still holds the mutex.
        deadline = time.monotonic() + 10
        while self.wine.find_window(MAIN_CLASS)["found"] and time.monotonic() < deadline:
            time.sleep(0.2)

    def reset_data(self):
        shutil.rmtree(self.wine.appdata / "veltor", ignore_errors=True)
        (self.wine.install_dir / "config.default.ini").unlink(missing_ok=True)

    def write_config(self, text, path=None):
        """Replaces the file at once, as an editor saving through a temporary
        file does: a reader never sees it half written."""
        path = path or self.config
        path.parent.mkdir(parents=True, exist_ok=True)
        partial = path.with_name(path.name + ".writing")
        partial.write_bytes(text.encode("utf-8") if isinstance(text, str) else text)
        os.replace(partial, path)
        return path


def press_toggle_hotkey(wine):
    """Ctrl+Alt+D, once the palette holds it (it registers the hotkey after
    building its view, later than its first log lines)."""
    wait_for(lambda: not wine.probe("hotkey-free", MOD_ALT | MOD_CONTROL, VK_D)["free"],
             what="Ctrl+Alt+D registered")
    wine.xdotool("key", "--clearmodifiers", "ctrl+alt+d")


def require(condition, message):
    if not condition:
        raise WineError(message)
