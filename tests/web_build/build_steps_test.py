#!/usr/bin/env python3
"""The browser edition's build steps: literals escaped as GCC encodes them,
the dialog resources read from the editor's resource script, and the
inliner's rules."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "web", "build"))

import cp932_escape  # noqa: E402
import dialog_resources  # noqa: E402


class Cp932Escape(unittest.TestCase):
    def test_escapes_as_code_page_932(self):
        converter = cp932_escape.Iconv()
        # ソ ends in 0x5C; a digit after an escape stays a digit; 〜 is
        # glibc's 0x8160; an emoji has no form.
        self.assertEqual(cp932_escape.escaped('"部屋ソ1〜" // 😀', converter),
                         '"\\225\\224\\211\\256\\203\\1341\\201\\140" // ?')


class DialogResources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(os.path.join(ROOT, "res", "Tavi.rc"), encoding="utf-8") as f:
            script = f.read().splitlines()
        with open(os.path.join(ROOT, "res", "resource.h"), encoding="utf-8") as f:
            header = f.read().splitlines()
        cls.dialogs, cls.strings = dialog_resources.parse(script, header)

    def control(self, dialog, id_name):
        return next(c for c in self.dialogs[dialog]["controls"] if c["idName"] == id_name)

    def test_dialogs_controls_and_strings(self):
        main = self.dialogs["IDD_TAVI_DIALOG"]
        self.assertEqual(main["caption"], "部屋の部品編集")
        first = dict(main["controls"][0])
        del first["style"]
        self.assertEqual(first, {"text": "", "id": 1000, "idName": "IDC_ROOM_LIST", "class": "ListBox",
                                 "x": 7, "y": 17, "w": 91, "h": 60})
        self.assertEqual(self.control("IDD_TAVI_DIALOG", "IDC_COMBO_BED")["label"], "08,09(28,29):ベッド")
        self.assertEqual(self.control("IDD_TAVI_DIALOG", "IDC_NAME")["label"], "名　称")
        self.assertIn("!WS_VISIBLE", self.control("IDD_TAVI_DIALOG", "IDC_PREVIEW_SLOT8")["style"])
        cancel = self.control("IDD_COMPOSE", "IDCANCEL")
        self.assertEqual((cancel["id"], cancel["text"]), (2, "ｷｬﾝｾﾙ"))
        self.assertNotIn("label", cancel)
        self.assertEqual(self.strings, {"IDS_ABOUTBOX": "ﾊﾞｰｼﾞｮﾝ情報(&V)"})


class InlinePage(unittest.TestCase):
    def page(self, template, files):
        with tempfile.TemporaryDirectory() as folder:
            page_folder = os.path.join(folder, "page")
            build_folder = os.path.join(folder, "build")
            os.makedirs(page_folder)
            os.makedirs(build_folder)
            for name, text in files.items():
                with open(os.path.join(build_folder if name == "core.js" else page_folder, name), "w") as f:
                    f.write(text)
            with open(os.path.join(page_folder, "Tavi.html"), "w") as f:
                f.write(template)
            resources = os.path.join(build_folder, "resources.json")
            with open(resources, "w") as f:
                json.dump({"dialogs": {"x": "</script><!--"}}, f)
            output = os.path.join(build_folder, "Tavi.html")
            run = subprocess.run([sys.executable, os.path.join(ROOT, "web", "build", "inline_page.py"),
                                  os.path.join(page_folder, "Tavi.html"), page_folder, build_folder, resources,
                                  output], capture_output=True, text=True)
            if run.returncode != 0:
                return None, run.stderr
            with open(output) as f:
                return f.read(), ""

    def test_inlines_by_its_rules(self):
        page, _ = self.page('<link rel="stylesheet" href="a.css">'
                            '<script type="application/json" id="tavi-resources"></script>'
                            '<script type="text/plain" id="core" src="core.js"></script>'
                            '<script src="main.js"></script>',
                            {"a.css": "p{}", "core.js": "x='</script>'", "main.js": "go()"})
        self.assertIn("<style>\np{}</style>", page)
        self.assertIn('<script type="text/plain" id="core">\nx=\'<\\/script>\'</script>', page)
        self.assertIn("<script>\ngo()</script>", page)
        resources = page.split('id="tavi-resources">')[1].split("</script>")[0]
        self.assertNotIn("<", resources)
        self.assertEqual(json.loads(resources), {"dialogs": {"x": "</script><!--"}})

    def test_refuses_what_would_break_or_reach_out(self):
        for template, files, reason in [
                ('<script src="main.js"></script>', {"main.js": "a<!--b"}, "<!--"),
                ('<script src="gone.js"></script>', {}, "not found"),
                ('<script src="../x.js"></script>', {}, "own folders"),
                ('<img src="logo.png">', {}, "refers to other files")]:
            page, error = self.page(template, files)
            self.assertIsNone(page)
            self.assertIn(reason, error)


if __name__ == "__main__":
    unittest.main()
