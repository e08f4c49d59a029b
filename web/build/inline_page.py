#!/usr/bin/env python3
"""Makes the page one self-contained file from its template:

- <link rel="stylesheet" href="NAME"> becomes <style> holding NAME;
- <script src="NAME"></script> becomes an inline <script> holding NAME;
- <script type="text/plain" id="ID" src="NAME"></script> gets the text of
  NAME inside (looked up in the page's folder, else in the build folder,
  which holds the module) and loses its src;
- <script type="application/json" id="tavi-resources"></script> gets the
  JSON of the dialog resources.

Inside every inlined text "</script" becomes "<\\/script" (and "</style"
"<\\/style"), so that only the element's own end tag ends it. A text holding
"<!--" is refused: with a "<script" after it the HTML parser would not end
the element where it ends. Nothing else is inlined; a page still referring
to another file is refused too.

Usage: inline_page.py TEMPLATE PAGE_FOLDER BUILD_FOLDER RESOURCES_JSON OUTPUT
"""
import json
import os
import re
import sys

ATTRIBUTE = re.compile(r'([\w-]+)\s*=\s*"([^"]*)"')
LINK = re.compile(r"<link\b([^>]*)>", re.IGNORECASE)
SCRIPT = re.compile(r"<script\b([^>]*)>\s*</script\s*>", re.IGNORECASE)
REFERENCE = re.compile(r"<(?:link|script|img|iframe|source|audio|video|embed)\b[^>]*\b(?:src|href)\s*=",
                       re.IGNORECASE)


class PageError(Exception):
    pass


def attributes(text):
    return {name.lower(): value for name, value in ATTRIBUTE.findall(text)}


def attribute_text(attrs):
    return "".join(f' {name}="{value}"' for name, value in attrs.items())


class Inliner:
    def __init__(self, page_folder, build_folder, resources):
        self.page_folder = page_folder
        self.build_folder = build_folder
        self.resources = resources
        self.used = []

    def read(self, name, folders):
        if os.path.isabs(name) or ".." in name.replace("\\", "/").split("/"):
            raise PageError(f"{name}: only files of the page's own folders are inlined")
        for folder in folders:
            path = os.path.join(folder, name)
            if os.path.isfile(path):
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                if "<!--" in text:
                    raise PageError(f"{path}: holds '<!--', which cannot be inlined safely")
                self.used.append(path)
                return text
        raise PageError(f"{name}: not found in {', '.join(folders)}")

    def link(self, match):
        attrs = attributes(match.group(1))
        if attrs.get("rel", "").lower() != "stylesheet":
            return match.group(0)
        css = self.read(attrs["href"], [self.page_folder])
        return "<style>\n" + re.sub(r"</(style)", r"<\\/\1", css, flags=re.IGNORECASE) + "</style>"

    def script(self, match):
        attrs = attributes(match.group(1))
        kind = attrs.get("type", "").lower()
        if kind == "application/json" and attrs.get("id") == "tavi-resources":
            # "<" only stands in JSON strings, where \u003c is the same text.
            text = json.dumps(self.resources, ensure_ascii=False, separators=(",", ":"))
            return f"<script{attribute_text(attrs)}>{text.replace('<', chr(92) + 'u003c')}</script>"
        if "src" not in attrs:
            return match.group(0)
        name = attrs.pop("src")
        folders = [self.page_folder]
        if kind == "text/plain":
            folders.append(self.build_folder)
        text = re.sub(r"</(script)", r"<\\/\1", self.read(name, folders), flags=re.IGNORECASE)
        return f"<script{attribute_text(attrs)}>\n{text}</script>"

    def page(self, template):
        result = SCRIPT.sub(self.script, LINK.sub(self.link, template))
        # What was inlined is not searched: only the template's own tags.
        remaining = REFERENCE.findall(SCRIPT.sub("", LINK.sub(self.link_left, template)))
        if remaining:
            raise PageError(f"the page still refers to other files: {', '.join(remaining)}")
        return result

    def link_left(self, match):
        attrs = attributes(match.group(1))
        return "" if attrs.get("rel", "").lower() == "stylesheet" else match.group(0)


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    template_path, page_folder, build_folder, resources_path, output = sys.argv[1:]
    with open(template_path, encoding="utf-8") as f:
        template = f.read()
    with open(resources_path, encoding="utf-8") as f:
        resources = json.load(f)
    try:
        page = Inliner(page_folder, build_folder, resources).page(template)
    except PageError as error:
        sys.exit(f"inline_page: {error}")
    temporary = output + ".tmp"
    with open(temporary, "w", encoding="utf-8", newline="") as f:
        f.write(page)
    os.replace(temporary, output)


if __name__ == "__main__":
    main()
