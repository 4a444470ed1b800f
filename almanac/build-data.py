#!/usr/bin/env python3
"""Writes the sample data files (data/Event.txt, Tanjyou.txt, Hana.txt, History.txt) from the almanac's
sources: the records of almanac/MM/*.tsv whose status is "shipped", in Shift_JIS with CR LF.

usage: python3 almanac/build-data.py [--check]     (--check: compare, write nothing; exit 1 on a difference)
"""
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent
DATA = ROOT.parent / 'data'
MONTHS = [f'{m:02d}' for m in range(1, 13)]


def shipped(kind):
    records = []
    for month in MONTHS:
        path = ROOT / month / f'{kind}.tsv'
        for line in path.read_text(encoding='utf-8').splitlines():
            if not line.strip() or line.startswith('#'):
                continue
            columns = line.split('\t')
            if columns[1] == 'shipped':
                records.append(columns[0])
    return records


def flowers():
    records = []
    for month in MONTHS:
        records += [r for r in (ROOT / month / 'flowers.txt').read_text(encoding='utf-8').splitlines() if r]
    return records


def encoded(records):
    return ''.join(record + '\r\n' for record in records).encode('cp932')


def main():
    files = {
        'Event.txt': encoded(shipped('events')),
        'Tanjyou.txt': encoded(shipped('births')),
        'Hana.txt': encoded(flowers()),
        'History.txt': encoded(shipped('history')),
    }
    differ = False
    for name, data in files.items():
        target = DATA / name
        if '--check' in sys.argv:
            if target.read_bytes() != data:
                print(f'{target} differs from the almanac sources')
                differ = True
        else:
            target.write_bytes(data)
    sys.exit(1 if differ else 0)


if __name__ == '__main__':
    main()
