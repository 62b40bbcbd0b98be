#!/usr/bin/env python3
"""How many files of the lrc-wild collection zorlyrics shows right, and why the others are not.

    python3 bench/lrc_wild_report.py ZORLYRICS [default|codepage] [LRC_WILD_DIR]

A file shows right when no item holds a character that the file, decoded as its manifest says,
does not hold (no mojibake), no item holds U+FEFF (no mark shown), every time tag of the file is in
the table, and no item holds a time tag or a word tag as text. Tags the reader leaves out by its own
rule ([00:00] on an empty line, which is not shown) do not count as missing. With "codepage" the
fallback code page is the file's own (936 for gb18030), as the CodePage setting or a system of that
language gives it; with "default" it is zorlyrics' default, Windows-1252.
"""
import collections
import csv
import re
import subprocess
import sys

TIME_TAG = re.compile(r'\[\d+:\d{1,2}(?:[.:]\d+)?\]')
ZERO_TAG = re.compile(r'\[0+:0+(?:[.:]\d+)?\]$')
WORD_TAG = re.compile(r'<\d+:\d{1,2}(?:[.:]\d+)?>')
PYTHON_CODEC = {'utf-8-bom': 'utf-8-sig', 'utf-8': 'utf-8', 'utf-16le': 'utf-16',
                'utf-16be': 'utf-16', 'gb18030': 'gb18030', 'cp932': 'cp932', 'cp949': 'cp949',
                'cp1251': 'cp1251', 'cp1252': 'cp1252', 'ascii': 'ascii'}
CODE_PAGE = {'gb18030': '936', 'cp932': '932', 'cp949': '949', 'cp1251': '1251', 'cp1252': '1252'}


def shown(zorlyrics, path, options):
    out = subprocess.run([zorlyrics, 'read'] + options + [path], capture_output=True,
                         check=True).stdout.decode('utf-8', 'replace').split('\n')
    count = int(out[1].split()[1])
    items = [line.split('\t', 1)[1] for line in out[2:2 + count]]
    tags = int(out[2 + count + 1].split()[1])
    return items, tags


def zero_tags_on_empty_lines(text):
    dropped = 0
    for line in re.split(r'\r\n|\r|\n', text):
        found = TIME_TAG.findall(line)
        if (found and not TIME_TAG.sub('', line).strip(' \ufeff')
                and all(ZERO_TAG.match(tag) for tag in found)):
            dropped += len(found)
    return dropped


def problems(zorlyrics, folder, row, mode):
    options = ['--codepage', CODE_PAGE[row['encoding']]] if (
        mode == 'codepage' and row['encoding'] in CODE_PAGE) else []
    items, tags = shown(zorlyrics, folder + '/' + row['file'], options)
    with open(folder + '/' + row['file'], 'rb') as f:
        text = f.read().decode(PYTHON_CODEC[row['encoding']])
    found = []
    if any('\ufeff' in item for item in items):
        found.append('mark shown')
    if any(set(item) - set(text) for item in items):
        found.append('mojibake')
    if tags < int(row['n_time_tags']) - zero_tags_on_empty_lines(text):
        found.append('time tags missing')
    if any(TIME_TAG.search(item) for item in items):
        found.append('time tag shown')
    if any(WORD_TAG.search(item) for item in items):
        found.append('word tag shown')
    return found


def main():
    zorlyrics = sys.argv[1]
    mode = sys.argv[2] if len(sys.argv) > 2 else 'default'
    folder = sys.argv[3] if len(sys.argv) > 3 else '/work/shared/lrc-wild'
    with open(folder + '/manifest.tsv', encoding='utf-8') as f:
        rows = list(csv.DictReader(f, delimiter='\t'))
    right = 0
    failures = collections.defaultdict(list)
    for row in rows:
        found = problems(zorlyrics, folder, row, mode)
        if found:
            failures[', '.join(found)].append(row['file'])
        else:
            right += 1
    print(f'{mode}: {right} of {len(rows)} files show right')
    for reason, files in sorted(failures.items(), key=lambda item: -len(item[1])):
        print(f'  {len(files):3} {reason}: {" ".join(files)}')


if __name__ == '__main__':
    main()
