#!/usr/bin/env python3
"""Rewrites project includes to name their folder from the repository root.

`#include "Sett.h"` becomes `#include "WinNT_SP/Include_VS2005/Sett.h"`: the compiler's own
search order decides which file is meant (the including file's folder first, then the folders
the old flat include path listed), so the rewrite never changes what is included; a header then
included twice keeps its first line. Re-runnable: includes that already name a path from the
root are left alone. Prints what it cannot resolve.
"""
import os
import re
import subprocess
import sys

root = subprocess.check_output(['git', 'rev-parse', '--show-toplevel'], text=True).strip()
os.chdir(root)
files = subprocess.check_output(['git', 'ls-files', '-co', '--exclude-standard'],
                                text=True).split()
sources = [f for f in files if re.search(r'\.(h|hpp|cpp|c|rc|inl)$', f) and os.path.exists(f)]
tracked = set(f for f in files if os.path.exists(f))

# Folders the old flat include path searched (every library exported its own folder).
flat_dirs = sorted(set(os.path.dirname(f) for f in sources if f.endswith('.h')))

include_re = re.compile(r'^(\s*#\s*include\s+)"([^"]+)"', re.M)
unresolved = []
changed = 0
for f in sources:
    text = open(f, encoding='utf-8', errors='surrogateescape').read()
    here = os.path.dirname(f)

    def fix(m):
        name = m.group(2)
        if name in tracked:
            return m.group(0)
        local = os.path.normpath(os.path.join(here, name))
        if local in tracked:
            return m.group(1) + '"' + local + '"'
        hits = [os.path.normpath(os.path.join(d, name)) for d in flat_dirs
                if os.path.normpath(os.path.join(d, name)) in tracked]
        if len(hits) == 1:
            return m.group(1) + '"' + hits[0] + '"'
        unresolved.append('%s: %s (%s)' % (f, name, ', '.join(hits) or 'not in the tree'))
        return m.group(0)

    new = include_re.sub(fix, text)
    # Two spellings of one header become one line: keep the first.
    seen = set()
    kept = []
    for line in new.split('\n'):
        m = include_re.match(line)
        if m and m.group(2) in seen:
            continue
        if m:
            seen.add(m.group(2))
        kept.append(line)
    new = '\n'.join(kept)
    if new != text:
        changed += 1
        open(f, 'w', encoding='utf-8', errors='surrogateescape').write(new)
print('rewrote includes in %d files' % changed)
for u in unresolved:
    print('left as is:', u)
