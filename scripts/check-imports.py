#!/usr/bin/env python3
"""check-imports.py FOLDER...: every function that the release programs in
each FOLDER import must be on release/allowed_imports.txt, and every entry of
that list must be documented as present on Windows XP or earlier. The
programs are the ones release/programs.txt names. Prints what is wrong and
exits 1; prints a one-line summary and exits 0 when all is well."""

import pathlib
import struct
import sys

from pe_file import PeImage

ROOT = pathlib.Path(__file__).resolve().parent.parent
PROGRAMS = ROOT / "release" / "programs.txt"
ALLOWED = ROOT / "release" / "allowed_imports.txt"

# The oldest Windows the programs must start on is Windows XP; these are the
# documented minimums that satisfy it.
XP_OR_EARLIER = {"Windows 95", "Windows 98", "Windows NT 4.0", "Windows 2000",
                 "Windows XP", "Windows XP x64"}


def entries(path):
    """The fields of each line that is not blank or a comment. A "#" starts a
    comment at the start of a line and after the second field (the second
    field itself may be an ordinal such as #410)."""
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        fields = line.split()
        if not fields or fields[0].startswith("#"):
            continue
        comment = next((i for i, field in enumerate(fields) if i >= 2 and field.startswith("#")), len(fields))
        yield number, fields[:comment]


def programs():
    return [fields[0] + ".exe" for _, fields in entries(PROGRAMS)]


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
    checked = 0
    for folder in folders:
        for program in programs():
            path = pathlib.Path(folder) / program
            try:
                image = PeImage(path.read_bytes())
                found = list(image.imports())
            except (OSError, ValueError, struct.error) as error:
                problems.append(f"{path}: cannot read its imports: {error}")
                continue
            for dll, function in sorted(set(found)):
                if (dll.lower(), function) not in allowed:
                    problems.append(f"{path}: imports {dll} {function}, which {ALLOWED.name} does not allow")
            checked += 1
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"check-imports: {checked} programs import only what {ALLOWED.name} allows")
    return 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1:]))
