#!/usr/bin/env python3
"""Collects every double-quoted text with a non-ASCII character from a
Markdown document, one per line, in order of first appearance, without
duplicates. Used once to build tests/data/ui_texts.txt:

    tests/text/extract_ui_texts.py DOCUMENT.md > tests/data/ui_texts.txt
"""
import re
import sys


def main() -> int:
    seen = set()
    with open(sys.argv[1], encoding="utf-8") as source:
        for line in source:
            for text in re.findall(r'"([^"\n]+)"', line):
                if any(ord(c) > 0x7F for c in text) and text not in seen:
                    seen.add(text)
                    sys.stdout.write(text + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
