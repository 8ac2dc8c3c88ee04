#!/usr/bin/env python3
"""Turns a UTF-8 language text (one line per line) into the UTF-16LE file
with CR LF line ends that the language tables read.

  make-langfile.py SOURCE OUT
"""
import sys

src, out = sys.argv[1:3]
with open(src, encoding="utf-8") as f:
    lines = f.read().splitlines()
with open(out, "wb") as f:
    f.write("".join(line + "\r\n" for line in lines).encode("utf-16-le"))
