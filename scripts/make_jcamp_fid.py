#!/usr/bin/env python3
"""Writes a Bruker experiment's FID as a JCAMP-DX 5.01 "NMR FID", in the form
a spectrometer's software exports one: the core and NMR labels (observe
frequency SFO1, acquisition mode, the shift reference of the first point of
the spectrum from procs OFFSET), every "##$" record of acqus (DECIM, DSPFVS,
GRPDLY, SW_h ... as acquired), then the FID as NTUPLES of a real and an
imaginary page, compressed in the DIF/DUP form with a Y check at every line
end and a check line after the last.

    scripts/make_jcamp_fid.py EXPERIMENT OUT.dx

EXPERIMENT is the folder of acqus and fid, with pdata/1/procs and title
beside them when there are. Only 32-bit integer FIDs (DTYPA 0) are written;
their values are the file's integers, so the JCAMP-DX FID holds the same
numbers as the Bruker one (FACTOR 1).
"""
import os
import struct
import sys


def read_records(path):
    """The "##" records of a Bruker parameter file: a list of (name, text)
    where text is the record's lines as written, and a dict of the values."""
    records, values = [], {}
    with open(path, "r", encoding="latin-1") as f:
        lines = f.read().splitlines()
    for line in lines:
        if line.startswith("##"):
            name, _, value = line[2:].partition("=")
            records.append([name, line])
            values[name] = value.strip()
        elif line.startswith("$$"):
            continue
        elif records:
            records[-1][1] += "\n" + line
    return records, values


def letter_form(value, zero, positive, negative):
    """A number whose sign and first digit are one letter: zero alone, else
    the digit 1 .. 9 as the letter of its place in positive or negative."""
    if value == 0:
        return zero
    text = str(abs(value))
    return (positive if value > 0 else negative)[int(text[0]) - 1] + text[1:]


def sqz(value):
    return letter_form(value, "@", "ABCDEFGHI", "abcdefghi")


def dif(value):
    return letter_form(value, "%", "JKLMNOPQR", "jklmnopqr")


def dup(count):
    text = str(count)
    return "STUVWXYZs"[int(text[0]) - 1] + text[1:]


def difdup_lines(values, width=80):
    """Lines "x y..." of the DIF/DUP form: each line starts with the index of
    its first value in SQZ form, then differences, runs of equal ones as a
    DUP count; the next line begins with the last value of this one (the Y
    check); a last line repeats the last value alone."""
    lines, start = [], 0
    n = len(values)
    while start < n - 1:
        line = "%d%s" % (start, sqz(values[start]))
        i = start + 1
        while i < n:
            d = values[i] - values[i - 1]
            run = 1
            while i + run < n and values[i + run] - values[i + run - 1] == d:
                run += 1
            item = dif(d) + (dup(run) if run > 1 else "")
            if len(line) + len(item) > width and i > start + 1:
                break
            if len(line) + len(item) > width:
                run = 1  # a single item longer than a line still goes on it
                item = dif(d)
            line += item
            i += run
        lines.append(line)
        start = i - 1
    lines.append("%d%s" % (n - 1, sqz(values[n - 1])))
    return lines


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, out = sys.argv[1], sys.argv[2]
    acqus, a = read_records(os.path.join(folder, "acqus"))
    procs_path = os.path.join(folder, "pdata", "1", "procs")
    p = read_records(procs_path)[1] if os.path.exists(procs_path) else {}
    if int(a.get("$DTYPA", "0")) != 0:
        sys.exit("only 32-bit integer FIDs are written")
    td = int(a["$TD"])
    big = int(a.get("$BYTORDA", "0")) == 1
    with open(os.path.join(folder, "fid"), "rb") as f:
        raw = f.read(4 * td)
    words = list(struct.unpack((">" if big else "<") + "%di" % td, raw))
    re, im = words[0::2], words[1::2]
    n = len(re)
    sw = float(a["$SW_h"])
    dwell = 1.0 / sw
    title_path = os.path.join(folder, "pdata", "1", "title")
    title = open(title_path, encoding="latin-1").read().strip() if os.path.exists(title_path) else "FID"
    solvent = a.get("$SOLVENT", "<>").strip("<>")
    mode = {0: "SINGLE", 1: "SIMULTANEOUS", 2: "SEQUENTIAL", 3: "SIMULTANEOUS"}[int(a["$AQ_mod"])]
    nucleus = a.get("$NUC1", "<1H>").strip("<>")

    h = []
    h.append("##TITLE= " + title)
    h.append("##JCAMP-DX= 5.01 $$ written by scripts/make_jcamp_fid.py")
    h.append("##DATA TYPE= NMR FID")
    h.append("##DATA CLASS= NTUPLES")
    h.append("##ORIGIN= " + a.get("ORIGIN", ""))
    h.append("##OWNER= " + a.get("OWNER", ""))
    h.append("##.OBSERVE FREQUENCY= " + a["$SFO1"])
    h.append("##.OBSERVE NUCLEUS= ^" + nucleus)
    h.append("##.ACQUISITION MODE= " + mode)
    h.append("##.AVERAGES= " + a.get("$NS", "1"))
    h.append("##SPECTROMETER/DATA SYSTEM= spect")
    h.append("##.PULSE SEQUENCE= " + a.get("$PULPROG", "<>").strip("<>"))
    h.append("##.SOLVENT NAME= " + solvent)
    if "$OFFSET" in p:
        # The point of a FID's shift reference is one of the spectrum after
        # its transform: point 1 is the left-most, at procs OFFSET.
        h.append("##.SHIFT REFERENCE= INTERNAL, %s, 1, %s" % (solvent, p["$OFFSET"]))
    for name, text in acqus:
        if name.startswith("$"):
            h.append(text)
    h.append("##NTUPLES= NMR FID")
    h.append("##VAR_NAME= TIME, FID/REAL, FID/IMAG, PAGE NUMBER")
    h.append("##SYMBOL= X, R, I, N")
    h.append("##VAR_TYPE= INDEPENDENT, DEPENDENT, DEPENDENT, PAGE")
    h.append("##VAR_FORM= AFFN, ASDF, ASDF, AFFN")
    h.append("##VAR_DIM= %d, %d, %d, 2" % (n, n, n))
    h.append("##UNITS= SECONDS, ARBITRARY UNITS, ARBITRARY UNITS,")
    h.append("##FACTOR= %.12g, 1, 1," % dwell)
    h.append("##FIRST= 0, %d, %d," % (re[0], im[0]))
    h.append("##LAST= %.12g, %d, %d," % ((n - 1) * dwell, re[-1], im[-1]))
    h.append("##MIN= 0, %d, %d," % (min(re), min(im)))
    h.append("##MAX= %.12g, %d, %d," % ((n - 1) * dwell, max(re), max(im)))
    for page, (symbol, values) in enumerate((("R", re), ("I", im)), 1):
        h.append("##PAGE= N=%d" % page)
        h.append("##DATA TABLE= (X++(%s..%s)), XYDATA" % (symbol, symbol))
        h.extend(difdup_lines(values))
    h.append("##END NTUPLES= NMR FID")
    h.append("##END=")
    with open(out, "w", encoding="latin-1", newline="\n") as f:
        f.write("\n".join(h) + "\n")


if __name__ == "__main__":
    main()
