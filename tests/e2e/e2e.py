#!/usr/bin/env python3
"""Runs end-to-end cases against the built program.

  e2e.py --program PATH [CASE ...]     runs the named cases (all by default)
  e2e.py --list                        prints the case names
"""

import argparse
import importlib
import pathlib
import sys
import time
import traceback

from harness import CASES, CaseSkipped, Session

# ctest's SKIP_RETURN_CODE for a case that cannot run here now.
SKIPPED = 77

# Every cases*.py beside this file registers its cases on import.
for module in sorted(pathlib.Path(__file__).parent.glob("cases*.py")):
    importlib.import_module(module.stem)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--program")
    ap.add_argument("--list", action="store_true")
    ap.add_argument("names", nargs="*")
    a = ap.parse_args()
    if a.list:
        print(";".join(CASES))
        return 0
    failed = skipped = 0
    for name in a.names or list(CASES):
        fn, options = CASES[name]
        start = time.monotonic()
        try:
            with Session(a.program, **options) as s:
                fn(s)
            print(f"PASS {name} ({time.monotonic() - start:.1f} s)")
        except CaseSkipped as why:
            skipped += 1
            print(f"SKIP {name}: {why}")
        except Exception:
            failed += 1
            print(f"FAIL {name}")
            traceback.print_exc()
    if failed:
        return 1
    return SKIPPED if skipped else 0


if __name__ == "__main__":
    sys.exit(main())
