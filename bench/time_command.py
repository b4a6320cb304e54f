#!/usr/bin/env python3
"""Runs one command and prints its wall-clock time and processor time (user + system, from the
kernel's accounting of the child), both in nanoseconds: "WALL_NS CPU_NS".
Usage: time_command.py COMMAND [ARG...]   (the command's output goes to /dev/null)"""
import os
import subprocess
import sys
import time


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    start = time.perf_counter_ns()
    child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall_ns = time.perf_counter_ns() - start
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"{sys.argv[1]} failed with status {code}")
    cpu_ns = round((usage.ru_utime + usage.ru_stime) * 1e9)
    print(wall_ns, cpu_ns)


if __name__ == "__main__":
    main()
