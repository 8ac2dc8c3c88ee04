#!/usr/bin/env python3
"""Lists the "$" text keys the programs' sources spell out (L"$Key"), as C++
initialiser rows, so the skin check can ask both language tables for each.

  list-text-keys.py OUT.inc SOURCE_DIR...
"""
import os
import re
import sys

KEY = re.compile(r'L"(\$[A-Za-z][A-Za-z0-9?:_.%-]*)"')


def main(out, roots):
    keys = set()
    for root in roots:
        for folder, _, files in os.walk(root):
            for name in files:
                if name.endswith((".cpp", ".h")):
                    with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as f:
                        keys.update(KEY.findall(f.read()))
    text = "".join(f'L"{k}",\n' for k in sorted(keys))
    if os.path.exists(out):
        with open(out, encoding="utf-8") as f:
            if f.read() == text:
                return 0
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
