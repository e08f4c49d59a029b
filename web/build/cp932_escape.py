#!/usr/bin/env python3
"""Writes a copy of a UTF-8 C++ source in which every non-ASCII character is
spelled as octal escapes of its code page 932 bytes, so that a compiler
without a code page 932 execution character set (clang) gives its narrow
literals the bytes GCC gives them with -fexec-charset=CP932.

Each byte is three octal digits, so no escape runs into the character after
it. The bytes come from the C library's own iconv ("CP932"), the converter
GCC uses. Characters without a code page 932 form, which only comments
hold, become '?'.

Usage: cp932_escape.py SOURCE OUTPUT
"""
import ctypes
import ctypes.util
import os
import sys


class Iconv:
    """One iconv descriptor from UTF-8 to code page 932."""

    def __init__(self):
        libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
        self._open = libc.iconv_open
        self._open.restype = ctypes.c_void_p
        self._open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self._iconv = libc.iconv
        self._iconv.restype = ctypes.c_size_t
        self._iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4
        self._cd = self._open(b"CP932", b"UTF-8")
        if self._cd in (None, ctypes.c_void_p(-1).value):
            sys.exit("cp932_escape: the C library has no CP932 converter")

    def encode(self, char):
        """The character's code page 932 bytes, or None."""
        self._iconv(self._cd, None, None, None, None)
        data = char.encode("utf-8")
        source = ctypes.create_string_buffer(data, len(data))
        target = ctypes.create_string_buffer(8)
        in_ptr = ctypes.c_char_p(ctypes.addressof(source))
        out_ptr = ctypes.c_char_p(ctypes.addressof(target))
        in_left = ctypes.c_size_t(len(data))
        out_left = ctypes.c_size_t(len(target))
        result = self._iconv(self._cd, ctypes.byref(in_ptr), ctypes.byref(in_left),
                             ctypes.byref(out_ptr), ctypes.byref(out_left))
        if result == ctypes.c_size_t(-1).value or in_left.value != 0:
            return None
        return target.raw[: len(target) - out_left.value]


def escaped(text, converter):
    cache = {}
    pieces = []
    for char in text:
        if char.isascii():
            pieces.append(char)
            continue
        if char not in cache:
            encoded = converter.encode(char)
            cache[char] = "?" if encoded is None else "".join(f"\\{b:03o}" for b in encoded)
        pieces.append(cache[char])
    return "".join(pieces)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, output = sys.argv[1:]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    result = escaped(text, Iconv())
    os.makedirs(os.path.dirname(output) or ".", exist_ok=True)
    temporary = output + ".tmp"
    with open(temporary, "w", encoding="ascii", newline="") as f:
        f.write(result)
    os.replace(temporary, output)


if __name__ == "__main__":
    main()
