#!/usr/bin/env python3
"""Checks the English catalogue against the sources, and that no Arabic text
reaches the reader without going through the translation system.

Usage: translation_test.py <source dir> <lupdate> <work dir>
Fails when lupdate finds a text of the sources that the catalogue lacks or
leaves unfinished, or a catalogue entry whose source text is gone; and when a
string literal holding Arabic stands outside tr(), QCoreApplication::translate()
or QT_TRANSLATE_NOOP() and is not in translation_allowlist.txt (the Quran's own
words, the search syntax, file templates)."""
import os, re, shutil, subprocess, sys

root, lupdate, work = sys.argv[1:4]
here = os.path.dirname(os.path.abspath(__file__))
failures = []

# 1. The catalogue is complete and current.
ts = os.path.join(work, 'zarfan_en.ts')
shutil.copy(os.path.join(root, 'translations', 'zarfan_en.ts'), ts)
run = subprocess.run([lupdate, '-locations', 'none', '-source-language', 'ar', '-target-language', 'en',
                      os.path.join(root, 'src'), '-ts', ts], capture_output=True, text=True)
if run.returncode != 0:
    failures.append('lupdate failed:\n' + run.stdout + run.stderr)
for line in (run.stdout + run.stderr).splitlines():
    if 'lacks Q_OBJECT' in line or 'Cannot invoke tr()' in line or 'Discarding unconsumed' in line:
        failures.append('lupdate: ' + line.strip())
text = open(ts, encoding='utf-8').read()
for m in re.finditer(r'<context>\s*<name>(.*?)</name>(.*?)</context>', text, re.S):
    for msg in re.finditer(r'<source>(.*?)</source>.*?<translation( type="(\w+)")?', m.group(2), re.S):
        if msg.group(3) == 'unfinished':
            failures.append('unfinished English entry [%s]: %s' % (m.group(1), msg.group(1)))
        elif msg.group(3) in ('vanished', 'obsolete'):
            failures.append('English entry whose source text is gone [%s]: %s' % (m.group(1), msg.group(1)))

# 2. No Arabic literal outside the translation system.
ARABIC = re.compile(r'[\u0600-\u06FF\uFB50-\uFDFF\uFE70-\uFEFF]')
LITERAL = re.compile(r'(?:u8|u|U|L)?"(?:[^"\\\n]|\\.)*"')
CALL = re.compile(r'\b(?:tr|translate|QT_TRANSLATE_NOOP|QT_TR_NOOP)\s*\(')
allowed = {}
for line in open(os.path.join(here, 'translation_allowlist.txt'), encoding='utf-8'):
    line = line.rstrip('\n')
    if line and not line.startswith('#'):
        path, _, literal = line.partition('\t')
        allowed.setdefault(path, set()).add(literal)

def blank_comments(s):
    # Comments become spaces; string literals are kept as they are.
    out, i, n = [], 0, len(s)
    while i < n:
        if s.startswith('//', i):
            j = s.find('\n', i)
            j = n if j < 0 else j
            out.append(' ' * (j - i)); i = j
        elif s.startswith('/*', i):
            j = s.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r'[^\n]', ' ', s[i:j])); i = j
        elif s[i] == '"' or (s[i] == "'" and not (s[i - 1:i].isdigit() and s[i + 1:i + 2].isdigit())):
            q, j = s[i], i + 1
            while j < n and s[j] != q:
                j += 2 if s[j] == '\\' else 1
            out.append(s[i:j + 1]); i = j + 1
        else:
            out.append(s[i]); i += 1
    return ''.join(out)

def covered_spans(s):
    spans = []
    for m in CALL.finditer(s):
        depth, j = 1, m.end()
        while j < len(s) and depth:
            lit = LITERAL.match(s, j)
            if lit:
                j = lit.end(); continue
            depth += {'(': 1, ')': -1}.get(s[j], 0); j += 1
        spans.append((m.end(), j))
    return spans

for folder, _, files in os.walk(os.path.join(root, 'src')):
    for name in sorted(files):
        if not name.endswith(('.cpp', '.h')):
            continue
        path = os.path.join(folder, name)
        rel = os.path.relpath(path, root)
        s = blank_comments(open(path, encoding='utf-8').read())
        spans = covered_spans(s)
        for lit in LITERAL.finditer(s):
            if not ARABIC.search(lit.group(0)) or any(a <= lit.start() < b for a, b in spans):
                continue
            body = lit.group(0)[lit.group(0).index('"') + 1:-1]
            if body in allowed.get(rel, ()) or '*' in allowed.get(rel, ()):
                continue
            failures.append('%s:%d: Arabic text outside tr()/translate(): "%s"' % (rel, s.count('\n', 0, lit.start()) + 1, body))

for f in failures:
    print(f)
print('%d problem(s)' % len(failures))
sys.exit(1 if failures else 0)
