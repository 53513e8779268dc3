"""A line of cameras from a list (one device a line), each read in a thread
of its own: the calls release the interpreter lock, so they run in parallel.
    python3 line.py cameras.txt
"""
import sys
import threading

import zqcamera


def read(device, results):
    try:
        with zqcamera.open(device, baud=9600) as cam:
            results[device] = cam.read_all()
    except zqcamera.Error as error:
        results[device] = error


devices = [line.strip() for line in open(sys.argv[1]) if line.strip()]
results = {}
threads = [threading.Thread(target=read, args=(d, results)) for d in devices]
for t in threads:
    t.start()
for t in threads:
    t.join()
failed = 0
for device in devices:
    result = results[device]
    if isinstance(result, zqcamera.Error):
        failed += 1
        print(f"{device}: error {result.code}: {result.message}")
    else:
        print(f"{device}: {len(result)} values, GainLevel {result['GainLevel']}")
sys.exit(1 if failed else 0)
