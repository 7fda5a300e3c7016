#!/usr/bin/env python3
"""reaped_time.py OUT COMMAND...: runs COMMAND and writes "wall user sys"
(seconds) of it and of every process it started to OUT, like
/usr/bin/time -f "%e %U %S". Unlike time, it also counts the processes left
behind: a script that kills its game and ends without waiting leaves the
game to the nearest subreaper, which this is, instead of to init, where its
time would be lost. Exits with COMMAND's status."""
import ctypes
import os
import resource
import sys
import time

PR_SET_CHILD_SUBREAPER = 36

ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
start = time.monotonic()
command = os.fork()
if command == 0:
    os.execvp(sys.argv[2], sys.argv[2:])
status = 0
while True:
    try:
        pid, how = os.wait()
    except ChildProcessError:
        break
    if pid == command:
        status = os.waitstatus_to_exitcode(how)
wall = time.monotonic() - start
used = resource.getrusage(resource.RUSAGE_CHILDREN)
with open(sys.argv[1], "w") as out:
    out.write("%.2f %.2f %.2f\n" % (wall, used.ru_utime, used.ru_stime))
sys.exit(status if status >= 0 else 1)
