#!/usr/bin/python3
"""Writes schedule40.expected, the steel Schedule 40 rows the built-in table is checked against.

The dimensions come from python3-fluids (fluids.piping), a source independent of ours; the DN
of each NPS is the usual metric designation. Run it again after a change of the table:
    tests/core/make_schedule40.py > tests/core/schedule40.expected
"""
from decimal import Decimal

from fluids.piping import nearest_pipe

DN_OF_NPS = {0.5: 15, 0.75: 20, 1: 25, 1.25: 32, 1.5: 40, 2: 50, 2.5: 65, 3: 80, 3.5: 90,
             4: 100, 5: 125, 6: 150, 8: 200, 10: 250, 12: 300, 14: 350, 16: 400, 18: 450,
             20: 500, 24: 600}


def mm(metres):
    """Metres as fluids holds them, in mm to 0.01 as the standard prints them."""
    return Decimal(repr(metres * 1000)).quantize(Decimal("0.01"))


print("# designation outside wall bore (mm), from fluids.piping Schedule 40")
for nps, dn in DN_OF_NPS.items():
    _, inside, outside, wall = nearest_pipe(NPS=nps, schedule="40")
    o, w = mm(outside), mm(wall)
    assert mm(inside) == o - 2 * w, nps
    print(f"DN{dn} {o.normalize():f} {w.normalize():f} {(o - 2 * w).normalize():f}")
