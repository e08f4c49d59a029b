#!/usr/bin/env python3
"""The editor's dialog templates and strings, read from its resource script,
as the JSON the page lays its controls out and takes its texts from:

  {"version": ..., "dialogs": {"IDD_...": {"caption": ..., "controls": [
      {"text": ..., "id": ..., "idName": ..., "class": ..., "x": ..., "y": ...,
       "w": ..., "h": ..., "style": [...], "label": ...}, ...]}},
   "strings": {"IDS_...": ...}}

Controls are in template order; a control's label is the text of the
Static just before it (absent where there is none). Styles are the flags
named, with the script's own macros expanded; "NOT X" is given as "!X".

Usage: dialog_resources.py RESOURCE_SCRIPT RESOURCE_HEADER VERSION OUTPUT
"""
import json
import os
import re
import sys

# Identifiers the script takes from windows.h.
WINDOWS_IDS = {"IDOK": 1, "IDCANCEL": 2}
DEFINE = re.compile(r"^\s*#define\s+(\w+)\s+(.+?)\s*(?://.*)?$")
TOKEN = re.compile(r'"(?:[^"]|"")*"|[^,]+')


def defines(lines):
    return {m.group(1): m.group(2) for m in map(DEFINE.match, lines) if m}


def string_value(token):
    """The text of a quoted resource string ("" is a quote)."""
    token = token.strip()
    if not (token.startswith('"') and token.endswith('"')):
        return None
    return token[1:-1].replace('""', '"')


def without_comment(line):
    """The line without a // comment outside quotes."""
    quoted = False
    for i, char in enumerate(line):
        if char == '"':
            quoted = not quoted
        elif not quoted and line.startswith("//", i):
            return line[:i]
    return line


def fields(text):
    return [t.strip() for t in TOKEN.findall(text) if t.strip()]


def control_id(token, ids):
    if token in ids:
        return int(ids[token], 0), token
    return int(token, 0), None


def styles(expression, macros):
    words = []
    negate = False
    for word in expression.replace("|", " ").split():
        if word == "NOT":
            negate = True
            continue
        if word in macros:
            words += styles(macros[word], macros)
        else:
            words.append("!" + word if negate else word)
        negate = False
    return words


def control(line, ids, macros):
    parts = fields(line)
    if len(parts) != 8:
        raise ValueError(f"a CONTROL line of another form: {line}")
    text, ident, cls, style, x, y, w, h = parts
    number, name = control_id(ident, ids)
    return {"text": string_value(text) or "", "id": number, "idName": name,
            "class": string_value(cls), "x": int(x), "y": int(y), "w": int(w), "h": int(h),
            "style": styles(style, macros)}


def with_labels(controls):
    for before, current in zip([None] + controls, controls):
        if (current["class"] != "Static" and before and before["class"] == "Static"
                and before["text"]):
            current["label"] = before["text"]
    return controls


def parse(script_lines, header_lines):
    ids = {name: str(value) for name, value in WINDOWS_IDS.items()}
    ids.update(defines(header_lines))
    macros = defines(script_lines)
    dialogs, strings = {}, {}
    block, current = None, None
    for raw in script_lines:
        line = without_comment(raw).strip()
        head = re.match(r"^(\w+)\s+DIALOG(?:EX)?\b", line)
        if head:
            current = {"caption": "", "controls": []}
            dialogs[head.group(1)] = current
            block = "dialog"
        elif line == "STRINGTABLE":
            block = "strings"
        elif line == "END":
            if block == "dialog" and current is not None:
                with_labels(current["controls"])
            block, current = None, None
        elif block == "dialog" and line.startswith("CAPTION "):
            current["caption"] = string_value(line[len("CAPTION "):])
        elif block == "dialog" and line.startswith("CONTROL "):
            current["controls"].append(control(line[len("CONTROL "):], ids, macros))
        elif block == "strings":
            m = re.match(r'^(\w+)\s+("(?:[^"]|"")*")$', line)
            if m:
                strings[m.group(1)] = string_value(m.group(2))
    return dialogs, strings


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    script, header, version, output = sys.argv[1:]
    with open(script, encoding="utf-8") as f:
        script_lines = f.read().splitlines()
    with open(header, encoding="utf-8") as f:
        header_lines = f.read().splitlines()
    dialogs, strings = parse(script_lines, header_lines)
    result = {"version": version, "dialogs": dialogs, "strings": strings}
    os.makedirs(os.path.dirname(output) or ".", exist_ok=True)
    with open(output, "w", encoding="utf-8") as f:
        json.dump(result, f, ensure_ascii=False, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
