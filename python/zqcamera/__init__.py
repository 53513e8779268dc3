"""zqcamera: ZQ-M(V)710ALX cameras over their serial control channel.

    import zqcamera
    with zqcamera.open("/dev/ttyUSB0", baud=9600) as cam:
        cam["GainLevel"] = 300
        values = cam.read_all()
        not_taken = cam.apply("approved.zq")

Pure Python over the C library libzqcamera (the desktop program's own
protocol code), through ctypes: one package for every Python 3. Every
failure raises zqcamera.Error with .code and .message.
"""

import ctypes
from dataclasses import dataclass
from typing import List, Optional

from .camera import (ARGUMENT, FILE, NOT_READABLE, PORT_OPEN, REFUSED, TIMEOUT, UNEXPECTED,
                     Camera, Difference, Error, Info, Path, _ROWS, _lib, _path, check_global,
                     differences)
from . import _native

__all__ = ["open", "open_cameralink", "scan", "diff_files", "params", "version", "Camera",
           "Error", "Info", "Difference", "Found", "Param"]


def version() -> str:
    """The C library's version, "1.0.0.0"."""
    return _lib.zq_version().decode()


def open(device: str, baud: int = 9600) -> Camera:  # noqa: A001 - the package's verb
    """Opens a camera on a serial device at 9600 or 115200 baud."""
    handle = ctypes.c_void_p()
    check_global(_lib.zq_open_device(device.encode(), baud, ctypes.byref(handle)))
    return Camera(handle, device)


def open_cameralink(library: str, port: int = 0, baud: int = 0) -> Camera:
    """Opens port `port` of a frame grabber's Camera Link serial library;
    baud 0 keeps the port's own rate."""
    handle = ctypes.c_void_p()
    check_global(_lib.zq_open_cameralink(library.encode(), port, baud, ctypes.byref(handle)))
    return Camera(handle, f"{library}, port {port}")


@dataclass(frozen=True)
class Found:
    """A camera that answered a scan: where, at which rate, and what it is."""

    channel: str
    port: int  # the grabber's port; -1 for a serial device
    baud: int  # 0 where the grabber's port keeps its rate
    info: Info


def scan(library: Optional[str] = None, most: int = 64) -> List[Found]:
    """Looks for cameras without changing anything in them: every serial port
    of the computer, or every port of a Camera Link library."""
    found = (_native.Found * most)()
    count = check_global(_lib.zq_scan(library.encode() if library else None, found, most))
    return [Found(f.channel.decode("utf-8", "replace"), f.port, f.baud, Info._of(f.info))
            for f in found[:min(count, most)]]


def diff_files(path: Path, other: Path, all: bool = False) -> List[Difference]:
    """The rows where two settings files differ; no camera."""
    rows = (_native.Difference * _ROWS)()
    count = check_global(_lib.zq_diff_files(_path(path), _path(other), int(all), rows, _ROWS))
    return differences(rows, count)


@dataclass(frozen=True)
class Param:
    """A row of the parameter table."""

    index: int
    name: str
    code_name: str
    min: int
    max: int
    default: int
    writable: bool  # written by write_all and held by settings files
    readable: bool


def params() -> List[Param]:
    """The parameter table, by index."""
    rows = []
    raw = _native.Param()
    for index in range(_lib.zq_param_count()):
        check_global(_lib.zq_param_info(index, ctypes.byref(raw)))
        rows.append(Param(index, raw.name.decode(), raw.code_name.decode(), raw.min, raw.max,
                          raw.default_value, bool(raw.flags & 1), bool(raw.flags & 2)))
    return rows
