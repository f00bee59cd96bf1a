#!/usr/bin/env python3
"""check-program-files.py FOLDER...: the release programs in each FOLDER (the
ones release/programs.txt names) are stripped (no symbol table, no debug
sections, no debug directory) and carry no time stamp in their PE header, so
that the same commit gives byte-identical files. Prints what is wrong and
exits 1; prints a one-line summary and exits 0 when all is well."""

import sys

from release_programs import check_programs


def problems_of(image):
    if image.symbol_table or image.symbol_count:
        yield f"has a symbol table of {image.symbol_count} symbols"
    # Long section names (the debug sections) live in the symbol string
    # table and show as "/n".
    debug = [name for name in image.section_names if name.startswith((".debug", "/"))]
    if debug:
        yield f"has debug sections {' '.join(debug)}"
    if image.debug_directory_rva:
        yield "has a debug directory"
    if image.time_stamp:
        yield f"has the time stamp {image.time_stamp:#x} in its PE header"


def main(folders):
    return check_programs(folders, problems_of, "cannot read it",
                          "check-program-files: {} programs are stripped and carry no time stamp")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(main(sys.argv[1:]))
