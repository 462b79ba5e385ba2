#!/usr/bin/env python3
"""Reviews the golden files against the gear formulas worked apart from the program (the
engine tests' worked_numbers.py): every dimension over or between pins or balls, contact
diameter, radial dimension, K factor, span, chordal and circular thickness, pitch and base
diameter, and the AGMA tolerances, of every command whose gear it can work. Prints each
mismatch and a count; nothing reads it. Run after INVOLVO_GOLDEN_UPDATE=1, before committing.

    python3 tests/data/golden/review.py
"""
import json, re, shlex, sys
from math import *
from pathlib import Path
here = Path(__file__).parent
sys.path.insert(0, str(here.parent / "engine"))
from worked_numbers import pins, inv, tol  # noqa: E402

TOL = 3e-6

def options(line):
    args, o, i = shlex.split(line.replace("@TOOL@ ", "")), {}, 0
    while i < len(args):
        name = args[i][2:]
        if name in ("internal", "json", "sheet", "measuring", "help"):
            o[name] = True; i += 1
        else:
            o[name] = args[i + 1]; i += 2
    return o

def rows_of(text):
    """caption -> [value, transverse] of every page row of a --json or table output."""
    rows = {}
    if text.startswith("{"):
        for page in json.loads(text)["pages"].values():
            for r in page["rows"]: rows[r[0].strip()] = r[1:]
        return rows
    for line in text.splitlines():
        m = re.match(r"^  (\S.*?)\s{2,}(\S.*)$", line)
        if m: rows[m.group(1).strip()] = m.group(2).split("  ")
    return rows

def numbers(cell):
    return [float(x) for x in cell.split(" / ")] if re.match(r"^-?\.?\d", cell) else None

class Gear:
    def __init__(s, o):
        s.N = int(o["teeth"]); s.P = float(o["pitch"].split("/")[0])
        s.pa = float(o.get("pressure-angle", 20)); s.h = float(o.get("helix", 0))
        s.ext = "internal" not in o
        a, h = radians(s.pa), radians(s.h)
        s.at = atan(tan(a) / cos(h)); s.D = s.N / (s.P * cos(h)); s.Db = s.D * cos(s.at)
        s.bh = atan(tan(h) * cos(s.at))
    def over_pins(s, t, d): return pins(s.N, s.P, s.pa, t, d, s.ext, s.h)
    def span(s, t, k):
        return (k - 1) * pi / s.P * cos(radians(s.pa)) + (inv(s.at) + t / (s.D * cos(radians(s.h)))) * s.Db * cos(s.bh)
    def thickness_of_span(s, W, k):
        return ((W - (k - 1) * pi / s.P * cos(radians(s.pa))) / (s.Db * cos(s.bh)) - inv(s.at)) * s.D * cos(radians(s.h))
    def thickness_of_pins(s, M, d):
        lo, hi = 0.0, pi / s.P
        for _ in range(100):
            mid = (lo + hi) / 2
            try:
                grows = s.over_pins(mid, d)["M"] < M
            except ZeroDivisionError:
                grows = True
            if grows: lo = mid
            else: hi = mid
        return lo
    def chordal(s, t):
        tt = t / cos(radians(s.h)); return s.D * sin(tt / s.D) * cos(radians(s.h))

def whole_depth(o, g):
    """The whole depth and addendum of the depth system, from its table."""
    system, P = int(o.get("depth-system", 1)), g.P
    Pd = float(o["pitch"].split("/")[1]) if "/" in o["pitch"] else P
    add = 1 / P
    table = {1: 2.25 / P if P < 20 else 2.2 / P + 0.002, 2: 2.157 / P, 3: 2.335 / P,
             4: {14.5: 2.44 / P, 20: 2.35 / P, 25: 2.25 / P}.get(g.pa),
             5: 2.35 / P if P < 20 else 2.4 / P + 0.002, 6: 1.8 / P, 7: 2.0 / P, 8: 2.25 / Pd,
             9: float(o.get("cutter-depth", 0))}
    if system == 7: add = 1.2 / P
    if system == 8: add = 1.25 / Pd
    return (table[system], add) if table[system] else None

