#!/usr/bin/env python3
"""Runs the example in a fresh home with the scripted UI, which accepts the
text pop-up, and checks what it printed and left."""

import os
import pathlib
import subprocess
import sys
import tempfile

example, library = sys.argv[1], sys.argv[2]
with tempfile.TemporaryDirectory() as home:
    drive = pathlib.Path(home, "drive_c")
    drive.mkdir()
    drive.joinpath("brev.txt").write_text("Kære klient")
    script = pathlib.Path(home, "answers")
    script.write_text("textbox OK\n")
    env = dict(os.environ, LEXITRAY_HOME=home, LEXITRAY_UI="script",
               LEXITRAY_UI_SCRIPT=str(script), LEXITRAY_UI_TRANSCRIPT=str(pathlib.Path(home, "t")))
    out = subprocess.run([sys.executable, example, library], env=env, check=True,
                         capture_output=True, text=True).stdout
    expected = [
        "OpretMappe OK",
        "Kopier OK " + str(["C:\\brev.txt", "C:\\Sager\\12\\Bilag\\", "ReadOnly", "brev.txt"]),
        "Kontrol ReadOnly",
        "Kopier OK",
        "FileExists True",
        "KortFilnavn " + str(["C:\\Sager\\12\\Bilag\\"]),
        "FileExists Referat af møde med klienten " + "x" * 61 + ".txt",
        "ShowTextBox 5 ['Noter', 0, 4000, 2000, 10]",
        "GetText ['Aftalt ', 'frist den', ' 12. maj', ' ', '']",
        "MappeSlet ''",
        "TjekMappeOmIndhold ''",
    ]
    if out.splitlines() != expected:
        sys.exit("unexpected output:\n" + out)
    if drive.joinpath("Sager", "12").exists():
        sys.exit("the case folder is still there")
print("ok")
