"""Reading the lines of `winprobe sample`: the palette, its cover and its view
window as another process sees them."""

import json


def read_samples(path):
    samples = []
    for line in path.read_bytes().decode("utf-8", "replace").splitlines():
        line = line.strip()
        if line.startswith("{\"t\""):
            samples.append(json.loads(line))
    return samples


def covers(sample):
    """The cover is up, opaque, over the palette less its 1-pixel frame."""
    cover, (left, top, right, bottom) = sample["cover"], sample["palette"]["rect"]
    return (cover is not None and cover["visible"] and cover["alpha"] == 255
            and cover["rect"] == [left + 1, top + 1, right - 1, bottom - 1])


def visible_view(sample):
    return sample["palette"]["visible"] and sample["view"] and sample["view"]["visible"]
