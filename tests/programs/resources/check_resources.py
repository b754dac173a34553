#!/usr/bin/env python3
"""Reads the resources back from a built program and compares them with what
the program must carry.

    check_resources.py picker PICKER_EXE WINDRES [--icon-file ICO]
    check_resources.py closer CLOSER_EXE WINDRES --picker PICKER_EXE

windres prints the resources twice over: as resource script text (-O rc),
which is the only form that keeps each resource's language, and as a binary
.res file (-O res), whose data this script decodes itself rather than trusting
windres's rendering of it. Every check prints what it expected and what it got;
the exit status is 1 when any check failed.
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile


class LangId(int):
    """A language identifier, printed as such."""

    def __repr__(self):
        return "0x%04X" % self


class Hex(int):
    """A style value: compares as a number, prints in hexadecimal."""

    def __repr__(self):
        return "0x%08X" % self


RT_ICON = 3
RT_DIALOG = 5
RT_GROUP_ICON = 14
RT_MANIFEST = 24

LANG_JAPANESE_DEFAULT = LangId(0x0411)  # LANG_JAPANESE, SUBLANG_DEFAULT

DS_SETFONT = 0x40

# The picker's dialog template.
DIALOG = {
    "template": "standard DIALOG",
    "style": Hex(0x90CA00C4),
    "exstyle": Hex(0x00000101),
    "rect": (0, 0, 55, 47),
    "menu": None,
    "class": None,
    "caption": "スポイト",
    "font": (10, "ＭＳ Ｐゴシック"),
}

# id, class, text, style, extended style, (x, y, width, height); in template order.
CONTROLS = [
    (1, "BUTTON", "開始", Hex(0x50010001), Hex(0x00000004), (5, 26, 44, 13)),
    (3, "STATIC", "", Hex(0x50020000), Hex(0x00020000), (3, 9, 30, 12)),
    (4, "STATIC", "  ", Hex(0x50020000), Hex(0x00000000), (37, 12, 14, 5)),
]

MANIFEST = """\
<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <application xmlns="urn:schemas-microsoft-com:asm.v3">
    <windowsSettings>
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
    </windowsSettings>
  </application>
