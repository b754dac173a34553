#!/usr/bin/env python3
"""A program runs on a stock Windows: a GUI-subsystem PE of the build's
machine type that imports from KERNEL32, USER32, GDI32 and msvcrt only.
Usage: check_imports.py OBJDUMP EXE MACHINE (i386 or x86-64)."""
import re
import subprocess
import sys

objdump, exe, machine = sys.argv[1:4]
allowed = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "MSVCRT.DLL"}
dump = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
header = subprocess.run([objdump, "-f", exe], check=True, capture_output=True, text=True).stdout

failures = []
imports = sorted(set(name.upper() for name in re.findall(r"DLL Name: (\S+)", dump)))
extra = [name for name in imports if name not in allowed]
if extra or not imports:
    failures.append("expected imports within %s, got %s" % (sorted(allowed), imports))
subsystem = re.search(r"^Subsystem\s+(\S+)", dump, re.M)
if not subsystem or int(subsystem.group(1), 16) != 2:
    failures.append("expected subsystem 2 (Windows GUI), got %s"
                    % (subsystem.group(1) if subsystem else "none"))
expected_format = "pei-i386" if machine == "i386" else "pei-x86-64"
found_format = re.search(r"file format (\S+)", header)
if not found_format or found_format.group(1) != expected_format:
    failures.append("expected format %s, got %s"
                    % (expected_format, found_format.group(1) if found_format else "none"))

for failure in failures:
    print("FAIL %s: %s" % (exe, failure))
print("%s: imports %s" % (exe, ", ".join(imports)))
sys.exit(1 if failures else 0)
