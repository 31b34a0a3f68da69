#!/usr/bin/env python3
"""Writes a release zip that depends only on the files put into it.

Usage: make_zip.py ZIP FOLDER SOURCE_DIR FILE...

Each FILE goes into ZIP as FOLDER/<its name>, in the order given, with the
date of SOURCE_DIR's last commit as its time (SOURCE_DATE_EPOCH, when set,
takes its place) and fixed attributes: no owner, no access or change time, no
extra fields, so that two builds of the same commit give the same bytes.

Standard library only, so it runs on any machine with Python 3.
"""
import os
import subprocess
import sys
import time
import zipfile

# Zip times start in 1980; a tree without a commit date gets that time.
EARLIEST = (1980, 1, 1, 0, 0, 0)
FILE_MODE = 0o100644 << 16


def entry(name, when):
    info = zipfile.ZipInfo(name, date_time=max(EARLIEST, when))
    info.create_system = 3  # Unix, so that the mode below is read
    info.external_attr = FILE_MODE
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def commit_time(source_dir):
    """Seconds since 1970 of the commit checked out, 0 outside a repository."""
    if os.environ.get('SOURCE_DATE_EPOCH'):
        return int(os.environ['SOURCE_DATE_EPOCH'])
    try:
        # A tree of another user's (a root build of a user's clone) is still read.
        out = subprocess.run(['git', '-c', 'safe.directory=*', '-C', source_dir, 'log', '-1', '--format=%ct'],
                             capture_output=True, text=True, check=True).stdout
        return int(out.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        return 0


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    out, folder, source_dir, files = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    when = time.gmtime(commit_time(source_dir))[:6]
    partial = out + '.part'
    with zipfile.ZipFile(partial, 'w') as archive:
        for path in files:
            info = entry(folder + '/' + os.path.basename(path), when)
            with open(path, 'rb') as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, out)


if __name__ == '__main__':
    main()
