#!/usr/bin/env python3
"""Checks a journal of Tivrel's verifiable draw without the program: Python 3 alone.

    verify_journal.py JOURNAL [LIST]

Prints "verified: N draws in M segments" (exit 0), "line N: why" for the first line that
fails (exit 1), or "incomplete: N draws verified, K wait for a seed that is not revealed"
(exit 2). LIST is the draw list file when the segments drew from one (a .csv list is read
with the layout each segment recorded). docs/verifiable-draw.md describes every field.
"""
import hashlib
import json
import os
import random
import re
import stat
import sys
from fractions import Fraction

ZEROS = "0" * 64
HEX64 = re.compile(r"[0-9a-f]{64}")


class Failed(Exception):
    pass


def sha256(data):
    return hashlib.sha256(data).digest()


# ---- The generator: MT19937 keyed by init_by_array (2002 reference code) with 8 words.

def generator(seed):
    key = [int.from_bytes(seed[i:i + 4], "little") for i in range(0, 32, 4)]
    mt = [19650218]
    for i in range(1, 624):
        mt.append((1812433253 * (mt[-1] ^ (mt[-1] >> 30)) + i) & 0xFFFFFFFF)
    i, j = 1, 0
    for _ in range(624):
        mt[i] = ((mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525)) + key[j] + j) & 0xFFFFFFFF
        i, j = i + 1, (j + 1) % len(key)
        if i >= 624:
            mt[0], i = mt[623], 1
    for _ in range(623):
        mt[i] = ((mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941)) - i) & 0xFFFFFFFF
        i += 1
        if i >= 624:
            mt[0], i = mt[623], 1
    mt[0] = 0x80000000
    rng = random.Random()
    rng.setstate((3, tuple(mt) + (624,), None))  # the standard library's own MT19937
    return lambda: rng.getrandbits(32)


def round_bits(x, bits):
    """x > 0 rounded to `bits` significant bits, ties to even (as the FPU rounds)."""
    if x == 0:
        return x
    e = x.numerator.bit_length() - x.denominator.bit_length()
    if Fraction(2) ** e > x:
        e -= 1
    scale = Fraction(2) ** (bits - 1 - e)
    q, r = divmod((x * scale).numerator, (x * scale).denominator)
    d = (x * scale).denominator
    if 2 * r > d or (2 * r == d and q % 2):
        q += 1
    return q / scale


def index_of(word, n, fmt):
    if fmt >= 2:  # exact: the first word below the largest multiple of n, its remainder
        limit = 2**32 - 2**32 % n
        w = word()
        while w >= limit:
            w = word()
        return w % n
    # Format 1: |signed word| / (2^31 - 1) in 80-bit extended precision, rounded to double,
    # times n in extended precision, truncated; at most n - 1.
    w = word()
    s = w - 2**32 if w >= 2**31 else w
    unit = round_bits(round_bits(Fraction(abs(s), 2**31 - 1), 64), 53)
    return min(int(round_bits(unit * n, 64)), n - 1)


# ---- The pool.

def range_text(v, width):
    digits = str(abs(v)).rjust(width, "0")
    return ("-" if v < 0 else "") + digits


def number_of(text):
    t = text.strip()
    if re.fullmatch(r"[+-]?[0-9]+", t) and -2**31 <= int(t) < 2**31:
        return int(t)
    return None


def segment_pool(o, entries):
    drawn = o["drawn"]
    if o["source"] == "list":
        pool = list(entries)
        places = {}
        for i, text in enumerate(pool):
            places.setdefault(text, set()).add(i)
        for text in drawn:  # the first equal entry leaves; the last entry takes its place
            if places.get(text):
                i, last = min(places[text]), len(pool) - 1
                places[text].discard(i)
                if i != last:
                    places[pool[last]].discard(last)
                    places[pool[last]].add(i)
                    pool[i] = pool[last]
                pool.pop()
        return pool
    lo, hi = min(o["min"], o["max"]), o["max"]
    width = len(str(hi)) if o["zeros"] else 0
    numbers = list(range(lo, hi + 1))
    places = {v: i for i, v in enumerate(numbers)}
    for text in drawn:
        v = number_of(text)
        if v in places:
            i, last = places.pop(v), numbers[-1]
            numbers[i] = last
            numbers.pop()
            if last != v:
                places[last] = i
    return [range_text(v, width) for v in numbers]


def digest(texts, quota=None):
    h = hashlib.sha256()
    for t in texts:
        h.update(t.encode("utf-8") + b"\n")
    if quota is not None:
        h.update(b"quota %d" % quota)
    return h.digest()


# ---- Draw lists: 8-bit text, one entry a line, or CSV rows.

CP1252 = {b: bytes([b]).decode("cp1252", "ignore") or chr(b) for b in range(0x80, 0xA0)}


