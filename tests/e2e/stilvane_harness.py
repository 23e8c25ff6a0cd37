"""Stilvane as the end-to-end tests meet it: the program in the Wine session,
a stand-in Desktop (fake_desktop.exe for the shell's windows, and
fake_shell_windows.dll registered for the shell-windows class so the folder
view comes from a scenario file), and helpers to answer its dialogs and end
its toasts."""

import contextlib
import os
import shutil
import struct
import subprocess
from pathlib import Path

from wine_session import TEST_TOOLS, WineError, wait_for

TOAST_CLASS = "Stilvane.Toast"
DIALOG_CLASS = "#32770"
TITLE = "Stilvane"
SHELL_WINDOWS_KEY = r"HKEY_LOCAL_MACHINE\Software\Classes\CLSID\{9BA05972-F6A8-11CF-A442-00A0C90A8F39}\InprocServer32"
ADVANCED_KEY = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced"
WM_CLOSE = 0x0010
TOGGLE_ICONS_COMMAND = 0x7402
LOCALES = Path(os.environ.get("STILVANE_LOCALE_DIR", "/tmp/stilvane-e2e-locales"))


def item_id(name):
    """The ID list the fake folder view hands out for an item of that name."""
    data = name.encode("ascii")
    return struct.pack("<H", len(data) + 2) + data + b"\0\0"


def layout_bytes(records, magic=b"SVv1", version=5, count=None):
    """A layout file: records are (id bytes, x, y)."""
    out = magic + struct.pack("<II", version, len(records) if count is None else count)
    for ident, x, y in records:
        out += struct.pack("<I", len(ident)) + ident + struct.pack("<ii", x, y)
    return out


def read_layout(data):
    """The records (id bytes, x, y) of a layout file; raises ValueError unless
    the bytes are exactly a header and its records."""
    if len(data) < 12 or data[:4] != b"SVv1":
        raise ValueError("no layout header")
    version, count = struct.unpack_from("<II", data, 4)
    if version != 5:
        raise ValueError(f"version {version}")
    records, at = [], 12
    for _ in range(count):
        (size,) = struct.unpack_from("<I", data, at)
        if not 1 <= size <= 65536 or at + 4 + size + 8 > len(data):
            raise ValueError(f"record at {at} does not fit")
        ident = data[at + 4:at + 4 + size]
        x, y = struct.unpack_from("<ii", data, at + 4 + size)
        records.append((ident, x, y))
        at += 4 + size + 8
    if at != len(data):
        raise ValueError(f"{len(data) - at} bytes after the records")
    return records


def japanese_environment():
    """LANG for a Japanese user interface; builds the locale privately when the
    system has none (Wine takes its UI language from the C library's locale)."""
    if not (LOCALES / "ja_JP.UTF-8").exists():
        LOCALES.mkdir(parents=True, exist_ok=True)
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8", str(LOCALES / "ja_JP.UTF-8")],
                       capture_output=True, timeout=120)
    return {"LOCPATH": str(LOCALES), "LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"}


def pixel(image, x, y):
    """The (r, g, b) of one pixel of a screenshot."""
    out = subprocess.run(["convert", str(image), "-crop", f"1x1+{x}+{y}", "txt:-"], capture_output=True,
                         text=True, timeout=60).stdout
    values = out.strip().splitlines()[-1].split("(", 1)[1].split(")", 1)[0]
    return tuple(int(float(v)) for v in values.split(",")[:3])


