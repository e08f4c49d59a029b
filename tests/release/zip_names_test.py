#!/usr/bin/env python3
"""Checks the names in a release zip as both kinds of zip tools read them:
the name fields as code page 932 (what Explorer on Japanese Windows reads
when no UTF-8 flag is set) and, through unzip, the UTF-8 names of the Info-ZIP
Unicode Path fields. Both must give the release's listing; the guide must be
code page 932 text with CR LF line ends.

    zip_names_test.py RELEASE.zip
"""
import os
import subprocess
import sys
import zipfile

GUIDE = "使い方.txt"
CONTENTS = ["", "LICENSE.txt", "Tavi.exe", "Tavi.html", "tavipac.exe", GUIDE, "部屋/", "部屋/mori.pac",
            "部屋/sakura.pac", "部屋/umi.pac", "部屋の部品集/"]


def main(path):
    top = os.path.splitext(os.path.basename(path))[0] + "/"
    expected = sorted(top + name for name in CONTENTS)
    failures = []
    with zipfile.ZipFile(path, metadata_encoding="cp932") as archive:
        if any(entry.flag_bits & 0x800 for entry in archive.infolist()):
            failures.append("an entry is flagged UTF-8")
        if sorted(archive.namelist()) != expected:
            failures.append(f"code page 932 names: {archive.namelist()}")
        if archive.testzip() is not None:
            failures.append(f"damaged entry {archive.testzip()}")
        guide = archive.read(top + GUIDE)
    unicode_names = subprocess.run(["unzip", "-Z1", path], capture_output=True, check=True,
                                   env=dict(os.environ, LC_ALL="C.UTF-8")).stdout.decode("utf-8").split("\n")
    if sorted(filter(None, unicode_names)) != expected:
        failures.append(f"UTF-8 names: {unicode_names}")
    try:
        guide.decode("cp932")
    except UnicodeDecodeError as error:
        failures.append(f"the guide is not code page 932: {error}")
    if guide.count(b"\n") != guide.count(b"\r\n") or not guide.endswith(b"\r\n"):
        failures.append("the guide's lines do not all end in CR LF")
    for failure in failures:
        print(f"{path}: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
