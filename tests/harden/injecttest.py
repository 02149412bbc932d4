#!/usr/bin/env python3
"""Fails each system call of a save in turn and checks the file after every failure.

A save of the draw log and of the settings file is traced once to find its system calls (those
between the save target's two marker calls); then the save is repeated once per call, with
strace making that one call fail (ENOSPC for writes and flushes, EIO for the rest). After
each (memory and thread calls left out): the program ended normally, the file holds either the old content or the new one whole,
a failure was reported whenever the old content stayed, and the next save without a fault
writes the new content.

    injecttest.py SAVETARGET
"""
import collections
import os
import re
import shutil
import subprocess
import sys
import tempfile

BEGIN = "/tivrel-save-begins"
END = "/tivrel-save-ends"
WRITES = {"write", "pwrite64", "writev", "pwritev", "pwritev2", "fsync", "fdatasync", "ftruncate",
          "fallocate", "sync_file_range"}
# Memory and threads are not the save's business: failing them tests the C library.
NOT_IO = {"brk", "mmap", "munmap", "mprotect", "mremap", "madvise", "futex", "rt_sigaction",
          "rt_sigprocmask", "getpid", "gettid"}
CALL = re.compile(r"^(?:\[pid\s+\d+\]\s*)?(?:\d+\s+)?([a-z_0-9]+)\(")


def calls_of(trace_path):
    """Per system call name: how many calls came before the save, and how many within it."""
    before = collections.Counter()
    within = collections.Counter()
    state = "before"
    for line in open(trace_path, errors="replace"):
        match = CALL.match(line)
        if not match:
            continue
        name = match.group(1)
        if name == "access" and BEGIN in line:
            state = "within"
        elif name == "access" and END in line:
            state = "after"
        if state == "before":
            before[name] += 1
        elif state == "within" and name != "access" and name not in NOT_IO:
            within[name] += 1
    return before, within


def run(target, kind, path, number, inject=None, trace=None):
    command = []
    if inject or trace:
        command = ["strace", "-f", "-qq", "-o", trace or os.devnull]
        if inject:
            command += ["-e", "inject=" + inject]
    command += [target, kind, path, str(number)]
    done = subprocess.run(command, capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout.strip()


def read(path):
    return open(path, "rb").read() if os.path.exists(path) else None


def main():
    target = sys.argv[1]
    folder = tempfile.mkdtemp(prefix="tivrel-inject-")
    faults = 0
    reported = 0
    problems = []
    for kind, name, old_number, new_number in (("log", "tivrel.log", 5, 6),
                                               ("settings", "tivrel.ini", 5, 6)):
        path = os.path.join(folder, name)
        scratch = os.path.join(folder, "scratch")
        os.makedirs(scratch, exist_ok=True)
        # The contents before and after one save, made without a fault.
        assert run(target, kind, path, old_number)[0] == 0
        old = read(path)
        reference = os.path.join(scratch, name)
        shutil.copy(path, reference)
        assert run(target, kind, reference, new_number)[0] == 0
        new = read(reference)
        assert old != new
        trace = os.path.join(folder, "trace")
        assert run(target, kind, path, new_number, trace=trace)[0] == 0
        before, within = calls_of(trace)
        for call in sorted(within):
            for nth in range(1, within[call] + 1):
                with open(path, "wb") as f:
                    f.write(old)
                error = "ENOSPC" if call in WRITES else "EIO"
                code, said = run(target, kind, path, new_number,
                                 inject=f"{call}:error={error}:when={before[call] + nth}")
                faults += 1
                reported += code == 3
                now = read(path)
                where = f"{kind}: {call} #{nth} failed with {error}"
                if code not in (0, 3):
                    problems.append(f"{where}: the program ended with {code}")
                elif now not in (old, new):
                    problems.append(f"{where}: the file is neither the old nor the new one")
                elif now == old and code == 0:
                    problems.append(f"{where}: the old file stayed but the save said it worked")
                elif code == 3 and not said.startswith("failed: ") or said == "failed: ":
                    problems.append(f"{where}: the failure gave no reason")
                strays = [f for f in os.listdir(folder) if f not in (name, "scratch", "trace")]
                if strays:
                    problems.append(f"{where}: files left beside it: {strays}")
                    for f in strays:
                        os.remove(os.path.join(folder, f))
                if run(target, kind, path, new_number)[0] != 0 or read(path) != new:
                    problems.append(f"{where}: the next save did not write the new content")
        print(f"{kind}: {sum(within.values())} system calls in a save: "
              + ", ".join(f"{c} {within[c]}" for c in sorted(within)))
        os.remove(path)
    print(f"{faults} faults injected, {reported} reported as a failed save, "
          f"{len(problems)} problems")
    for problem in problems:
        print("  " + problem)
    shutil.rmtree(folder)
    return 1 if problems or faults == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
