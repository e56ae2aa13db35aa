#!/usr/bin/python3
"""Writes pe_walls.expected, the PE gas pipe rows the built-in SDR 11 and SDR 17 series are
checked against.

The walls come from pandapipes' table of PE 100 pipe (pandapipes_pe.csv, copied from it with its
source named), as (outside - inside) / 2, a source independent of ours. Only the sizes of our
series (de20 to de630) are written. That table serves water as well as gas; where it gives less
than the gas pipe's minimum wall of 3.0 mm (de20 to de32 SDR 11, walls for water), the gas
minimum is written. Where it disagrees with the printed standard, the printed wall is written,
with the reason on a comment line. Run it again after a change of the table:
    tests/core/make_pe_walls.py > tests/core/pe_walls.expected
"""
import csv
import pathlib
from decimal import Decimal

SOURCE = pathlib.Path(__file__).with_name("pandapipes_pe.csv")
GAS_MINIMUM = Decimal("3.0")
OUTSIDES = range(20, 631)  # the sizes of the built-in series, de20 to de630
# (SDR, outside): (printed wall, why pandapipes differs)
PRINTED = {
    (11, 450): (Decimal("40.9"), "ISO 4065 S5 and the national tables print 40.9; pandapipes' "
                                 "inside diameter 368.0 gives 41.0"),
}

rows = [line for line in SOURCE.read_text().splitlines() if not line.startswith("#")]
print("# series designation outside wall bore (mm), from pandapipes' PE 100 table")
for sdr in (11, 17):
    for row in csv.DictReader(rows, delimiter=";"):
        if not row["std_type"].endswith(f"_PE_100_SDR_{sdr}"):
            continue
        outside = Decimal(row["outer_diameter_mm"])
        if int(outside) not in OUTSIDES:
            continue
        wall = (outside - Decimal(row["inner_diameter_mm"])) / 2
        if wall < GAS_MINIMUM:
            print(f"# de{outside.normalize():f}: {wall:f} is a water pipe's wall; gas needs {GAS_MINIMUM}")
            wall = GAS_MINIMUM
        if (sdr, int(outside)) in PRINTED:
            wall, why = PRINTED[(sdr, int(outside))]
            print(f"# de{outside.normalize():f}: {why}")
        o = outside.normalize()
        print(f"pe-sdr{sdr} de{o:f} {o:f} {wall:.1f} {(outside - 2 * wall).normalize():f}")