def expected(o, rows):
    """The numbers worked for one command: caption -> list of values (one, or both ends of a band)."""
    g = Gear(o)
    mode = o.get("mode", "pins")
    feature = o.get("feature", "")
    if feature and feature not in ("Circular Tooth Thickness", "Circular Space Width", "Span Measurement",
                                   "Dimension Over Pins", "Dimension Between Pins"):
        return {}
    pin_caption = next((c for c in rows if c in ("Pin Diameter", "Ball Diameter")), None)
    span_caption = next((c for c in rows if c.startswith("Span Meas. Over")), None)
    k = int(re.search(r"\((\d+)\)", span_caption).group(1)) if span_caption else None
    d = numbers(rows[pin_caption][0])[0] if pin_caption else None
    values = [float(v) for v in o["value"].split("/")] if "value" in o else None
    # an O.D. enlarged by x thickens the tooth (narrows the space) by x tan(a) at the pitch circle; on a
    # helical gear the rack moves as far in the normal plane, so the normal thickness by x tan(a normal)
    change = float(o.get("od-change", 0)) * tan(radians(g.pa))
    if mode == "thickness" and values:
        if feature == "Span Measurement":
            ts = [g.thickness_of_span(W, int(o["pin"])) for W in values]
        else:
            ts = [g.thickness_of_pins(M, d) for M in values]
    else:
        # without a value, the basic one the screen offers: the tooth comes out basic
        if change and values: return {}
        ts = values or [pi / (2 * g.P) + change]
    e = {"Pitch Diameter": [g.D], "Base Circle Diameter": [g.Db],
         "Circular Tooth Thickness": ts, "Circular Space Width": ts}
    chord = "Chordal Tooth Thickness" if g.ext else "Chordal Space Width"
    e[chord] = [g.chordal(t) for t in ts]
    if span_caption and g.ext: e[span_caption] = [g.span(t, k) for t in ts]
    if d:
        w = [g.over_pins(t, d) for t in ts]
        for c in rows:
            if c.startswith("Dimension Over") or c.startswith("Dimension Between"): e[c] = [x["M"] for x in w]
            if c.endswith("Contact Diameter"): e[c] = [x["contact"] for x in w]
            if c.startswith("Radial Dimension"): e[c] = [x["radial"] for x in w]
        # the K factor is that of the basic thickness, whatever was entered
        if feature != "Span Measurement" and "od-change" not in o:
            e["K Factor"] = [g.over_pins(pi / (2 * g.P), d)["K"]]
    depth = whole_depth(o, g)
    if depth and g.ext and "od-change" not in o:
        whole, add = depth
        e.update({"Whole Depth": [whole], "Addendum": [add], "Dedendum": [whole - add],
                  "Outside Diameter": [g.D + 2 * add], "Root Diameter (Basic)": [g.D + 2 * add - 2 * whole]})
    q = o.get("quality")
    if q and q.isdigit():
        raw, rounded = tol(int(q), g.N, g.P, g.h, float(o.get("face-width", 1)))
        for c, v in zip(["Runout Tolerance", "Pitch Variation Allowable", "Profile Tolerance",
                         "Tooth Alignment (Lead)", "Tooth To Tooth Composite", "Total Composite"], rounded):
            e[c] = [v]
    return e

def review():
    checked = wrong = 0
    for path in sorted(here.glob("*.txt")):
        blocks = re.split(r"^\$ (.*)$", path.read_text(), flags=re.M)
        for line, out in zip(blocks[1::2], blocks[2::2]):
            if "--batch" in line or "[exit" in out: continue
            o = options(line)
            if "teeth" not in o or "pitch" not in o: continue
            rows = rows_of(out.strip("\n"))
            for caption, want in expected(o, rows).items():
                if caption not in rows: continue
                got = numbers(rows[caption][0])
                if got is None: continue
                digits = len(rows[caption][0].split(" / ")[0].split(".")[-1])
                slack = max(TOL, 0.6 * 10 ** -digits)
                if caption.endswith("Contact Diameter"): slack = 6e-6  # kept to 5 decimals
                for x, y in zip(want, got):
                    checked += 1
                    if abs(x - y) > slack:
                        wrong += 1
                        print(f"{path.name}: $ {line}\n   {caption}: shows {y}, worked {x:.7f}")
    print(f"{checked} numbers checked, {wrong} differ")
    return wrong == 0

if __name__ == "__main__":
    sys.exit(0 if review() else 1)
