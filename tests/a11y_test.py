#!/usr/bin/python3
"""Drives the real program through the accessibility tree (AT-SPI), as a screen
reader would: find the search box, the search button, the result list and the
count by their accessible names, search, and read the results back.
Exits 77 (skipped) where no accessibility bus can be had."""
import os
import subprocess
import sys
import time

SKIP = 77
try:
    import pyatspi
except Exception as e:  # no bindings: nothing to drive
    print('skipped: no pyatspi', e)
    sys.exit(SKIP)

program = sys.argv[1]


def find(node, pred, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if pred(node):
            return node
        for i in range(node.childCount):
            hit = find(node.getChildAtIndex(i), pred, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        return None
    return None


def wait_for(f, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        v = f()
        if v:
            return v
        time.sleep(0.2)
    return None


env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_ACCESSIBILITY='1',
           ZARFAN_LOCK_FILE=os.path.join(os.environ.get('TMPDIR', '/tmp'), 'zarfan-a11y.lock'))
env.pop('QT_QPA_PLATFORM', None)
proc = subprocess.Popen([program], env=env)
try:
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for(lambda: find(desktop, lambda n: n.getRoleName() == 'application' and 'zarfan' in (n.name or '').lower(), 0) or
                   next((desktop.getChildAtIndex(i) for i in range(desktop.childCount)
                         if desktop.getChildAtIndex(i) is not None and 'zarfan' in (desktop.getChildAtIndex(i).name or '').lower()), None))
    if app is None:
        print('skipped: the program did not appear on the accessibility bus')
        sys.exit(SKIP)
    box = wait_for(lambda: find(app, lambda n: n.name == 'نص البحث' and n.getRoleName() in ('text', 'entry')))
    button = find(app, lambda n: n.name == 'القيام بعملية بحث')
    results = find(app, lambda n: n.name == 'نتائج البحث' and n.getRoleName() in ('list', 'list box'))
    assert box is not None, 'search box not found by name'
    assert button is not None, 'search button not found by name'
    assert results is not None, 'result list not found by name'
    box.queryEditableText().setTextContents('الصمد')
    button.queryAction().doAction(0)
    count = wait_for(lambda: find(app, lambda n: (n.name or '').startswith('عدد النتائج : ') and n.name != 'عدد النتائج : 0'))
    assert count is not None, 'the count was never announced'
    assert count.name == 'عدد النتائج : 1', count.name
    lines = [results.getChildAtIndex(i).name for i in range(results.childCount)]
    assert lines == ['الإخلاص : 2'], lines
    aya = find(app, lambda n: n.name == 'الآية')
    # The shown reference keeps its blanks unbreakable; a reader hears blanks.
    assert aya is not None and 'الإخلاص : 2' in aya.queryText().getText(0, -1).replace('\u00a0', ' ')
    print('accessibility: 1 passed, 0 failed')
finally:
    proc.terminate()
    proc.wait(timeout=10)
