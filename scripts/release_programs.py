"""The release programs that release/programs.txt names, and the walk over
them that each release check makes."""

import pathlib
import struct

from pe_file import PeImage

ROOT = pathlib.Path(__file__).resolve().parent.parent
PROGRAMS = ROOT / "release" / "programs.txt"


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


def check_programs(folders, problems_of, unreadable, summary, problems=()):
    """Reads each release program in each folder and collects what
    problems_of(image) finds in it, after the problems already found. Prints
    them and returns 1; when there are none, prints the summary (its {}
    takes the number of programs checked) and returns 0."""
    problems = list(problems)
    checked = 0
    for folder in folders:
        for program in programs():
            path = pathlib.Path(folder) / program
            try:
                found = list(problems_of(PeImage(path.read_bytes())))
            except (OSError, ValueError, struct.error) as error:
                problems.append(f"{path}: {unreadable}: {error}")
                continue
            problems.extend(f"{path}: {problem}" for problem in found)
            checked += 1
    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(summary.format(checked))
    return 0
