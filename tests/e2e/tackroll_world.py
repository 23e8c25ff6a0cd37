"""Tackroll as the end-to-end tests meet it: the program in the Wine session, a
pin list the test controls (tackroll_pin_server.dll registered for the shell's
pin-list class, reading "pins.txt" beside it), real shortcut files in the
user's pinned-shortcut folder, and the cache and stamp files."""

import shutil
import subprocess
import tempfile

from wine_session import TEST_TOOLS

PIN_LIST_KEY = (r"HKEY_LOCAL_MACHINE\Software\Classes\CLSID"
                r"\{90AA3A4E-1CBA-4233-B8BB-535773D48449}\InprocServer32")
PINNED_SUBFOLDER = ("Microsoft", "Internet Explorer", "Quick Launch", "User Pinned", "TaskBar")


def escape(text):
    """pins.txt escapes: '%XX' for '%' and line breaks."""
    return text.replace("%", "%25").replace("\n", "%0A").replace("\r", "%0D")


class TackrollWorld:
    def __init__(self, wine):
        self.wine = wine
        self.exe = wine.program("Tackroll.exe")
        self.tools = wine.c_drive / "tackroll-test"
        self.apps = self.tools / "apps"
        self.tools.mkdir(parents=True, exist_ok=True)
        for name in ("tackroll_pin_server.dll", "make_shortcuts.exe", "print_one_line.exe",
                     "count_pin_changes.exe"):
            shutil.copy2(TEST_TOOLS / name, self.tools / name)
        dll = wine.winpath(self.tools / "tackroll_pin_server.dll").replace("\\", "\\\\")
        wine.reg_import(f'[{PIN_LIST_KEY}]\n@="{dll}"\n"ThreadingModel"="Both"\n')

    # ----- places -------------------------------------------------------
    @property
    def pinned_folder(self):
        return self.wine.appdata.joinpath(*PINNED_SUBFOLDER)

    @property
    def data_folder(self):
        return self.wine.local_appdata / "veltor" / "Tackroll"

    @property
    def cache(self):
        return self.data_folder / "taskbar_pins.cache"

    @property
    def stamp(self):
        return self.data_folder / "taskbar_pins.stamp"

    def win(self, path):
        return self.wine.winpath(path)

    # ----- the world before a run --------------------------------------
    def reset(self):
        for folder in (self.pinned_folder, self.data_folder, self.apps):
            shutil.rmtree(folder, ignore_errors=True)
        self.pinned_folder.mkdir(parents=True)
        self.apps.mkdir(parents=True)
        self.set_pins([])

    def app(self, name):
        """An existing program file; returns its Windows path."""
        path = self.apps / name
        path.write_bytes(b"MZ")
        return self.win(path)

    def pin_shortcuts(self, shortcuts):
        """Saves shortcut files {file name: Windows target} in the pinned folder."""
        args = []
        for name, target in shortcuts.items():
            args += [self.win(self.pinned_folder / name), target]
        result = self.wine.run_exe(self.tools / "make_shortcuts.exe", *args, timeout=120)
        assert result.returncode == 0, result.stderr
        return {name: self.win(self.pinned_folder / name) for name in shortcuts}

    def set_pins(self, items, counter=1, interface="primary", rejected=(), last_with_s_false=False):
        """What the pin list hands out: items (Windows paths) in order, items the
        keep test rejects, the change counter and the interface it answers."""
        lines = [f"counter {counter}", f"interface {interface}"]
        if last_with_s_false:
            lines.append("last-fetch s_false")
        lines += [f"{'skip' if item in rejected else 'item'} {escape(item)}" for item in items]
        (self.tools / "pins.txt").write_bytes(("\n".join(lines) + "\n").encode("utf-8"))

    # ----- running ------------------------------------------------------
    def run(self, *args, stdout=None):
        """Runs Tackroll as a user would; stdout may be a file to write into."""
        if stdout is None:
            return self.wine.run_exe(self.exe, *args, timeout=120)
        with tempfile.TemporaryFile(dir=self.wine.work) as err:
            proc = subprocess.run(self.wine._argv(self.exe, args), env=self.wine.env, stdout=stdout,
                                  stderr=err, stdin=subprocess.DEVNULL, timeout=120)
            err.seek(0)
            return subprocess.CompletedProcess(proc.args, proc.returncode, b"", err.read())

    def run_without_appdata(self, *args):
        """Through the command prompt with APPDATA removed from the environment
        (Wine would put it back for a program started directly). A copy in a
        folder without spaces keeps the command line free of quotes."""
        copy = self.tools / "Tackroll.exe"
        shutil.copy2(self.exe, copy)
        command = "set APPDATA=&& " + " ".join([self.win(copy), *args])
        return self.wine.run_exe("cmd", "/c", command, timeout=120)

    def lines(self, result):
        assert result.stderr == b"", result.stderr
        assert result.returncode == 0
        return result.stdout.decode("utf-8").split("\n")[:-1] if result.stdout else []
