"""Setting the real game up for the benchmark and the screenshots: a puzzle
with part of its solution in play, and the zoom it starts at."""

import json
import os

from xdrive import run


def set_zoom(zoom):
    """The zoom the game starts at, in the player's settings of this run."""
    os.makedirs(os.path.join(os.environ["XDG_CONFIG_HOME"], "numera"), exist_ok=True)
    with open(os.path.join(os.environ["XDG_CONFIG_HOME"], "numera", "numera.conf"), "w") as f:
        f.write(f"[General]\nzoom={zoom}\n")


def pack_in_play(numera_puzzle, info, placed, path):
    """Writes a copy of a puzzle with these words ({index: (x, y, dir)}) placed."""
    info = json.loads(json.dumps(info))
    for i, (x, y, d) in placed.items():
        info["words"][i - 1].update(used=1, x=x, y=y, dir=d)
    info["placed_count"] = len(placed)
    info["score"] = sum(info["words"][i - 1]["points"] for i in placed)
    with open(path + ".json", "w", encoding="utf-8") as f:
        json.dump(info, f, ensure_ascii=False)
    run(numera_puzzle, "pack", path + ".json", path)
    return info
