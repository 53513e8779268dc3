"""The zqcamera package against simulated cameras (zq-camsim on
pseudo-terminals, libclsersim behind the Camera Link serial interface)."""

import os
import subprocess
import threading
import time

import pytest

import zqcamera

CAMSIM = os.environ["ZQ_CAMSIM"]
CLSERSIM = os.environ["ZQ_CLSERSIM"]


@pytest.fixture
def camsim(tmp_path):
    """Starts a zq-camsim with the given options; returns its link."""
    started = []

    def start(*options, name="cam"):
        link = tmp_path / name
        process = subprocess.Popen([CAMSIM, "--link", str(link), *options],
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        started.append(process)
        for _ in range(100):
            if link.exists():
                return str(link)
            time.sleep(0.05)
        raise RuntimeError("zq-camsim did not start")

    yield start
    for process in started:
        process.kill()
        process.wait()


def test_values_by_name_and_index(camsim):
    with zqcamera.open(camsim()) as cam:
        assert cam.set("GainLevel", 300) is True
        assert cam.set(5, 300) is False  # equal: accepted, not changed
        assert cam["5"] == 300
        values = cam.read_all()
        assert len(values) == 55 and values["GainLevel"] == 300
        # Rows of the identity texts without a code name go by index.
        assert "32" in values and "AccessCode" in values
        info = cam.info()
        assert (info.vendor, info.model, info.serial) == ("Vantorix", "ZQ-M710ALX", "1234567")
    with pytest.raises(zqcamera.Error) as closed:
        cam["GainLevel"]
    assert closed.value.code == zqcamera.ARGUMENT


def test_refused_before_anything_is_sent(camsim, tmp_path):
    log = tmp_path / "sim.log"
    with zqcamera.open(camsim("--log", str(log))) as cam:
        cam["GainLevel"]
        time.sleep(0.3)  # the simulator logs the last ACK once it has it
        heard = log.read_text()
        for name, value in [("GainLevel", 1 << 16), ("GainLevel", 504), ("Accel2x", 7),
                            ("NoSuchName", 1)]:
            with pytest.raises(zqcamera.Error) as refused:
                cam[name] = value
            expected = zqcamera.ARGUMENT if name == "NoSuchName" else zqcamera.REFUSED
            assert refused.value.code == expected
        time.sleep(0.3)
        assert log.read_text() == heard  # not a byte went out
    with zqcamera.open(camsim("--model", "ZQ-M710BLX", "--version", "1.0.0.0", name="old")) as old:
        # This firmware has no BALANCE ADJUST: the model is read, then refused.
        with pytest.raises(zqcamera.Error) as refused:
            old["BalanceGain"] = 1
        assert refused.value.code == zqcamera.REFUSED and "on " in refused.value.message


def test_failures_carry_code_and_message(camsim, tmp_path):
    with pytest.raises(zqcamera.Error) as missing:
        zqcamera.open(str(tmp_path / "nothing"))
    assert missing.value.code == zqcamera.PORT_OPEN
    assert str(tmp_path / "nothing") in missing.value.message
    with pytest.raises(zqcamera.Error) as rate:
        zqcamera.open(camsim(), baud=19200)
    assert rate.value.code == zqcamera.ARGUMENT
    with zqcamera.open(camsim("--silent", name="silent")) as cam:
        with pytest.raises(zqcamera.Error) as silent:
            cam["GainLevel"]
        assert silent.value.code == zqcamera.TIMEOUT
        assert silent.value.message.startswith("ERROR - ")
    with zqcamera.open(camsim("--refuse-writes", name="nak")) as cam:
        with pytest.raises(zqcamera.Error) as nak:
            cam["GainLevel"] = 10
        assert nak.value.code == zqcamera.UNEXPECTED


def test_files_apply_and_diff(camsim, tmp_path):
    approved, other = tmp_path / "approved.zq", tmp_path / "other.zq"
    with zqcamera.open(camsim()) as cam:
        cam["GainLevel"] = 300
        cam.save(approved)
        cam["GainLevel"] = 200
        cam["BlackLevel"] = 9
        cam.save(other)
        assert [(d.name, d.expected, d.actual) for d in cam.diff(approved)] == [
            ("GainLevel", 300, 200), ("BlackLevel", cam.diff(approved)[1].expected, 9)]
        assert cam.apply(approved) == [] and cam.diff(approved) == []
        assert [d.name for d in zqcamera.diff_files(approved, other)] == ["GainLevel",
                                                                       "BlackLevel"]
    # A camera that refuses the file's gain: that row is not taken, the others are.
    with zqcamera.open(camsim("--refuse-write", "01:0C:012C00", name="nak")) as cam:
        cam["BlackLevel"] = 3
        rows = cam.apply(approved)
        assert [(r.name, r.outcome) for r in rows] == [("GainLevel", "refused")]
        assert cam["BlackLevel"] != 3
    truncated = tmp_path / "short.zq"
    truncated.write_bytes(approved.read_bytes()[:100])
    with pytest.raises(zqcamera.Error) as bad:
        zqcamera.diff_files(truncated, approved)
    assert bad.value.code == zqcamera.FILE and "short.zq" in bad.value.message


def test_scan_and_cameralink(monkeypatch):
    monkeypatch.setenv("ZQ_CLSIM_PORTS", "3")
    monkeypatch.setenv("ZQ_CLSIM_CAMERAS", "0,2")
    found = zqcamera.scan(CLSERSIM)
    assert [(f.port, f.info.model) for f in found] == [(0, "ZQ-M710ALX"), (2, "ZQ-M710ALX")]
    # Two ports of the one library, each its own camera, from two threads.
    with zqcamera.open_cameralink(CLSERSIM, port=2) as cam, \
            zqcamera.open_cameralink(CLSERSIM, port=0) as first:
        cam["GainLevel"] = 123
        other = threading.Thread(target=first.__setitem__, args=("GainLevel", 77))
        other.start()
        values = cam.read_all()
        other.join()
        assert values["GainLevel"] == 123 and first["GainLevel"] == 77
    with pytest.raises(zqcamera.Error) as absent:
        zqcamera.open_cameralink(CLSERSIM + ".missing")
    assert absent.value.code == zqcamera.PORT_OPEN and absent.value.message


def test_threads_run_cameras_in_parallel(camsim):
    links = [camsim("--baud", "9600", name=f"line{n}") for n in range(8)]

    def read(link, results):
        with zqcamera.open(link) as cam:
            results[link] = cam.read_all()

    alone = {}
    start = time.monotonic()
    read(links[0], alone)
    one = time.monotonic() - start
    results = {}
    threads = [threading.Thread(target=read, args=(link, results)) for link in links]
    start = time.monotonic()
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    eight = time.monotonic() - start
    assert len(results) == 8 and all(len(v) == 55 for v in results.values())
    # Serialised, eight would take eight times as long.
    assert eight < 2.5 * one, f"one {one:.2f} s, eight {eight:.2f} s"