def list_text(raw):
    if b"\0" in raw:
        raw, rest = raw.split(b"\0", 1)
        if rest.strip(b"\0"):
            return None
    if raw.startswith(b"\xef\xbb\xbf"):
        raw = raw[3:]
    if any((b < 0x20 and b not in b"\t\n\v\f\r\x1a") or b == 0x7F for b in raw):
        return None
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("latin-1").translate({b: c for b, c in CP1252.items()})


def csv_rows(text, sep):
    pos, n = 0, len(text)
    while pos < n:
        cells = []
        while True:
            cell = ""
            if pos < n and text[pos] == '"':
                pos += 1
                while True:
                    q = text.find('"', pos)
                    if q < 0:
                        cell, pos = cell + text[pos:], n
                        break
                    cell, pos = cell + text[pos:q], q + 1
                    if pos < n and text[pos] == '"':
                        cell, pos = cell + '"', pos + 1
                        continue
                    break
            end = pos
            while end < n and text[end] not in (sep, "\n", "\r"):
                end += 1
            cells.append(cell + text[pos:end])
            pos = end
            if pos >= n:
                break
            if text[pos] == sep:
                pos += 1
                if pos >= n:
                    cells.append("")
                    break
                continue
            pos += 2 if text[pos:pos + 2] == "\r\n" else 1
            break
        yield cells


def csv_entries(text, layout):
    columns = [c - 1 for c in layout["columns"]]
    count, header = layout["count"] - 1, layout["header"] is True
    needed = max(columns + [count]) + 1
    entries = []
    for row, cells in enumerate(csv_rows(text, layout["separator"][:1] or ","), 1):
        if (row == 1 and header) or len(cells) < needed:
            continue
        tickets = 1
        if count >= 0:
            m = re.fullmatch(r"([+-]?)([0-9]+)", cells[count].strip())
            if not m or (m.group(1) == "-" and int(m.group(2)) > 0):
                continue
            tickets = int(m.group(2))
        if tickets > 999999 - len(entries):
            continue
        entries += [" ".join(cells[c] for c in columns if cells[c])] * tickets
    return entries


def read_list(path, o):
    with open(path, "rb") as f:
        text = list_text(f.read())
    if text is None:
        return None
    if o["csv"]:
        return csv_entries(text, o["csv"])
    lines = re.split(r"\r\n|\r|\n", text)
    return lines[:-1] if lines[-1] == "" else lines


# ---- The journal.

def num(o, key, default=0):
    v = o.get(key)
    ok = isinstance(v, (int, float)) and not isinstance(v, bool) and v == int(v)
    return int(v) if ok and -2**31 <= v < 2**31 else default


def text_of(o, key):
    v = o.get(key)
    return v if isinstance(v, str) else ""


def start_of(o):
    """The fields of a segment's first line, as the program reads them."""
    csv = o.get("csv")
    return {
        "pass": num(o, "pass"), "segment": num(o, "segment"), "commit": text_of(o, "commit"),
        "quota": num(o, "quota"), "source": text_of(o, "source"), "lines": num(o, "lines"),
        "list": text_of(o, "list"), "min": num(o, "min"), "max": num(o, "max"),
        "zeros": o.get("zeros") is True, "word": text_of(o, "word"),
        "format": num(o, "format", 1), "after": text_of(o, "after"),
        "csv": {"columns": [num({"c": c}, "c") for c in csv.get("columns", [])]
                if isinstance(csv.get("columns"), list) else [],
                "count": num(csv, "count"), "header": csv.get("header") is True,
                "separator": text_of(csv, "separator")} if isinstance(csv, dict) else None,
        "drawn": [v if isinstance(v, str) else "" for v in o.get("drawn", [])]
        if isinstance(o.get("drawn"), list) else [],
    }


