#!/usr/bin/env python3
"""tools/check-layers on the tree as it is, and on copies of it with one planted fault each."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(ROOT, "tools", "check-layers")


def ignore_build_and_git(folder, names):
    return [n for n in names
            if n.startswith(".git") or os.path.exists(os.path.join(folder, n, "CMakeCache.txt"))]


def append(path, text):
    def plant(root):
        with open(os.path.join(root, path), "a", encoding="utf-8") as f:
            f.write(text)
        with open(os.path.join(root, path), encoding="utf-8") as f:
            return sum(1 for _ in f)  # the planted line is the last one
    return plant


def replace(path, old, new):
    def plant(root):
        full = os.path.join(root, path)
        with open(full, encoding="utf-8") as f:
            text = f.read()
        assert old in text, f"{old!r} not in {path}"
        with open(full, "w", encoding="utf-8") as f:
            f.write(text.replace(old, new, 1))
        return 1
    return plant


def create(path, text):
    def plant(root):
        os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
        with open(os.path.join(root, path), "w", encoding="utf-8") as f:
            f.write(text)
        return 1
    return plant


def run(root, *args):
    return subprocess.run([sys.executable, SCRIPT, "--root", root, *args], capture_output=True, text=True)


class CheckLayersTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="layers-")
        self.copy = os.path.join(self.tmp, "tree")
        shutil.copytree(ROOT, self.copy, ignore=ignore_build_and_git)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def test_the_tree_passes(self):
        result = run(ROOT)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_each_planted_fault_fails_naming_its_place(self):
        faults = [
            ("an include from a lower folder into a higher one",
             "editors/CustomModules.cpp", append("editors/CustomModules.cpp", '#include "host/DesignEnvironment.h"\n'),
             "above it"),
            ("an include into the runtime's higher neighbour",
             "platform/runtime/Lists.h", append("platform/runtime/Lists.h", '#include "platform/orx/Controls.h"\n'),
             "above it"),
            ("an include between folders on one level",
             "symbols/Symbols.cpp", append("symbols/Symbols.cpp", '#include "templates/ExpertFilter.h"\n'),
             "beside it"),
            ("an include of test code",
             "formdesigner/Items.cpp", append("formdesigner/Items.cpp", '#include "tests/support/Matchers.h"\n'),
             "test code"),
            ("a library linking a higher one",
             "editors/CMakeLists.txt",
             replace("editors/CMakeLists.txt", "fw_contracts", "fw_contracts fw_moduledesigner"), "links fw_moduledesigner"),
            ("areas out of order",
             "CMakeLists.txt", replace("CMakeLists.txt", "  platform symbols", "  moduledesigner platform symbols"),
             "areas go lowest first"),
            ("a folder in no layer",
             "widgets/Button.h", create("widgets/Button.h", "#pragma once\n"), "in no layer"),
            ("a map that differs from the table",
             "docs/Architecture.md",
             replace("docs/layers.txt", "the benchmark program", "the benchmarks"), "differs from docs/layers.txt"),
        ]
        for what, path, plant, message in faults:
            with self.subTest(what):
                shutil.rmtree(self.copy)
                shutil.copytree(ROOT, self.copy, ignore=ignore_build_and_git)
                line = plant(self.copy)
                result = run(self.copy)
                self.assertEqual(result.returncode, 1, result.stdout)
                self.assertIn(message, result.stderr)
                where = f"{path}:{line}:" if path.endswith((".h", ".cpp")) else f"{path}:"
                self.assertIn(where, result.stderr)

    def test_tests_and_a_folders_own_subfolders_may_include_anything_below(self):
        append("tests/editors/SampleControls.h", '#include "tools/Session.h"\n')(self.copy)
        append("host/root/Surface.cpp", '#include "host/FileSystems.h"\n')(self.copy)
        result = run(self.copy)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_the_map_is_printed_from_the_table(self):
        replace("docs/layers.txt", "the benchmark program", "the benchmarks")(self.copy)
        create("inheritance/UpdateManager.h", "#pragma once\n")(self.copy)
        self.assertEqual(run(self.copy, "--write-map").returncode, 0)
        with open(os.path.join(self.copy, "docs/Architecture.md"), encoding="utf-8") as f:
            text = f.read()
        self.assertIn("| 11 | `bench/` | the benchmarks |", text)
        self.assertIn("| 8 | `inheritance/` | the inheritance", text)
        self.assertIn("| 8 | `objecttree/` (reserved) |", text)
        result = run(self.copy)
        self.assertEqual(result.returncode, 0, result.stderr)


if __name__ == "__main__":
    unittest.main()
