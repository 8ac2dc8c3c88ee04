#!/usr/bin/env python3
"""Mends widl 7's proxy file for [out] string pointers (LPWSTR *).

For those parameters widl 7 gives the type offset of the string pointer
itself instead of the server-allocated reference pointer that precedes it,
and Wine's NDR then stores the returned text in a temporary instead of the
caller's variable, so the caller gets NULL. Every other out pointer of this
kind already names its FC_RP entry; this points the string ones there too.

usage: fix-proxy-offsets.py IN.c OUT.c
"""
import re
import sys

src = open(sys.argv[1]).read()

# "/* N (T *) */ 0x11, 0x14, /* FC_RP [allocated_on_stack] ... Offset= k (M)"
rp = re.compile(r"/\* (\d+) \([^)]*\) \*/\s*0x11, 0x14,[^\n]*\n\s*NdrFcShort\(0x[0-9a-f]+\),\s*/\* Offset= -?\d+ \((\d+)\) \*/")
target_of = {int(m.group(2)): int(m.group(1)) for m in rp.finditer(src)}

param = re.compile(r"(NdrFcShort\(0x[0-9a-f]+\),\s*/\* flags: [^*]*srv size=8 \*/\s*"
                   r"NdrFcShort\(0x[0-9a-f]+\),\s*/\* stack offset = \d+ \*/\s*)"
                   r"NdrFcShort\(0x([0-9a-f]+)\),\s*/\* type offset = (\d+) \*/")

def mend(m):
    offset = int(m.group(3))
    if offset not in target_of:
        return m.group(0)
    n = target_of[offset]
    return "%sNdrFcShort(0x%x),\t/* type offset = %d (mended) */" % (m.group(1), n, n)

out, count = param.subn(mend, src)
open(sys.argv[2], "w").write(out)
mended = out.count("(mended)")
print("fix-proxy-offsets: %d parameter(s) mended" % mended)
