"""What the generators under tools/ share: their files are checked in, so a
run either writes them or, with --check, says whether they are stale.

    import checked_in
    parser = argparse.ArgumentParser(...)
    checked_in.add_check_option(parser)
    ...
    return checked_in.write_or_check("make_x", files, out_dir, args.check)
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def add_check_option(parser, what="tables"):
    parser.add_argument("--check", action="store_true", help="compare with the checked-in " + what)


def write_or_check(tool, files, out, check, what="tables"):
    """`files` maps a file name in `out` to its bytes.

    With `check`: 1 when any file is missing or differs by a byte (naming
    them on stderr), else 0. Otherwise writes every file, each in one step
    (a temporary file renamed over it), and returns 0.
    """
    if check:
        stale = []
        for name, data in sorted(files.items()):
            path = os.path.join(out, name)
            if not os.path.exists(path):
                stale.append(name)
                continue
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(name)
        if stale:
            print("%s: out of date: %s" % (tool, ", ".join(stale)), file=sys.stderr)
            return 1
        print("%s: %d %s up to date" % (tool, len(files), what))
        return 0
    os.makedirs(out, exist_ok=True)
    for name, data in sorted(files.items()):
        path = os.path.join(out, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)
    print("%s: wrote %d %s to %s" % (tool, len(files), what, os.path.relpath(out, ROOT)))
    return 0
