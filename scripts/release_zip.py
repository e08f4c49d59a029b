#!/usr/bin/env python3
"""Writes a release zip from a folder, for Japanese Windows and every other
system alike.

    release_zip.py OUT.zip FOLDER TIMESTAMP

Every entry is named FOLDER's own name followed by its path inside FOLDER.
Names are stored twice: in code page 932 in the entry's name field without
the UTF-8 flag, which is what Explorer on Japanese Windows (XP to 11) and
other tools that know no UTF-8 read, and in UTF-8 in an Info-ZIP Unicode Path
extra field (0x7075), which unzip, 7-Zip, libarchive and others prefer. A
name whose code page 932 form holds the byte 0x5C (a backslash to tools that
take it for a folder separator) is refused.

Entries come in sorted order, folders with their trailing "/", all with the
one time TIMESTAMP (seconds since 1970, UTC) and no system-specific
attributes; files are deflated. The same folder gives the same bytes.
"""
import os
import struct
import sys
import time
import zlib

UNICODE_PATH_FIELD = 0x7075
DEFLATED = 8
STORED = 0
DOS_DIRECTORY = 0x10
MADE_BY_DOS_VERSION_20 = 20
NEEDED_VERSION = 20


def dos_time(timestamp):
    t = time.gmtime(max(timestamp, 315532800))  # 1980-01-01, the earliest DOS date
    return ((t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2),
            ((t.tm_year - 1980) << 9) | (t.tm_mon << 5) | t.tm_mday)


def entry_names(folder):
    top = os.path.basename(os.path.normpath(folder))
    names = [(top + "/", None)]
    for parent, folders, files in os.walk(folder):
        folders.sort()
        inside = os.path.relpath(parent, folder)
        prefix = top + "/" + ("" if inside == "." else inside.replace(os.sep, "/") + "/")
        names += [(prefix + name + "/", None) for name in folders]
        names += [(prefix + name, os.path.join(parent, name)) for name in sorted(files)]
    return sorted(names)


def encoded_name(name):
    try:
        local = name.encode("cp932")
    except UnicodeEncodeError:
        sys.exit(f"release_zip: {name!r} has no code page 932 form")
    if b"\\" in local:
        sys.exit(f"release_zip: {name!r} holds the byte 0x5C in code page 932")
    utf8 = name.encode("utf-8")
    extra = b""
    if utf8 != local:
        field = struct.pack("<BI", 1, zlib.crc32(local)) + utf8
        extra = struct.pack("<HH", UNICODE_PATH_FIELD, len(field)) + field
    return local, extra


def compressed(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = packer.compress(data) + packer.flush()
    return (DEFLATED, packed) if len(packed) < len(data) else (STORED, data)


def write_zip(out_path, folder, timestamp):
    clock, date = dos_time(timestamp)
    body = bytearray()
    directory = bytearray()
    count = 0
    for name, path in entry_names(folder):
        local, extra = encoded_name(name)
        data = b"" if path is None else open(path, "rb").read()
        method, packed = compressed(data) if data else (STORED, b"")
        crc = zlib.crc32(data)
        attributes = DOS_DIRECTORY if path is None else 0
        offset = len(body)
        body += struct.pack("<IHHHHHIIIHH", 0x04034B50, NEEDED_VERSION, 0, method, clock, date,
                            crc, len(packed), len(data), len(local), len(extra))
        body += local + extra + packed
        directory += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, MADE_BY_DOS_VERSION_20,
                                 NEEDED_VERSION, 0, method, clock, date, crc, len(packed),
                                 len(data), len(local), len(extra), 0, 0, 0, attributes, offset)
        directory += local + extra
        count += 1
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, count, count, len(directory), len(body), 0)
    with open(out_path, "wb") as out:
        out.write(body + directory + end)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: release_zip.py OUT.zip FOLDER TIMESTAMP")
    write_zip(sys.argv[1], sys.argv[2], int(sys.argv[3]))
