#!/usr/bin/env python3
"""Makes the release archives: one zip per Windows build, with picker.exe,
closer.exe and USAGE.txt, and a SHA256SUMS file. Entries carry a fixed time
and order, so the same programs give the same archive bytes."""
import hashlib
import os
import sys
import zipfile

FIXED_TIME = (2000, 1, 1, 0, 0, 0)
ENTRIES = ("picker.exe", "closer.exe", "USAGE.txt")


def add(archive, name, data):
    info = zipfile.ZipInfo(name, date_time=FIXED_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0
    info.external_attr = 0
    archive.writestr(info, data, compresslevel=9)


def main(root, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(root, "packaging", "USAGE.txt"), "rb") as f:
        usage = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    sums = []
    for build in ("win32", "win64"):
        name = "colour-picker-%s.zip" % build
        path = os.path.join(out_dir, name)
        with zipfile.ZipFile(path, "w") as archive:
            for entry in ENTRIES:
                if entry == "USAGE.txt":
                    data = usage
                else:
                    exe = os.path.join(root, "build", build, "bin", entry)
                    if not os.path.isfile(exe):
                        sys.exit("package: %s is missing; build the %s preset" % (exe, build))
                    with open(exe, "rb") as f:
                        data = f.read()
                add(archive, entry, data)
        with open(path, "rb") as f:
            sums.append("%s  %s\n" % (hashlib.sha256(f.read()).hexdigest(), name))
    with open(os.path.join(out_dir, "SHA256SUMS"), "w", newline="\n") as f:
        f.writelines(sums)
    sys.stdout.writelines(sums)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.dirname(here)
    main(root, sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "dist"))
