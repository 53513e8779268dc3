"""One camera: its identity, a setting changed, every value read.
    python3 one_camera.py /dev/ttyUSB0
"""
import sys

import zqcamera

with zqcamera.open(sys.argv[1], baud=9600) as cam:
    info = cam.info()
    print(f"{info.vendor} {info.model}, serial {info.serial}, firmware {info.firmware}")
    cam["GainLevel"] = 300
    values = cam.read_all()
    print("GainLevel", values["GainLevel"])
    try:
        cam["GainLevel"] = 70000  # wider than its register: refused, nothing sent
    except zqcamera.Error as error:
        print("refused:", error.code == zqcamera.REFUSED)
