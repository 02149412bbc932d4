#!/usr/bin/env python3
"""Kills the drawing program at random moments and checks its draw log after every kill.

The program draws in timed mode (one draw a second), and in nine runs of ten Start/Stop is
pressed as fast as draws go as well; a seeded generator chooses the kind of run and how long
it lives before SIGKILL, now and then during start-up and the restore. After every kill the log must hold rows 1..n once each,
no entry twice, at least the rows of the log before, and those rows unchanged; the next run
restores the pass from it, so an entry drawn again after a restore shows up as a duplicate.

    killtest.py PROGRAM [--kills N] [--seed S] [--chains K] [--folder DIR]
"""
import argparse
import csv
import glob
import io
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

SETTINGS = (
    "[NUM]\r\nStart=1\r\nEnd=99999\r\nCent=1\r\nCount=100\r\n"
    "[DISPLAY]\r\nHelp=0\r\nSound=0\r\n"
    "[DRAW]\r\nMode=1\r\nIntervall=1\r\n"
)


def read_log(path):
    """The rows of a draw log as (number, game, entry); [] when there is none."""
    if not os.path.exists(path):
        return []
    data = open(path, "rb").read()
    if not data.startswith(b"\xff\xfe"):
        raise AssertionError(f"log without its byte-order mark ({len(data)} bytes)")
    if len(data) % 2:
        raise AssertionError("log with an odd number of bytes: torn")
    text = data[2:].decode("utf-16-le")
    if text and not text.endswith("\r\n"):
        raise AssertionError("log does not end with a whole line: torn")
    rows = []
    for cells in csv.reader(io.StringIO(text.replace("\r\n", "\n"))):
        if len(cells) != 3:
            raise AssertionError(f"row with {len(cells)} cells: {cells}")
        rows.append((int(cells[0]), cells[1], cells[2]))
    return rows


def check(rows, before):
    numbers = sorted(r[0] for r in rows)
    if numbers != list(range(1, len(rows) + 1)):
        raise AssertionError(f"draw numbers are not 1..{len(rows)}")
    entries = [r[2] for r in rows]
    if len(set(entries)) != len(entries):
        twice = sorted({e for e in entries if entries.count(e) > 1})
        raise AssertionError(f"entries drawn twice: {twice[:10]}")
    if len(rows) < len(before):
        raise AssertionError(f"log shrank from {len(before)} to {len(rows)} rows")
    now = {r[0]: r for r in rows}
    for row in before:
        if now.get(row[0]) != row:
            raise AssertionError(f"row {row[0]} changed: {row} -> {now.get(row[0])}")


def run_chain(program, kills, seed, folder, env):
    """One chain of runs in its own folder: start, kill, check, start again. Returns
    (error or None, draws in the pass, runs that drew, other files left in the folder)."""
    chance = random.Random(seed)
    name = os.path.splitext(os.path.basename(program))[0]
    log = os.path.join(folder, name + ".log")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name + ".ini"), "w", newline="") as ini:
        ini.write(SETTINGS)
    if os.path.exists(log):
        os.remove(log)
    before = []
    grew = 0
    for kill in range(1, kills + 1):
        rapid = chance.random() < 0.9
        if not rapid:
            life = chance.uniform(1.0, 2.5)
        elif chance.random() < 0.15:
            life = chance.uniform(0.02, 0.4)
        else:
            life = chance.uniform(0.25, 1.0)
        child = subprocess.Popen([program, folder] + (["rapid"] if rapid else []), env=env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(life)
        if child.poll() is not None:
            return f"run {kill}: the program ended by itself ({child.returncode})", 0, grew, 0
        child.send_signal(signal.SIGKILL)
        child.wait()
        try:
            rows = read_log(log)
            check(rows, before)
        except AssertionError as error:
            keep = log + f".kill{kill}"
            if os.path.exists(log):
                shutil.copy(log, keep)
            return f"kill {kill}: {error} (log kept as {keep})", len(before), grew, 0
        if len(rows) > len(before):
            grew += 1
        before = rows
    leftovers = [p for p in glob.glob(os.path.join(folder, "*"))
                 if not p.endswith((".log", ".ini"))]
    return None, len(before), grew, len(leftovers)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--kills", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--chains", type=int, default=1,
                        help="independent chains run side by side, each in a folder of its own "
                             "with a seed of its own; the kills are shared out among them")
    parser.add_argument("--folder")
    args = parser.parse_args()

    top = args.folder or tempfile.mkdtemp(prefix="tivrel-kill-")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    chains = max(1, args.chains)
    shares = [args.kills // chains + (1 if c < args.kills % chains else 0) for c in range(chains)]
    results = [None] * chains
    started = time.monotonic()

    def chain(c):
        # Chain 0 of a single chain keeps the seed and the folder as given.
        seed = args.seed if chains == 1 else args.seed * 1000 + c
        folder = top if chains == 1 else os.path.join(top, f"chain{c}")
        results[c] = run_chain(args.program, shares[c], seed, folder, env)

    threads = [threading.Thread(target=chain, args=(c,)) for c in range(chains)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()

    failed = False
    for c, (error, draws, grew, leftovers) in enumerate(results):
        print(f"chain {c}: {shares[c]} kills, {shares[c] if not error else 'not all'} logs checked, "
              f"{draws} draws in the pass, {grew} runs drew, {leftovers} other files left")
        if error:
            print(f"chain {c}: {error}")
            failed = True
        elif grew < shares[c] // 10:
            print(f"chain {c}: too few runs drew anything to tell")
            failed = True
    print(f"{args.kills} kills in {chains} chains, {time.monotonic() - started:.0f} s "
          f"(seed {args.seed})")
    if failed:
        return 1
    if not args.folder:
        shutil.rmtree(top)
    return 0


if __name__ == "__main__":
    sys.exit(main())
