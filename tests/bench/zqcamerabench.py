"""The zqcamera package's costs, on zq-camsim only:
 (a) read_all of eight cameras at 9600 baud from eight threads, against one alone;
 (b) cam["GainLevel"] = v at 115200 baud against the line's own time for
     the bytes of one write, and a call refused before the line.
Run: PYTHONPATH=build/lib/python3/dist-packages /usr/bin/python3 \
         tests/bench/zqcamerabench.py [BUILD_DIR] [ROUNDS]
"""
import os
import subprocess
import sys
import tempfile
import threading
import time

import zqcamera

build = sys.argv[1] if len(sys.argv) > 1 else "build"
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
camsim = os.path.join(build, "sim", "zq-camsim")
work = tempfile.mkdtemp(prefix="zqcamerabench.")
sims = []


def start(name, *options):
    link = os.path.join(work, name)
    sims.append(subprocess.Popen([camsim, "--link", link, *options],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    for _ in range(100):
        if os.path.exists(link):
            return link
        time.sleep(0.05)
    raise RuntimeError("zq-camsim did not start")


def read(link):
    with zqcamera.open(link) as cam:
        cam.read_all()


def line_of(links):
    threads = [threading.Thread(target=read, args=(link,)) for link in links]
    start_time = time.monotonic()
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return time.monotonic() - start_time


try:
    links = [start(f"cam{i}", "--baud", "9600", "--strict-baud") for i in range(8)]
    one = min(line_of(links[:1]) for _ in range(rounds))
    eight = min(line_of(links) for _ in range(rounds))
    print(f"(a) read_all at 9600: one camera {one:.3f} s, eight in eight threads "
          f"{eight:.3f} s, ratio {eight / one:.2f}")

    fast = start("fast", "--baud", "115200", "--strict-baud")
    trace = os.path.join(work, "trace")
    calls = 200
    with zqcamera.open(fast, baud=115200) as cam:
        cam["GainLevel"] = 300
        cam.trace(trace)
        cam["GainLevel"] = 301
        cam.trace(None)
        # Every byte of one write as the trace saw it, ten bits each on the line.
        sent = sum(len(line.split("|")[0].split()[2:]) for line in open(trace))
        line_ms = sent * 10 / 115200 * 1000
        best = float("inf")
        for _ in range(rounds):
            t = time.perf_counter()
            for i in range(calls):
                cam["GainLevel"] = 300 + i % 2
            best = min(best, (time.perf_counter() - t) / calls * 1000)
        t = time.perf_counter()
        for _ in range(calls * 10):
            try:
                cam["GainLevel"] = 1 << 20
            except zqcamera.Error:
                pass
        refused_ms = (time.perf_counter() - t) / (calls * 10) * 1000
    print(f"(b) cam['GainLevel'] = v at 115200: {best:.3f} ms a call; the line's time for "
          f"its {sent} bytes {line_ms:.3f} ms; added {best - line_ms:.3f} ms "
          f"(simulator and pseudo-terminal included); a call refused before the line "
          f"{refused_ms * 1000:.1f} us")
finally:
    for p in sims:
        p.kill()
        p.wait()