</assembly>
"""

# An icon image of 32 x 32 pixels at 8 bits per pixel: header, 256-entry
# palette, one byte per pixel, then the 1-bit AND mask in rows of 4 bytes.
ICON_IMAGE_SIZE = 40 + 256 * 4 + 32 * 32 + 32 * 4

CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX",
                  0x84: "SCROLLBAR", 0x85: "COMBOBOX"}

# Control statements of resource script text and the class each one makes.
CONTROL_KEYWORDS = {
    "PUSHBUTTON": "BUTTON", "DEFPUSHBUTTON": "BUTTON", "CHECKBOX": "BUTTON",
    "AUTOCHECKBOX": "BUTTON", "RADIOBUTTON": "BUTTON", "AUTORADIOBUTTON": "BUTTON",
    "STATE3": "BUTTON", "AUTO3STATE": "BUTTON", "GROUPBOX": "BUTTON", "PUSHBOX": "BUTTON",
    "LTEXT": "STATIC", "CTEXT": "STATIC", "RTEXT": "STATIC", "ICON": "STATIC",
    "EDITTEXT": "EDIT", "LISTBOX": "LISTBOX", "COMBOBOX": "COMBOBOX", "SCROLLBAR": "SCROLLBAR",
}

RC_TYPE_KEYWORDS = {"ICON": RT_GROUP_ICON, "DIALOG": RT_DIALOG, "DIALOGEX": RT_DIALOG}


class Checks:
    def __init__(self):
        self.failures = 0

    def expect(self, what, expected, got):
        ok = expected == got
        if not ok:
            self.failures += 1
        print("%s %s: expected %r, got %r" % ("ok  " if ok else "FAIL", what, expected, got))
        return ok



def type_name(t):
    names = {RT_ICON: "RT_ICON", RT_DIALOG: "RT_DIALOG", RT_GROUP_ICON: "RT_GROUP_ICON",
             RT_MANIFEST: "RT_MANIFEST"}
    return names.get(t, str(t))


def run_windres(windres, exe, fmt, out_path=None):
    args = [windres, "-i", exe, "-O", fmt]
    if out_path:
        args += ["-o", out_path]
    done = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    if done.returncode != 0:
        sys.exit("%s failed (%d): %s" % (" ".join(args), done.returncode,
                                         done.stderr.decode(errors="replace")))
    return done.stdout


# ---- the binary .res form -------------------------------------------------

def read_name(data, pos):
    """An ordinal (0xFFFF, number) or a NUL-terminated UTF-16 string."""
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def read_res(data):
    """The entries of a .res file as (type, name, data), in file order."""
    entries = []
    pos = 0
    while pos + 8 <= len(data):
        size, header_size = struct.unpack_from("<II", data, pos)
        header = data[pos + 8:pos + header_size]
        rtype, at = read_name(header, 0)
        name, at = read_name(header, at)
        body = data[pos + header_size:pos + header_size + size]
        if not (rtype == 0 and name == 0 and size == 0):  # the file's leading empty entry
            entries.append((rtype, name, body))
        pos = (pos + header_size + size + 3) & ~3
    return entries


def read_dialog(data):
    """Decodes a dialog template; None when it is an extended one."""
    dlg_ver, signature = struct.unpack_from("<HH", data, 0)
    if dlg_ver == 1 and signature == 0xFFFF:
        return None
    style, exstyle, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", data, 0)
    pos = 18
    menu, pos = read_name(data, pos)
    cls, pos = read_name(data, pos)
    caption, pos = read_name(data, pos)
    font = None
    if style & DS_SETFONT:
        (points,) = struct.unpack_from("<H", data, pos)
        face, pos = read_name(data, pos + 2)
        font = (points, face)
    dialog = {
        "template": "standard DIALOG",
        "style": Hex(style),
        "exstyle": Hex(exstyle),
        "rect": (x, y, cx, cy),
        "menu": menu or None,
        "class": cls or None,
        "caption": caption,
        "font": font,
    }
    controls = []
    for _ in range(count):
        pos = (pos + 3) & ~3
        cstyle, cexstyle, x, y, cx, cy, cid = struct.unpack_from("<IIhhhhH", data, pos)
        pos += 18
        ccls, pos = read_name(data, pos)
        text, pos = read_name(data, pos)
        (extra,) = struct.unpack_from("<H", data, pos)
        pos += 2 + extra
        if isinstance(ccls, int):
            ccls = CLASS_ORDINALS.get(ccls, "ordinal 0x%X" % ccls)
        controls.append((cid, ccls.upper(), text, Hex(cstyle), Hex(cexstyle), (x, y, cx, cy),
                         extra))
    return dialog, controls


# ---- the resource script text form ----------------------------------------

def rc_string(text):
    """The value of a quoted string as windres writes it: "" for a quote,
    backslash escapes, \\xHHHH code units in L"..." strings."""
    wide = text.startswith("L")
    body = text[2:-1] if wide else text[1:-1]
    out = []
    i = 0
    while i < len(body):
        c = body[i]
        if c == '"' and body[i + 1:i + 2] == '"':
            out.append('"')
            i += 2
        elif c == "\\":
            m = re.match(r"x([0-9a-fA-F]{1,%d})|([0-7]{1,3})|(.)" % (4 if wide else 2),
                         body[i + 1:])
            if m.group(1):
                out.append(chr(int(m.group(1), 16)))
            elif m.group(2):
                out.append(chr(int(m.group(2), 8)))
            else:
                out.append({"n": "\n", "t": "\t", "r": "\r", "a": "\a"}.get(m.group(3),
                                                                          m.group(3)))
            i += 1 + len(m.group(0))
        else:
            out.append(c)
            i += 1
    return "".join(out)


def split_fields(text):
    """Comma-separated fields, commas inside quoted strings left alone."""
    fields, current, quoted = [], [], False
    for c in text:
        if c == '"':
            quoted = not quoted
        if c == "," and not quoted:
            fields.append("".join(current).strip())
            current = []
        else:
            current.append(c)
    fields.append("".join(current).strip())
    return fields


def number(field):
    return int(field.rstrip("Ll"), 0)


def without_comments(text):
    """The script text with its /* */ comments removed (not those inside strings)."""
    out = []
    i = 0
    quoted = False
    while i < len(text):
        if not quoted and text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = len(text) if end < 0 else end + 2
            continue
        if text[i] == '"':
            quoted = not quoted
        elif text[i] == "\n":
            quoted = False  # strings never span lines
        out.append(text[i])
        i += 1
    return "".join(out)


def read_rc(text):
    """The resources of the script as (type, name, language, lines of the
    statement). Language None: the script gave none before the statement."""
    resources = []
    language = None
    lines = without_comments(text).splitlines()
    i = 0
    while i < len(lines):
        line = lines[i].strip()
        m = re.match(r"LANGUAGE\s+(\d+)\s*,\s*(\d+)$", line)
        if m:
            language = LangId((int(m.group(2)) << 10) | int(m.group(1)))
            i += 1
            continue
        m = re.match(r"(\S+)\s+(\S+)", line)
        if not m:
            i += 1
            continue
        name = int(m.group(1)) if m.group(1).isdigit() else m.group(1)
        kind = m.group(2)
        rtype = int(kind) if kind.isdigit() else RC_TYPE_KEYWORDS.get(kind, kind)
        body = [line]
        i += 1
        depth = 0
        while i < len(lines):
            body.append(lines[i].strip())
            if body[-1] == "BEGIN":
                depth += 1
            elif body[-1] == "END":
                depth -= 1
                if depth == 0:
                    i += 1
                    break
            i += 1
        resources.append((rtype, name, language, body))
    return resources


def rc_dialog(body):
    """The dialog statement of the script text, decoded like read_dialog."""
    m = re.match(r"\S+\s+(DIALOGEX|DIALOG)\b[A-Z ]*?\s(-?\d+),\s*(-?\d+),\s*(-?\d+),\s*(-?\d+)",
                 body[0])
    dialog = {"template": "standard DIALOG" if m.group(1) == "DIALOG" else "extended DIALOGEX",
              "rect": tuple(int(m.group(k)) for k in range(2, 6)),
              "style": None, "exstyle": Hex(0), "menu": None, "class": None,
              "caption": "", "font": None}
    controls = []
    in_controls = False
    for line in body[1:]:
        if line == "BEGIN":
            in_controls = True
            continue
        if line == "END":
            break
        keyword, _, rest = line.partition(" ")
        fields = split_fields(rest)
        if not in_controls:
            if keyword == "STYLE":
                dialog["style"] = Hex(number(rest))
            elif keyword == "EXSTYLE":
                dialog["exstyle"] = Hex(number(rest))
            elif keyword == "CAPTION":
                dialog["caption"] = rc_string(rest)
            elif keyword == "FONT":
                dialog["font"] = (number(fields[0]), rc_string(fields[1]))
            elif keyword == "MENU":
                dialog["menu"] = rest
            elif keyword == "CLASS":
                dialog["class"] = rest
            continue
        if keyword == "CONTROL":
            text, cid, cls, style, x, y, cx, cy = fields[:8]
            more = fields[8:]
            cls = rc_string(cls) if cls.startswith('"') else cls
        else:
            text, cid, x, y, cx, cy = fields[:6]
            style = fields[6] if len(fields) > 6 else None
            more = fields[7:]
            cls = CONTROL_KEYWORDS.get(keyword, keyword)
        controls.append((number(cid), cls.upper(), rc_string(text),
                         Hex(number(style)) if style is not None else None,
                         Hex(number(more[0]) if more else 0),
                         tuple(number(v) for v in (x, y, cx, cy))))
    return dialog, controls


# ---- checks ---------------------------------------------------------------

def check_inventory(checks, label, res_entries, rc_resources, expected):
    got = [(type_name(t), n) for t, n, _ in res_entries]
    checks.expect("%s: resources (type, name) in the binary form" % label,
                  sorted(expected, key=str), sorted(got, key=str))
    checks.expect("%s: the script text lists the same resources" % label, got,
                  [(type_name(t), n) for t, n, _, _ in rc_resources])


def language_of(rc_resources, rtype, name):
    for t, n, lang, _ in rc_resources:
        if t == rtype and n == name:
            return lang
    return "absent"


def find(res_entries, rtype, name):
    for t, n, data in res_entries:
        if t == rtype and n == name:
            return data
    return None


def check_dialog(checks, res_entries, rc_resources):
    checks.expect("dialog 1: language", LANG_JAPANESE_DEFAULT,
                  language_of(rc_resources, RT_DIALOG, 1))
    data = find(res_entries, RT_DIALOG, 1)
    if not checks.expect("dialog 1: present", True, data is not None):
        return
    decoded = read_dialog(data)
    if decoded is None:
        checks.expect("dialog 1 (binary): template", DIALOG["template"], "extended DIALOGEX")
        return
    dialog, controls = decoded
    for key in DIALOG:
        checks.expect("dialog 1 (binary): %s" % key, DIALOG[key], dialog[key])
    checks.expect("dialog 1 (binary): control ids in order", [c[0] for c in CONTROLS],
                  [c[0] for c in controls])
    for want, got in zip(CONTROLS, controls):
        checks.expect("control %d (binary): id, class, text, style, exstyle, rect" % want[0],
                      want, got[:6])
        checks.expect("control %d (binary): creation data bytes" % want[0], 0, got[6])
    checks.expect("dialog 1 (binary): no control with id 2 (IDCANCEL)", False,
                  any(c[0] == 2 for c in controls))

    body = next(b for t, n, _, b in rc_resources if t == RT_DIALOG and n == 1)
    dialog, controls = rc_dialog(body)
    for key in DIALOG:
        checks.expect("dialog 1 (script text): %s" % key, DIALOG[key], dialog[key])
    checks.expect("dialog 1 (script text): controls in order", CONTROLS, controls)


def group_image_id(res_entries):
    """The resource id of the first image that icon group 1 names."""
    group = find(res_entries, RT_GROUP_ICON, 1)
    if group is None or len(group) < 20:
        return None
    return struct.unpack_from("<H", group, 18)[0]


def check_icon_group(checks, label, res_entries, rc_resources):
    """Checks icon group 1 and its one image; returns the image's bytes
    (None when missing)."""
    checks.expect("%s: icon group 1 language" % label, LANG_JAPANESE_DEFAULT,
                  language_of(rc_resources, RT_GROUP_ICON, 1))
    group = find(res_entries, RT_GROUP_ICON, 1)
    if not checks.expect("%s: icon group 1 present" % label, True, group is not None):
        return None
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    checks.expect("%s: icon group header (reserved, type, images)" % label, (0, 1, 1),
                  (reserved, kind, count))
    checks.expect("%s: icon group length" % label, 6 + 14 * count, len(group))
    if count < 1 or len(group) < 20:
        return None
    width, height, colours, pad, planes, bits, size, image_id = struct.unpack_from(
        "<BBBBHHIH", group, 6)
    checks.expect("%s: group entry width, height, colour count, planes, bits per pixel" % label,
                  (32, 32, 0, 1, 8), (width, height, colours, planes, bits))
    image = find(res_entries, RT_ICON, image_id)
    if not checks.expect("%s: icon image %d present" % (label, image_id), True, image is not None):
        return None
    checks.expect("%s: group entry's byte count matches the image" % label, len(image), size)
    (hsize, w, h, hplanes, hbits, compression, _, _, _, used, _) = struct.unpack_from(
        "<IiiHHIIiiII", image, 0)
    checks.expect("%s: image header size, width, double height, planes, bits per pixel, "
                  "compression" % label, (40, 32, 64, 1, 8, 0),
                  (hsize, w, h, hplanes, hbits, compression))
    checks.expect("%s: image palette entries (0 means all 256)" % label, True, used in (0, 256))
    checks.expect("%s: image length (header, palette, pixels, AND mask)" % label,
                  ICON_IMAGE_SIZE, len(image))
    return image


def ico_image(path):
    with open(path, "rb") as f:
        data = f.read()
    size, offset = struct.unpack_from("<II", data, 6 + 8)
    return data[offset:offset + size]


def load(windres, exe, work):
    res_path = os.path.join(work, os.path.basename(exe) + ".res")
    run_windres(windres, exe, "res", res_path)
    with open(res_path, "rb") as f:
        res_entries = read_res(f.read())
    rc_text = run_windres(windres, exe, "rc").decode("utf-8", errors="replace")
    return res_entries, read_rc(rc_text)


def check_picker(checks, args, work):
    res_entries, rc_resources = load(args.windres, args.exe, work)
    check_inventory(checks, "picker", res_entries, rc_resources,
                    [("RT_ICON", group_image_id(res_entries)), ("RT_DIALOG", 1),
                     ("RT_GROUP_ICON", 1), ("RT_MANIFEST", 1)])
    check_dialog(checks, res_entries, rc_resources)
    image = check_icon_group(checks, "picker", res_entries, rc_resources)
    if args.icon_file and image is not None:
        checks.expect("picker: icon image bytes are those of %s" % args.icon_file, True,
                      image == ico_image(args.icon_file))
    manifest = find(res_entries, RT_MANIFEST, 1)
    if checks.expect("picker: manifest 1 present", True, manifest is not None):
        checks.expect("picker: manifest text", MANIFEST, manifest.decode("utf-8", "replace"))


def check_closer(checks, args, work):
    res_entries, rc_resources = load(args.windres, args.exe, work)
    check_inventory(checks, "closer", res_entries, rc_resources,
                    [("RT_ICON", group_image_id(res_entries)), ("RT_GROUP_ICON", 1)])
    image = check_icon_group(checks, "closer", res_entries, rc_resources)
    picker_res, _ = load(args.windres, args.picker, work)
    picker_image = find(picker_res, RT_ICON, group_image_id(picker_res))
    checks.expect("closer: icon image bytes equal those of %s" % args.picker, True,
                  image is not None and image == picker_image)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program", choices=("picker", "closer"))
    parser.add_argument("exe")
    parser.add_argument("windres")
    parser.add_argument("--icon-file", help="the .ico the picker's icon must come from")
    parser.add_argument("--picker", help="the picker, whose icon the closer must share")
    args = parser.parse_args()
    if args.program == "closer" and not args.picker:
        parser.error("closer needs --picker")

    checks = Checks()
    with tempfile.TemporaryDirectory() as work:
        (check_picker if args.program == "picker" else check_closer)(checks, args, work)
    print("%d check(s) failed" % checks.failures if checks.failures else "all checks passed")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
