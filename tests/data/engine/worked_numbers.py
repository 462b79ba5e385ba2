#!/usr/bin/env python3
"""The gear formulas worked independently of the program, in double precision, as used to
obtain the expected numbers of calculations.txt and inspections.txt that their comments do not
work by hand. Run it to print them; nothing reads it.

    python3 tests/data/engine/worked_numbers.py
"""
from math import *
def inv(a): return tan(a) - a
def inv_inverse(x):
    lo, hi = 0.0, pi/2 - 1e-12
    for _ in range(200):
        m = (lo+hi)/2
        if inv(m) < x: lo = m
        else: hi = m
    return lo
def pins(N, P, pa, t, d, external=True, helix=0.0):
    a, h = radians(pa), radians(helix)
    at = atan(tan(a)/cos(h)); D = N/(P*cos(h)); Db = D*cos(at)
    bh = atan(tan(h)*cos(at)); dt = d/cos(bh); tt = t/cos(h)
    x = dt/Db + tt/D + inv(at) - pi/N if external else tt/D + inv(at) - dt/Db
    phi = inv_inverse(x); D2 = Db/cos(phi)
    c = cos(pi/2/N) if N % 2 else 1.0
    M = c*D2 + d if external else c*D2 - d
    g = tan(phi) - d*cos(bh)/Db if external else tan(phi) + d*cos(bh)/Db
    contact = Db/cos(atan(g))
    radial = (D2 + d)/2 if external else (D2 - d)/2
    K = cos(at if helix else a)*(1 if helix else c)/sin(phi)
    return dict(M=M, phi=degrees(phi), contact=contact, radial=radial, K=K, D=D, Db=Db)
def tipland(N, P, pa, t, Ro, external=True, helix=0.0):
    a = radians(pa); R = N/P/2/cos(radians(helix))
    th = t if external else pi/P - t
    th /= cos(radians(helix))
    c = min(R*cos(a)/Ro, 1.0); po = acos(c)
    land = 2*Ro*(th/(2*R) + inv(a) - inv(po)) if external else 2*Ro*(th/(2*R) - inv(a) + inv(po))
    return land*cos(radians(helix))
def rnd(r):
    if r == 0: return 0.0
    if 0 < r <= 0.00004: r = 0.00004
    if 0.00004 < r <= 0.001: r = floor(r*1e5 + 0.7)/1e5
    elif 0.001 < r <= 0.01: r = floor(r*1e4 + 0.7)/1e4
    elif r > 0.01: r = floor(r*1e3 + 0.7)/1e3
    return r
def tol(Q, N, P, helix=0.0, F=1.0):
    NT = N/cos(radians(helix)); D = N/(P*cos(radians(helix)))
    common = NT < 6 or NT > 1200 or NT > 400*P
    grade = 1.4**(8-Q)
    run = 0 if (common or Q<3 or Q>15 or P<0.5 or (P>8 and Q<6) or (P>20 and Q>6)) else 58*NT**0.238*P**-0.722*grade
    pv = 0 if (common or Q<6 or P<0.5 or P>20 or Q>15) else 10.5*NT**0.177*P**-0.401*1.42**(8-Q)
    pr = 0 if (common or Q<8 or P<0.5 or P>20 or Q>15) else 21.5*NT**0.154*P**-0.589*grade
    L = -0.00244*Q**3 + 0.13638*Q**2 - 2.69177*Q + 18.956
    ld = 0 if (common or Q<8 or P<0.5 or P>20 or Q>15 or F>10) else (L if F <= 1 else L*F**0.72)
    comp = common or Q<5 or (Q==5 and P<12) or (5<Q<15 and P<0.5) or (Q==15 and P<20) or P>120
    if NT <= 20: tt = 54.7*NT**-0.24*P**-0.24*grade
    elif NT <= 32: tt = 38.2*NT**-0.13*P**-0.23*grade
    else: tt = 25*P**-0.24*grade
    tt = 0 if comp else tt
    tot = 0
    if not comp:
        g = log10(P); c1 = 5.0337*g - 0.5153; c2 = (20.2/P)**0.24; c3 = P**-0.15
        B = 1.16**(10-c1)*grade
        if NT <= 20.2:
            tot = 15*c2**c3*B
            if P >= 20: tot -= 0.075*(20/P - D)*(20 - P)
        else:
            tot = 14.5*((NT/P)**0.24)**c3*B
    raw = [x*1e-4 for x in (run, pv, pr, ld, tt, tot)]
    return raw, [rnd(x) for x in raw]

if __name__ == "__main__":
    print("over pins of a thickness, 24 teeth P10 20 deg, 0.1728 pins:")
    for t in (pi/20, 0.155, 0.1530796, 0.1510796, 0.1530005, pi/20 + 0.005):
        print(f"  t {t:.7f}: {pins(24, 10, 20, t, 0.1728)}")
    print("helical 30 deg:", pins(24, 10, 20, pi/20, 0.1728, True, 30))
    print("internal 60 teeth, 0.144:", pins(60, 10, 20, pi/20, 0.144, False))
    print("tip lands: 24 teeth t 0.167999", tipland(24, 10, 20, 0.167999, 1.3),
          "helical 30", tipland(24, 10, 20, 0.15708, (24/(10*cos(radians(30))) + 0.2)/2, True, 30),
          "internal 20 teeth on the base circle", tipland(20, 10, 20, pi/20, cos(radians(20)), False))
    for row in [(10, 24, 10), (6, 40, 10), (7, 24, 20.5), (16, 24, 10), (10, 1200, 10), (12, 33, 10)]:
        print("tolerances Q N P", row, tol(*row))
