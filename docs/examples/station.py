"""A test station's check: the camera takes the approved settings, and
nothing differs afterwards. Exit 0 passes, 1 fails.
    python3 station.py /dev/ttyUSB0 approved.zq
"""
import sys

import zqcamera

device, approved = sys.argv[1], sys.argv[2]
try:
    with zqcamera.open(device) as cam:
        not_taken = cam.apply(approved)
        for row in not_taken:
            print(f"{row.name}: file {row.expected}, camera {row.actual} ({row.outcome})")
        left = cam.diff(approved)
except zqcamera.Error as error:
    print(f"FAIL {device}: {error.message}")
    sys.exit(1)
print("PASS" if not not_taken and not left else "FAIL")
sys.exit(0 if not not_taken and not left else 1)
