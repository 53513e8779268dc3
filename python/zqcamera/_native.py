"""The C library libzqcamera and its functions' signatures, through ctypes.

ctypes releases the interpreter lock during every call, so cameras on
different threads exchange in parallel.
"""

import ctypes
import ctypes.util
import os
import sys
import sysconfig

ENVIRONMENT = "ZQCAMERA_LIBRARY"


class Info(ctypes.Structure):
    _fields_ = [
        ("vendor", ctypes.c_char * 33),
        ("model", ctypes.c_char * 33),
        ("serial", ctypes.c_char * 17),
        ("firmware", ctypes.c_char * 17),
        ("serial_digits", ctypes.c_int),
        ("title", ctypes.c_char * 64),
        ("gain_max", ctypes.c_int),
        ("accel2x", ctypes.c_int),
        ("sort_and_test", ctypes.c_int),
        ("balance", ctypes.c_int),
    ]


class Difference(ctypes.Structure):
    _fields_ = [
        ("index", ctypes.c_int),
        ("expected", ctypes.c_int32),
        ("actual", ctypes.c_int32),
        ("outcome", ctypes.c_int),
    ]


class Param(ctypes.Structure):
    _fields_ = [
        ("index", ctypes.c_int),
        ("name", ctypes.c_char_p),
        ("code_name", ctypes.c_char_p),
        ("min", ctypes.c_int32),
        ("max", ctypes.c_int32),
        ("default_value", ctypes.c_int32),
        ("flags", ctypes.c_uint),
    ]


class Found(ctypes.Structure):
    _fields_ = [
        ("channel", ctypes.c_char * 256),
        ("port", ctypes.c_int),
        ("baud", ctypes.c_int),
        ("info", Info),
    ]


def _file_names():
    if sys.platform == "win32":
        return ["zqcamera.dll", "libzqcamera.dll"]
    if sys.platform == "darwin":
        return ["libzqcamera.1.dylib", "libzqcamera.dylib"]
    return ["libzqcamera.so.1"]


def _candidates():
    """Where the library may be: the environment's choice, then beside this
    package under the same prefix (PREFIX/lib/python3/dist-packages/zqcamera
    next to PREFIX/lib[/MULTIARCH]), which is also the build tree's layout,
    then wherever the system's loader looks."""
    chosen = os.environ.get(ENVIRONMENT)
    if chosen:
        return [chosen]
    here = os.path.dirname(os.path.abspath(__file__))
    prefix = os.path.normpath(os.path.join(here, "..", "..", "..", ".."))
    folders = [os.path.join(prefix, "lib")]
    multiarch = sysconfig.get_config_var("MULTIARCH")
    if multiarch:
        folders.append(os.path.join(prefix, "lib", multiarch))
    folders += [os.path.join(prefix, "lib64"), os.path.join(prefix, "bin")]
    paths = [os.path.join(f, n) for f in folders for n in _file_names()]
    return [p for p in paths if os.path.exists(p)] + _file_names()


def load():
    tried = []
    for path in _candidates():
        try:
            return _declare(ctypes.CDLL(path))
        except OSError as error:
            tried.append(f"{path}: {error}")
    raise ImportError("libzqcamera not found (set %s to its path):\n  %s"
                      % (ENVIRONMENT, "\n  ".join(tried)))


def _declare(lib):
    handle = ctypes.c_void_p
    text = ctypes.c_char_p
    int_ = ctypes.c_int
    signatures = {
        "zq_version": (text, []),
        "zq_open_device": (int_, [text, int_, ctypes.POINTER(handle)]),
        "zq_open_cameralink": (int_, [text, int_, int_, ctypes.POINTER(handle)]),
        "zq_close": (None, [handle]),
        "zq_get": (int_, [handle, text, ctypes.POINTER(ctypes.c_int32)]),
        "zq_set": (int_, [handle, text, ctypes.c_int32]),
        "zq_stored": (int_, [handle, int_, ctypes.POINTER(ctypes.c_int32)]),
        "zq_read_all": (int_, [handle]),
        "zq_write_all": (int_, [handle]),
        "zq_save": (int_, [handle, text]),
        "zq_load": (int_, [handle, text]),
        "zq_apply": (int_, [handle, text, ctypes.POINTER(Difference), int_]),
        "zq_diff": (int_, [handle, text, int_, ctypes.POINTER(Difference), int_]),
        "zq_diff_files": (int_, [text, text, int_, ctypes.POINTER(Difference), int_]),
        "zq_info_read": (int_, [handle, ctypes.POINTER(Info)]),
        "zq_param_count": (int_, []),
        "zq_param_info": (int_, [int_, ctypes.POINTER(Param)]),
        "zq_param_index": (int_, [text]),
        "zq_scan": (int_, [text, ctypes.POINTER(Found), int_]),
        "zq_trace": (int_, [handle, text]),
        "zq_error_text": (text, [handle]),
        "zq_last_error_text": (text, []),
    }
    for name, (restype, argtypes) in signatures.items():
        function = getattr(lib, name)
        function.restype = restype
        function.argtypes = argtypes
    return lib
