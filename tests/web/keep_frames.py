#!/usr/bin/env python3
# Stand-in ffmpeg for the browser test: keeps the frames of $SCHEDULE ("FRAME:KEY ...") as
# FRAME.bgra in $FRAME_DIR, and types each KEY but "-" right after its FRAME: the program draws
# four frames past the one written, so the write of FRAME - 4 is held until the program has
# slept on its full queue (50 ms at a time) for 120 ms on end.
import os, pathlib, subprocess, sys, time

folder = pathlib.Path(os.environ["FRAME_DIR"])
keys = dict(entry.split(":") for entry in os.environ["SCHEDULE"].split())
syscall = pathlib.Path(f"/proc/{os.getppid()}/syscall")  # its main thread's; 230: nanosleep
number = 1
while sys.stdin.buffer.peek(1):  # frame `number` is being written
    key = keys.get(str(number + 4), "-")
    if key != "-":  # xdotool ends once the X server has queued the key for the program
        asleep = time.monotonic()
        while time.monotonic() - asleep < 0.12:
            if not syscall.read_text().startswith("230 "):
                asleep = time.monotonic()
            time.sleep(0.001)
        subprocess.run(["xdotool", "search", "--name", "bemo", "key", "--window", "%1", key])
    frame = sys.stdin.buffer.read(1024 * 768 * 4)
    if str(number) in keys:
        (folder / f"{number}.bgra").write_bytes(frame)
    number += 1
