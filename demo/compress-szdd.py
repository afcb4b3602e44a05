#!/usr/bin/env python3
"""Writes files in the SZDD format of setup disks, as a recovery source keeps the compressed
copies of Windows files in its I386 directory: FILE.DLL becomes FILE.DL_ in the target
directory.

Only literal bytes are written (a control byte 0xFF announces the next eight), which every
expander reads; the data does not shrink, which does not matter for the demo's small files.

Usage: compress-szdd.py TARGET_DIR FILE...
"""

import os
import struct
import sys

SIGNATURE = b"SZDD\x88\xf0\x27\x33"
METHOD = b"A"


def compressed(data, replaced):
    out = bytearray(SIGNATURE + METHOD)
    out.append(ord(replaced))
    out += struct.pack("<I", len(data))
    for start in range(0, len(data), 8):
        out.append(0xFF)
        out += data[start:start + 8]
    return bytes(out)


def main():
    target_dir, files = sys.argv[1], sys.argv[2:]
    for path in files:
        name = os.path.basename(path)
        with open(path, "rb") as source:
            data = source.read()
        with open(os.path.join(target_dir, name[:-1] + "_"), "wb") as target:
            target.write(compressed(data, name[-1]))


if __name__ == "__main__":
    main()
