"""The palette's open menus read from inside its process: Wine lets only the
process that owns a menu read its items, so menu_probe.dll is loaded into the
palette (winprobe inject) and answers beside itself."""

import json

from lumetra_app import MAIN_CLASS


class MenuProbe:
    def __init__(self, wine):
        self.wine = wine
        self.dll = wine.probe_library("menu_probe.dll")

    def menus(self):
        """Each open menu as a list of items (id, flags, text, and the items
        of a submenu)."""
        done = self.dll.with_name(self.dll.name + ".done")
        done.unlink(missing_ok=True)
        self.wine.inject(MAIN_CLASS, self.dll)
        return json.loads(done.read_text(encoding="utf-8"))["menus"]


def captions(menu):
    return ["-" if item["separator"] else item["text"] for item in menu]


def marked(menu):
    return [item["text"] for item in menu if item["radio"] and item["checked"]]
