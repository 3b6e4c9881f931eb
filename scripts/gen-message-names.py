#!/usr/bin/env python3
"""Generates the window-message name table of the support library from the platform headers.

The cross compiler's preprocessor expands <windows.h>, <commctrl.h>, <mmsystem.h> and <dde.h>
as a Windows XP-era program sees them; every message define of the families below from
winuser.h, commctrl.h, the multimedia headers and dde.h with a value 0..0x200C becomes an
entry. Names that share a number are joined with "or". Range markers and plain aliases of
another name are left out.

usage: gen-message-names.py <c-compiler> <output.inc>
"""
import collections
import os
import re
import subprocess
import sys

FAMILIES = ('WM', 'EM', 'LB', 'CB', 'MM', 'LVM', 'TVM', 'HDM', 'TCM', 'PGM', 'BCM', 'CCM')
SOURCE_HEADERS = ('winuser.h', 'commctrl.h', 'mmsystem.h', 'mmeapi.h', 'dde.h')
MAX_MESSAGE = 0x200C
# Declared for Windows CE in the headers, but sent on the desktop as well.
ALSO_INCLUDED = ('LB_MULTIPLEADDSTRING', 'CB_MULTIPLEADDSTRING')
# Messages of later systems than the table covers, which the headers declare unguarded.
LATER_SYSTEMS = {
    'WM_INPUT_DEVICE_CHANGE', 'WM_CLIPBOARDUPDATE', 'LVM_GETGROUPSTATE', 'LVM_GETFOCUSEDGROUP',
    'LVM_GETGROUPRECT', 'LVM_GETGROUPCOUNT', 'LVM_GETGROUPINFOBYINDEX', 'LVM_ISITEMVISIBLE',
    'TVM_SETBORDER', 'TVM_SETEXTENDEDSTYLE', 'TVM_GETEXTENDEDSTYLE', 'TVM_SETHOT',
    'TVM_SETAUTOSCROLLINFO', 'PGM_SETSCROLLINFO', 'EM_NOSETFOCUS', 'EM_TAKEFOCUS',
    'CB_SETCUEBANNER', 'CB_GETCUEBANNER', 'WM_TABLET_LAST',
}
# Aliases that keep their own name in the table, joined in front of the name they alias.
JOINED_ALIASES = ('EM_SETLIMITTEXT',)
TOKEN = re.compile(r'0[xX][0-9A-Fa-f]+[uUlL]*|\d+[uUlL]*|[A-Za-z_][A-Za-z0-9_]*|\S')


def preprocess(cc):
    source = ''.join('#include <%s>\n' % h
                     for h in ('windows.h', 'commctrl.h', 'mmsystem.h', 'dde.h'))
    args = [cc, '-E', '-dD', '-D_WIN32_WINNT=0x0501', '-DWINVER=0x0501', '-D_WIN32_IE=0x0600',
            '-x', 'c', '-']
    return subprocess.run(args, input=source, capture_output=True, text=True, check=True).stdout


def collect(text):
    """Returns {name: (body, header file name)} in definition order."""
    defines = collections.OrderedDict()
    current = ''
    for line in text.splitlines():
        marker = re.match(r'# \d+ "([^"]+)"', line)
        if marker:
            current = os.path.basename(marker.group(1))
            continue
        m = re.match(r'#define ([A-Za-z_][A-Za-z0-9_]*) (.*)$', line)
        if m:
            defines[m.group(1)] = (m.group(2).strip(), current)
    return defines


def evaluate(defines, name, depth=0):
    if depth > 32 or name not in defines:
        raise ValueError(name)
    parts = []
    for tok in TOKEN.findall(defines[name][0]):
        if re.match(r'0[xX]', tok):
            parts.append(str(int(tok.rstrip('uUlL'), 16)))
        elif tok[0].isdigit():
            parts.append(tok.rstrip('uUlL'))
        elif re.match(r'[A-Za-z_]', tok):
            parts.append(str(evaluate(defines, tok, depth + 1)))
        elif tok in '()+-|<>*':
            parts.append(tok)
        else:
            raise ValueError(name)
    return int(eval(''.join(parts), {'__builtins__': {}}))


def locate_winuser(cc):
    """Path of the winuser.h the compiler includes."""
    args = [cc, '-E', '-x', 'c', '-']
    text = subprocess.run(args, input='#include <winuser.h>\n', capture_output=True, text=True,
                          check=True).stdout
    for m in re.finditer(r'# \d+ "([^"]+winuser\.h)"', text):
        return m.group(1)
    raise SystemExit('winuser.h not found')


def main():
    cc, output = sys.argv[1], sys.argv[2]
    defines = collect(preprocess(cc))
    winuser = locate_winuser(cc)
    for name in ALSO_INCLUDED:
        if name not in defines:
            # Guarded out by the Windows CE condition: read the value from winuser.h itself.
            with open(winuser, errors='replace') as header:
                m = re.search(r'#define\s+%s\s+(\S+)' % name, header.read())
            defines[name] = (m.group(1), 'winuser.h')
    entries = collections.OrderedDict()
    for name, (body, header) in defines.items():
        if name.split('_')[0] not in FAMILIES or '_' not in name:
            continue
        if header not in SOURCE_HEADERS or name in LATER_SYSTEMS:
            continue
        if re.fullmatch(r'[A-Z][A-Z0-9_]*', body) and name not in JOINED_ALIASES:
            continue  # an alias of another name
        if name == 'WM_USER' or re.search(r'(FIRST|_MSGMAX|_OKAY)$', name):
            continue
        try:
            value = evaluate(defines, name)
        except (ValueError, SyntaxError, ZeroDivisionError):
            continue
        if 0 <= value <= MAX_MESSAGE:
            entries[name] = value
    by_number = collections.defaultdict(list)
    for name, value in entries.items():
        by_number[value].append(name)
    rows = []
    for value in sorted(by_number):
        names = by_number[value]
        # A range's last-message marker only names a number no message has.
        real = [n for n in names if not n.endswith('LAST')]
        names = real or names
        names.sort(key=lambda n: 0 if n in JOINED_ALIASES else 1)
        rows.append((value, 'or'.join(names)))
    with open(output, 'w') as out:
        out.write('// Generated by scripts/gen-message-names.py from the platform headers.\n')
        for value, name in rows:
            out.write('{0x%04X, L"%s"},\n' % (value, name))


if __name__ == '__main__':
    main()
