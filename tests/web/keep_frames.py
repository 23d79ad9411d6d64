#!/usr/bin/env python3
# Stand-in ffmpeg for the browser test: keeps the frames of $SCHEDULE ("FRAME:KEY ...") as
# FRAME.rgb in $FRAME_DIR; while the program writes a frame with a key (not "-"), types the key
# into its window, so that the key's own frame comes next.
import os, pathlib, subprocess, sys

folder = pathlib.Path(os.environ["FRAME_DIR"])
keys = dict(entry.split(":") for entry in os.environ["SCHEDULE"].split())
number = 1
while sys.stdin.buffer.peek(1):  # the program has drawn frame `number` and writes it
    key = keys.get(str(number), "-")
    if key != "-":  # xdotool ends once the X server has queued the key for the program
        window = ["search", "--name", "^the bemo world$"]
        subprocess.run(["xdotool", *window, "key", "--window", "%1", key], check=True)
    frame = sys.stdin.buffer.read(1024 * 768 * 3)
    if str(number) in keys:
        (folder / f"{number}.rgb").write_bytes(frame)
    number += 1
pathlib.Path(sys.argv[-1]).touch()  # the clip, which the program renames when it ends
