#!/usr/bin/env python3
"""check-imports.py FOLDER...: every function that the release programs in
each FOLDER import must be on release/allowed_imports.txt, and every entry of
that list must be documented as present on Windows XP or earlier. The
programs are the ones release/programs.txt names. Prints what is wrong and
exits 1; prints a one-line summary and exits 0 when all is well."""

import sys

from release_programs import ROOT, check_programs, entries

ALLOWED = ROOT / "release" / "allowed_imports.txt"

# The oldest Windows the programs must start on is Windows XP; these are the
# documented minimums that satisfy it.
XP_OR_EARLIER = {"Windows 95", "Windows 98", "Windows NT 4.0", "Windows 2000",
                 "Windows XP", "Windows XP x64"}


def allowed_imports(problems):
    allowed = set()
    for number, fields in entries(ALLOWED):
        if len(fields) < 3:
            problems.append(f"{ALLOWED.name}:{number}: want DLL, function and minimum Windows")
            continue
        dll, function, minimum = fields[0].lower(), fields[1], " ".join(fields[2:])
        if minimum not in XP_OR_EARLIER:
            problems.append(f"{ALLOWED.name}:{number}: {fields[0]} {function} needs {minimum}, "
                            "newer than Windows XP")
            continue
        allowed.add((dll, function))
    return allowed


def main(folders):
    problems = []
    allowed = allowed_imports(problems)

    def problems_of(image):
        for dll, function in sorted(set(image.imports())):
            if (dll.lower(), function) not in allowed:
                yield f"imports {dll} {function}, which {ALLOWED.name} does not allow"

    return check_programs(folders, problems_of, "cannot read its imports",
                          f"check-imports: {{}} programs import only what {ALLOWED.name} allows", problems)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1:]))
