#!/usr/bin/env python3
"""The release archives are reproducible: two packaging runs give the same
bytes, and no program carries a link time in its PE header."""
import filecmp
import os
import struct
import subprocess
import sys
import tempfile

root = sys.argv[1]
failures = []


def pe_timestamp(path):
    with open(path, "rb") as f:
        data = f.read(4096)
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    return struct.unpack_from("<I", data, offset + 8)[0]


for build in ("win32", "win64"):
    for exe in ("picker.exe", "closer.exe"):
        path = os.path.join(root, "build", build, "bin", exe)
        stamp = pe_timestamp(path) if os.path.isfile(path) else "missing"
        if stamp != 0:
            failures.append("%s/%s: expected PE time stamp 0, got %s" % (build, exe, stamp))

with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
    for out in (first, second):
        subprocess.run([sys.executable, os.path.join(root, "scripts", "package.py"), out],
                       check=True, stdout=subprocess.DEVNULL)
    names = sorted(os.listdir(first))
    expected = ["SHA256SUMS", "colour-picker-win32.zip", "colour-picker-win64.zip"]
    if names != expected:
        failures.append("expected files %s, got %s" % (expected, names))
    for name in names:
        if not filecmp.cmp(os.path.join(first, name), os.path.join(second, name), shallow=False):
            failures.append("%s: the two runs gave different bytes" % name)

for failure in failures:
    print("FAIL: " + failure)
print("reproducible archives: %s" % ("no" if failures else "yes"))
sys.exit(1 if failures else 0)
