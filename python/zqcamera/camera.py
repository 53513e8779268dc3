"""A camera on its serial control channel, and the library's errors."""

import ctypes
import os
from dataclasses import dataclass
from typing import Dict, List, Optional, Union

from . import _native

_lib = _native.load()

# The codes a failing call carries; those below 100 are the camera
# program's own, numbered as it numbers them.
PORT_OPEN = 4
TIMEOUT = 5
UNEXPECTED = 20  # the camera refused (NAK)
ARGUMENT = 100
REFUSED = 101  # refused before anything was sent
NOT_READABLE = 102
FILE = 103

_OUTCOMES = {0: "differs", 1: "changed", 2: "refused"}
# Every settings-file row fits; a diff with every readable row too.
_ROWS = _lib.zq_param_count()

Name = Union[str, int]
Path = Union[str, "os.PathLike[str]"]


class Error(Exception):
    """A failed call: ``code`` is the library's (positive) error code,
    ``message`` what the desktop program says for it, and why."""

    def __init__(self, code: int, message: str):
        super().__init__(message)
        self.code = code
        self.message = message

    def __repr__(self) -> str:
        return f"zqcamera.Error({self.code}, {self.message!r})"


def _text(raw: Optional[bytes]) -> str:
    return (raw or b"").decode("utf-8", "replace")


def _path(path: Path) -> bytes:
    return os.fsencode(path)


def check_global(status: int) -> int:
    """The status of a call without a handle, raised as Error when negative."""
    if status < 0:
        raise Error(-status, _text(_lib.zq_last_error_text()))
    return status


@dataclass(frozen=True)
class Info:
    """What the camera says it is, and what its model allows."""

    vendor: str
    model: str
    serial: str
    firmware: str
    serial_digits: int
    title: str
    gain_max: int
    accel2x: bool
    sort_and_test: bool
    balance: bool

    @classmethod
    def _of(cls, raw: _native.Info) -> "Info":
        return cls(_text(raw.vendor), _text(raw.model), _text(raw.serial),
                   _text(raw.firmware), raw.serial_digits, _text(raw.title),
                   raw.gain_max, bool(raw.accel2x), bool(raw.sort_and_test),
                   bool(raw.balance))


@dataclass(frozen=True)
class Difference:
    """A row where the file and the camera (or a second file) disagree.
    ``outcome`` is "differs" (diff), "changed" or "refused" (apply)."""

    index: int
    name: str
    expected: int
    actual: int
    outcome: str


def param_key(index: int) -> str:
    """The row's code name, or its index as text where it has none: either
    way a name that get and set take."""
    raw = _native.Param()
    check_global(_lib.zq_param_info(index, ctypes.byref(raw)))
    return _text(raw.code_name) or str(index)


def differences(rows: ctypes.Array, count: int) -> List[Difference]:
    return [Difference(r.index, param_key(r.index), r.expected, r.actual,
                       _OUTCOMES.get(r.outcome, "differs"))
            for r in rows[:min(count, len(rows))]]


class Camera:
    """One camera. Use it from one thread at a time; different cameras work
    in parallel. ``with`` closes it."""

    def __init__(self, handle: ctypes.c_void_p, channel: str):
        self._handle = handle
        self.channel = channel

    def __enter__(self) -> "Camera":
        return self

    def __exit__(self, *exc) -> None:
        self.close()

    def __del__(self):
        try:
            self.close()
        except Exception:  # the interpreter is going away: the process closes the port
            pass

    def __repr__(self) -> str:
        state = "open" if self._handle else "closed"
        return f"<zqcamera.Camera {self.channel} ({state})>"

    def close(self) -> None:
        """Closes the channel; further calls raise Error."""
        handle, self._handle = getattr(self, "_handle", None), None
        if handle:
            _lib.zq_close(handle)

    def _check(self, status: int) -> int:
        if status < 0:
            raise Error(-status, _text(_lib.zq_error_text(self._handle)))
        return status

    def _live(self) -> ctypes.c_void_p:
        if not self._handle:
            raise Error(ARGUMENT, f"{self.channel} is closed")
        return self._handle

    def get(self, name: Name) -> int:
        """Reads one parameter, by code name ("GainLevel") or index, from the camera."""
        value = ctypes.c_int32()
        self._check(_lib.zq_get(self._live(), str(name).encode(), ctypes.byref(value)))
        return value.value

    def set(self, name: Name, value: int) -> bool:
        """Writes one parameter after checking it (register width, limits, the
        model's rules; Error code REFUSED with nothing sent). True when the
        stored value changed."""
        return self._check(_lib.zq_set(self._live(), str(name).encode(), int(value))) == 1

    __getitem__ = get

    def __setitem__(self, name: Name, value: int) -> None:
        self.set(name, value)

    def read_all(self) -> Dict[str, int]:
        """Every readable parameter from the camera, by code name (by index
        for the rows of the identity texts that have none)."""
        self._check(_lib.zq_read_all(self._live()))
        value = ctypes.c_int32()
        values = {}
        for index in range(_lib.zq_param_count()):
            _lib.zq_stored(self._handle, index, ctypes.byref(value))
            values[param_key(index)] = value.value
        return values

    def write_all(self) -> int:
        """Writes every settings row held (as the last read or load left them)."""
        return self._check(_lib.zq_write_all(self._live()))

    def info(self) -> Info:
        raw = _native.Info()
        self._check(_lib.zq_info_read(self._live(), ctypes.byref(raw)))
        return Info._of(raw)

    def save(self, path: Path) -> None:
        """Reads everything and writes it to a settings file (nothing written
        unless every value came)."""
        self._check(_lib.zq_save(self._live(), _path(path)))

    def load(self, path: Path) -> int:
        """Writes a settings file's rows; the first failure stops."""
        return self._check(_lib.zq_load(self._live(), _path(path)))

    def apply(self, path: Path) -> List[Difference]:
        """Writes a file row by row and reads it back: the rows not taken
        ("refused" by the camera, or "changed" by it). Empty when all were."""
        rows = (_native.Difference * _ROWS)()
        count = self._check(_lib.zq_apply(self._live(), _path(path), rows, _ROWS))
        return differences(rows, count)

    def diff(self, path: Path, all: bool = False) -> List[Difference]:
        """The rows where the camera differs from a file; reads only. With
        all, every readable row rather than the settings only."""
        rows = (_native.Difference * _ROWS)()
        count = self._check(_lib.zq_diff(self._live(), _path(path), int(all), rows, _ROWS))
        return differences(rows, count)

    def trace(self, path: Optional[Path]) -> None:
        """Appends every byte of this camera's traffic to a file; None stops."""
        self._check(_lib.zq_trace(self._live(), None if path is None else _path(path)))