def verify(lines, list_path):
    def parse(line):
        try:
            o = json.loads(line.decode("utf-8"), parse_constant=lambda c: 1 / 0)
        except (ValueError, ZeroDivisionError):
            return None
        return o if isinstance(o, dict) else None

    seeds = {}
    for line in lines:
        o = parse(line) or {}
        if "reveal" in o and HEX64.fullmatch(text_of(o, "reveal")):
            seeds[num(o, "segment")] = bytes.fromhex(o["reveal"])
    prev, last_reveal, seg, last_pass, segments, verified = ZEROS, ZEROS, None, 0, 0, 0
    pass_draws, last_of_segment = [], None
    for n, line in enumerate(lines, 1):
        def fail(why):
            raise Failed("line %d: %s" % (n, why))
        o = parse(line)
        if o is None:
            fail("not a journal record")
        if text_of(o, "prev") != prev:
            fail("does not follow the line before it")
        previous, prev = prev, hashlib.sha256(line).hexdigest()
        p = num(o, "pass")
        if "commit" in o:
            if seg:
                fail("a new segment begins while segment %d is not revealed" % seg["segment"])
            s = start_of(o)
            if not 1 <= s["format"] <= 2:
                fail("format %d is not known" % s["format"])
            if s["segment"] != segments + 1:
                fail("segment %d where segment %d was due" % (s["segment"], segments + 1))
            if s["format"] >= 2 and s["after"] != last_reveal:
                fail("does not name the reveal of the segment before it")
            if p < last_pass:
                fail("pass %d after pass %d" % (p, last_pass))
            if not HEX64.fullmatch(s["commit"]):
                fail("the commitment is not 64 hex digits")
            csv = s["csv"]
            if csv and (not csv["columns"] or min(csv["columns"]) < 1 or csv["count"] < 0):
                fail("the list layout names no valid column")
            entries = []
            if s["source"] == "list":
                if not list_path:
                    fail("the segment draws from a list: give the list file")
                entries = read_list(list_path, s)
                if entries is None:
                    fail("the list file cannot be read as the segment's list")
                if digest(entries).hex() != s["list"] or len(entries) != s["lines"]:
                    fail("the list file is not the list this segment drew from")
            if p != last_pass:
                pass_draws, last_of_segment = [], None
            # Every entry drawn earlier in the pass stays out of the pool; in format 1 the
            # last draw of the segment before may be missing (it never reached the results).
            left = list(s["drawn"])
            for entry, at in list(pass_draws):
                if entry in left:
                    left.remove(entry)
                elif s["format"] < 2 and at == last_of_segment:
                    pass_draws.remove((entry, at))
                else:
                    fail("the entry %s drawn at line %d is back in the pool" % (entry, at))
            s["pool"] = segment_pool(s, entries)
            s["draws"], s["line"], s["word_of"], s["last_draw"] = 0, n, None, 0
            random_bytes = seeds.get(s["segment"])
            if random_bytes:
                seed = random_bytes if not s["word"] else sha256(
                    random_bytes + s["word"].encode("utf-8"))
                if sha256(seed + digest(s["pool"], s["quota"])).hex() == s["commit"]:
                    s["word_of"] = generator(seed)
            last_pass, segments, seg = p, segments + 1, s
        elif "entry" in o:
            if not seg:
                fail("a draw outside a segment")
            if p != seg["pass"]:
                fail("a draw of pass %d in pass %d" % (p, seg["pass"]))
            due = len(seg["drawn"]) + seg["draws"] + 1
            if num(o, "draw") != due:
                fail("draw %d where draw %d was due" % (num(o, "draw"), due))
            if due > seg["quota"]:
                fail("draw %d is beyond the quota of %d" % (due, seg["quota"]))
            if not seg["pool"]:
                fail("a draw from an empty pool")
            entry = text_of(o, "entry")
            if seg["word_of"]:
                pool = seg["pool"]
                i = index_of(seg["word_of"], len(pool), seg["format"])
                if entry != pool[i]:
                    fail("entry %s, but the seed draws %s" % (entry, pool[i]))
                pool[i] = pool[-1]
                pool.pop()
                verified += 1
            seg["draws"] += 1
            seg["last_draw"] = n
            pass_draws.append((entry, n))
        elif "reveal" in o:
            if not seg or num(o, "segment") != seg["segment"]:
                fail("reveals a seed of no open segment")
            if not HEX64.fullmatch(text_of(o, "reveal")):
                fail("the seed is not 64 lowercase hex digits")
            if not seg["word_of"]:
                fail("the seed and the pool do not give the commitment of line %d" % seg["line"])
            anchored = seg["format"] >= 2
            if (anchored or "draws" in o) and num(o, "draws", -1) != seg["draws"]:
                fail("the segment made %d draws, the journal holds %d"
                     % (num(o, "draws", -1), seg["draws"]))
            if (anchored or "last" in o) and text_of(o, "last") != previous:
                fail("the segment's last line is not the line before the reveal")
            last_of_segment = seg["last_draw"] if seg["draws"] else None
            last_reveal, seg = prev, None
        else:
            fail("neither a segment, a draw nor a seed")
    if seg:
        return 2, "incomplete: %d draws verified, %d wait for a seed that is not revealed" % (
            verified, seg["draws"])
    return 0, "verified: %d draws in %d segments" % (verified, segments)


def read_journal(path):
    mode = os.lstat(path).st_mode
    if stat.S_ISLNK(mode):
        raise Failed("not a journal: a symbolic link, not a journal the program wrote")
    if not stat.S_ISREG(mode):
        raise Failed("not a journal: not a plain file")
    content = bytearray()
    with open(path, "rb") as f:
        for piece in iter(lambda: f.read(1 << 20), b""):
            if b"\0" in piece:
                raise Failed("not a journal: holds NUL bytes")
            content += piece
    lines = bytes(content).split(b"\n")
    if lines.pop():
        print("note: line %d was cut off unfinished and is left out" % (len(lines) + 1))
    if not lines:
        raise Failed("line 1: no whole line: not a journal")
    return lines


def main(argv):
    if len(argv) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 1
    try:
        code, report = verify(read_journal(argv[1]), argv[2] if len(argv) == 3 else None)
    except (Failed, OSError) as e:
        code, report = 1, str(e)
    print(report)
    return code


if __name__ == "__main__":
    sys.exit(main(sys.argv))
