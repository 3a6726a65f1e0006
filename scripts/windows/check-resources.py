#!/usr/bin/env python3
"""Checks the Windows resources of the built program and of its installer
with icoutils (wrestool extracts them, icotool lists the icon's images).

    check-resources.py VERSION PROGRAM.exe INSTALLER.exe

The program carries version information with the numbers VERSION
(major.minor.0.revision), no flags, a Windows application; one Chinese
(PRC) string table in UTF-16 with the entries below, whose text form of
the version pads the minor number to two digits and the revision to four
(2.3.0.38 reads "2.03.0038"); a manifest that asks for version 6 of the
common controls; and an icon of six images: 48, 32 and 16 pixels, each in
256 colours and in 32-bit colour. The installer carries the same version
numbers. Prints what it found; exits 1 naming each difference."""

import struct
import subprocess
import sys

RT_ICON_GROUP, RT_VERSION, RT_MANIFEST = 14, 16, 24
FIXED_SIGNATURE = 0xFEEF04BD
VOS_WINDOWS32, VFT_APP = 4, 1
CHINESE_PRC_UTF16 = "080404B0"
ICON_IMAGES = sorted((size, bits) for size in (48, 32, 16) for bits in (8, 32))

problems = []


def expect(what, found, wanted):
    if found != wanted:
        problems.append("%s: %r, expected %r" % (what, found, wanted))


def resource(path, kind):
    # An icon group comes out as an .ico file; anything else as it is.
    raw = [] if kind == RT_ICON_GROUP else ["--raw"]
    result = subprocess.run(["wrestool", "-x", *raw, "-t", str(kind), path], capture_output=True, check=False)
    if result.returncode != 0 or not result.stdout:
        problems.append("%s: no resource of type %d (%s)" % (path, kind, result.stderr.decode().strip()))
        return b""
    return result.stdout


def blocks(data, offset, end):
    """The version information's blocks between offset and end, as
    (key, value bytes, value is text, children offset, block end)."""
    while offset + 6 <= end:
        length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
        if length == 0:
            break
        key_end = offset + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[offset + 6:key_end].decode("utf-16-le")
        value_start = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if is_text else value_length
        yield key, data[value_start:value_start + value_size], is_text, (value_start + value_size + 3) & ~3, offset + length
        offset = (offset + length + 3) & ~3


def version_info(path):
    """The fixed record, the string tables and the translation of a
    program's version resource."""
    data = resource(path, RT_VERSION)
    for key, value, _, children, end in blocks(data, 0, len(data)):
        if key != "VS_VERSION_INFO" or len(value) < 52:
            break
        fixed = struct.unpack_from("<13I", value)
        tables, translation = {}, None
        for name, _, _, inner, inner_end in blocks(data, children, end):
            for table, _, _, entries, table_end in blocks(data, inner, inner_end):
                if name == "StringFileInfo":
                    tables[table] = {k: v.decode("utf-16-le").rstrip("\0")
                                     for k, v, _, _, _ in blocks(data, entries, table_end)}
            if name == "VarFileInfo":
                for var, raw, _, _, _ in blocks(data, inner, inner_end):
                    if var == "Translation":
                        translation = struct.unpack_from("<HH", raw)
        return fixed, tables, translation
    problems.append(path + ": no VS_VERSION_INFO record")
    return (0,) * 13, {}, None


def check_numbers(path, fixed, numbers):
    """The numeric file and product versions; the file version's text."""
    expect(path + " signature", hex(fixed[0]), hex(FIXED_SIGNATURE))
    found = {}
    for name, first in (("file version", 2), ("product version", 4)):
        found[name] = (fixed[first] >> 16, fixed[first] & 0xFFFF, fixed[first + 1] >> 16, fixed[first + 1] & 0xFFFF)
        expect("%s %s" % (path, name), found[name], numbers)
    return ".".join(map(str, found["file version"]))


def check_program(path, numbers):
    major, minor, _, revision = numbers
    fixed, tables, translation = version_info(path)
    version = check_numbers(path, fixed, numbers)
    expect(path + " flags", fixed[7] & fixed[6], 0)
    expect(path + " operating system", fixed[8], VOS_WINDOWS32)
    expect(path + " file type", fixed[9], VFT_APP)
    expect(path + " string tables", sorted(tables), [CHINESE_PRC_UTF16])
    expect(path + " translation", translation, (0x0804, 0x04B0))
    text = "%d.%02d.%04d" % (major, minor, revision)
    strings = tables.get(CHINESE_PRC_UTF16, {})
    wanted = {"FileDescription": "Velkrant", "ProductName": "Velkrant", "InternalName": "Velkrant",
              "OriginalFilename": "Velkrant.exe", "FileVersion": text, "ProductVersion": text}
    for key, value in wanted.items():
        expect("%s %s" % (path, key), strings.get(key), value)
    for key in ("CompanyName", "LegalCopyright"):
        if not strings.get(key):
            problems.append("%s %s: empty" % (path, key))
    print("%s: version %s; %s" % (path, version, ", ".join("%s=%s" % item for item in sorted(strings.items()))))

    manifest = resource(path, RT_MANIFEST)
    if not manifest.startswith(b"\xef\xbb\xbf") or b'name="Microsoft.Windows.Common-Controls"' not in manifest \
            or b'version="6.0.0.0"' not in manifest:
        problems.append(path + " manifest: no UTF-8 request for version 6 of the common controls")

    icon = resource(path, RT_ICON_GROUP)
    listing = subprocess.run(["icotool", "-l", "-"], input=icon, capture_output=True, check=False).stdout.decode()
    images = []
    for line in listing.splitlines():
        fields = dict(part.lstrip("-").split("=", 1) for part in line.split() if "=" in part)
        images.append((int(fields["width"]), int(fields["bit-depth"])))
        expect(path + " icon image square", fields["width"], fields["height"])
    expect(path + " icon images (size, bits)", sorted(images), ICON_IMAGES)
    print("%s: icon of %d images %s" % (path, len(images), sorted(images, reverse=True)))


def check_installer(path, numbers):
    fixed, tables, _ = version_info(path)
    version = check_numbers(path, fixed, numbers)
    texts = {table.get("ProductVersion") for table in tables.values()}
    expect(path + " ProductVersion", texts, {".".join(map(str, numbers))})
    print("%s: version %s; ProductVersion=%s" % (path, version, ", ".join(sorted(filter(None, texts)))))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    numbers = tuple(int(part) for part in sys.argv[1].split("."))
    check_program(sys.argv[2], numbers)
    check_installer(sys.argv[3], numbers)
    for problem in problems:
        print("check-resources: " + problem, file=sys.stderr)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