class Stilvane:
    def __init__(self, wine):
        self.wine = wine
        self.exe = wine.program("Stilvane.exe")
        self.tools = wine.install_dir / "stilvane-tests"
        self.tools.mkdir(parents=True, exist_ok=True)
        for name in ("fake_desktop.exe", "fake_shell_windows.dll", "read_only_key.exe"):
            shutil.copy2(TEST_TOOLS / name, self.tools / name)
        self.scenario = wine.work / "stilvane-desktop.txt"
        self._original_server = self._read_default(SHELL_WINDOWS_KEY)

    # ----- places -------------------------------------------------------
    @property
    def layout_file(self):
        return self.wine.appdata / "veltor" / "Stilvane" / "desktop_layout.sv1"

    @property
    def undo_file(self):
        return self.layout_file.with_name("desktop_layout.undo.sv1")

    @property
    def view_log(self):
        return Path(str(self.scenario) + ".log")

    def view_calls(self):
        return self.view_log.read_text().splitlines() if self.view_log.exists() else []

    # ----- the stand-in shell view ---------------------------------------
    def install_shell_windows(self):
        dll = self.wine.winpath(self.tools / "fake_shell_windows.dll").replace("\\", "\\\\")
        self.wine.reg_import(f'[{SHELL_WINDOWS_KEY}]\n@="{dll}"\n"ThreadingModel"="Apartment"\n')

    def restore_shell_windows(self):
        original = (self._original_server or "").replace("\\", "\\\\")
        self.wine.reg_import(f'[{SHELL_WINDOWS_KEY}]\n@="{original}"\n')

    def set_desktop(self, view="ok", items=(), autoarrange=False):
        """items: (name, x, y) or (name, x, y, 'nopos')."""
        lines = [f"view {view}", f"autoarrange {1 if autoarrange else 0}"]
        lines += ["item " + " ".join(str(part) for part in item) for item in items]
        self.scenario.write_text("\n".join(lines) + "\n")
        self.view_log.unlink(missing_ok=True)
        self.desktop = dict(view=view, items=[tuple(item) for item in items], autoarrange=autoarrange)

    def settle(self):
        """Carries the moves of the last run into the scenario, as the real
        Desktop keeps its icons where they were put; returns {name: (x, y)}."""
        items = {item[0]: list(item) for item in self.desktop["items"]}
        for call in self.view_calls():
            if call.startswith("moved "):
                _, name, x, y = call.split()
                items[name][1:3] = [int(x), int(y)]
        self.set_desktop(self.desktop["view"], [tuple(i) for i in items.values()], self.desktop["autoarrange"])
        return {name: (item[1], item[2]) for name, item in items.items()}

    # ----- running ------------------------------------------------------
    def env(self, japanese=False):
        env = {"STILVANE_FAKE_DESKTOP": self.wine.winpath(self.scenario)}
        if japanese:
            env.update(japanese_environment())
        return env

    def start(self, *args, japanese=False):
        return self.wine.start_exe(self.exe, *args, env=self.env(japanese))

    def run(self, *args, timeout=30):
        """Runs an action that shows nothing; returns its exit code."""
        return self.wine.run_exe(self.exe, *args, env=self.env(), timeout=timeout).returncode

    @staticmethod
    def finish(proc, timeout=30):
        try:
            return proc.wait(timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            raise

    # ----- what it shows ------------------------------------------------
    def wait_toast(self, timeout=30):
        return wait_for(lambda: self._found(self.wine.find_window(TOAST_CLASS)), timeout=timeout, what="toast")

    def end_toast(self):
        """Posts WM_QUIT to the toast's thread, which ends the toast at once."""
        return self.wine.probe("quit", TOAST_CLASS)

    def wait_dialog(self, expect=None, timeout=30):
        """The open message dialog's texts (instruction, content, buttons), once
        one is shown (and, with `expect`, once it shows that text)."""
        def texts():
            try:
                answer = self.wine.probe("texts", DIALOG_CLASS, TITLE)
            except WineError:  # the dialog went away while being read
                return None
            if "texts" not in answer:
                return None
            shown = [t["text"] for t in answer["texts"] if t["text"]]
            # Complete once its buttons exist.
            built = any(t["class"].lower() == "button" for t in answer["texts"])
            return shown if built and (expect is None or expect in shown) else None
        return wait_for(texts, timeout=timeout, what=f"dialog {expect or ''}")

    def click(self, button):
        answer = self.wine.probe("click", DIALOG_CLASS, TITLE, button)
        if not answer.get("clicked"):
            raise WineError(f"no button {button!r}: {answer}")

    def no_window_shown(self):
        return not self.wine.find_window(TOAST_CLASS)["found"] and \
            not self.wine.probe("find", DIALOG_CLASS, TITLE)["found"]

    def save(self):
        """/save answered with Yes; returns the process."""
        proc = self.start("/save")
        self.wait_dialog()
        self.click("&Yes")
        return proc

    def restore(self):
        proc = self.start("/restore")
        self.wait_dialog()
        self.click("&Yes")
        return proc

    def undo(self):
        proc = self.start("/undo")
        self.wait_dialog()
        self.click("&Yes")
        return proc

    # ----- registry -----------------------------------------------------
    def hide_icons(self):
        """HideIcons as (type, value text), or None when missing."""
        for line in self.wine.ask("reg", "query", ADVANCED_KEY, "/v", "HideIcons").splitlines():
            parts = line.split()
            if len(parts) >= 3 and parts[0] == "HideIcons":
                return parts[1], " ".join(parts[2:])
        return None

    def set_advanced(self, body):
        """Recreates the Advanced key with the given .reg value lines."""
        self.wine.reg_import(f"[-{ADVANCED_KEY}]\n\n[{ADVANCED_KEY}]\n{body}")

    def lock_advanced(self):
        """Leaves the Advanced key readable but not writable."""
        subkey = ADVANCED_KEY.split("\\", 1)[1]
        result = self.wine.run_exe(self.tools / "read_only_key.exe", subkey)
        if result.returncode != 0:
            raise WineError(f"could not make {subkey} read-only")

    def remove_advanced(self):
        self.wine.reg_import(f"[-{ADVANCED_KEY}]\n")

    def _read_default(self, key):
        for line in self.wine.ask("reg", "query", key, "/ve").splitlines():
            if "REG_SZ" in line:
                return line.split("REG_SZ", 1)[1].strip()
        return None

    @staticmethod
    def _found(answer):
        return answer if answer.get("found") else None


class FakeDesktop:
    """The shell's Desktop windows, built by fake_desktop.exe from specs such as
    "progman", "progman-view=3", "worker=5", "spawn=2". Logs what it receives."""

    def __init__(self, stilvane, *specs):
        self.wine = stilvane.wine
        self.log = self.wine.work / f"fake-desktop-{os.getpid()}-{id(self)}.log"
        self.log.unlink(missing_ok=True)
        self.proc = self.wine.start_exe(stilvane.tools / "fake_desktop.exe", self.wine.winpath(self.log), *specs)
        wait_for(lambda: self.log.exists() and "ready" in self.log.read_text(), timeout=30, what="fake desktop")

    def lines(self):
        return self.log.read_text().splitlines()[1:]

    def wait_line(self, prefix, timeout=30):
        return wait_for(lambda: next((l for l in self.lines() if l.startswith(prefix)), None),
                        timeout=timeout, what=f"fake desktop line {prefix!r}")

    def close(self):
        self.wine.post("Stilvane.FakeDesktop", WM_CLOSE)
        try:
            self.proc.wait(20)
        except subprocess.TimeoutExpired:
            self.proc.kill()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


@contextlib.contextmanager
def stilvane_on_stand_in_desktop(wine):
    """Stilvane with the stand-in shell view registered, and the original
    server put back afterwards."""
    app = Stilvane(wine)
    app.install_shell_windows()
    try:
        yield app
    finally:
        app.restore_shell_windows()
