#!/usr/bin/env python3
"""Draws the two program icons into <folder>: sorvik.ico (the optimizer's mark, resource 106) and
tavisk.ico (the updater's, resource 107), each with 16, 32 and 48 pixel images drawn at their size."""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "skins"))
import skin_art as A  # noqa: E402


def icon(mark):
    return A.Img.raw(48, 48, sum((["("] + A.logo(size, *mark).args + [")"] for size in (16, 32, 48)), []))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    batch = A.Batch()
    batch.add(os.path.join(out, "sorvik.ico"), icon(A.SORVIK_LOGO))
    batch.add(os.path.join(out, "tavisk.ico"), icon(A.TAVISK_LOGO))
    batch.run()


if __name__ == "__main__":
    main()
