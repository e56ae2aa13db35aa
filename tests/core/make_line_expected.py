#!/usr/bin/python3
"""Writes line.expected, the gas lines the line calculation is checked against.

Each line is worked out here from the printed formulas, independently of the program:
- friction factor: 64/Re up to Re 2100, the design code's interpolation up to 3500, above it
  python3-fluids' Colebrook solution (fluids.friction, Method='Colebrook'); Re = 4Q/(3600·π·d·ν0);
- low pressure (inlet < 0.01 MPa), per segment in Pa: ΔPf = 6.26e7·λ·Q²/d⁵·ρ0·T/T0·L,
  ΔPl = ΔPf·a/100, ΔH = 9.8·(ρair − ρ0)·h, outlet = inlet − ΔPf − ΔPl + ΔH;
- medium and high pressure, absolute in kPa: P2a² = P1a² − 1.27e10·λ·Q²/d⁵·ρ0·T/T0·Z·Le/1000
  with Le = L·(1 + a/100); the friction part is the same with L, the head is not counted;
- the velocity at a segment's inlet: Q·(101.325/P1a)·(T/T0)·Z/3600 over the bore's area;
- the allowance in kPa, or 0.75·Pn + 150 Pa from the appliances' pressure;
- sizing by the average unit drop: the allowance less the given segments' losses (plus the
  head gained along the line at low pressure; at medium pressure P1a² − (P1a − ΔPd)² less
  their K·Le), over the sized segments' effective length; each takes the smallest pipe whose
  loss per metre of effective length is within it (and its inlet velocity within the maximum).
Pipe bores come from the independent tables the series are checked against (pe_walls.expected
from pandapipes, schedule40.expected from fluids.piping); the walls' roughness is the design
code's: 0.01 mm for polyethylene, 0.1 mm for steel.
The defaults are the program's: 15 °C, 0.75 kg/Nm³, 15e-6 m²/s, Z = 1, 101.325 kPa, 0.1 mm,
a local share of 10 %, air at 1.293 kg/Nm³.
Run it again after a change of the cases:
    tests/core/make_line_expected.py > tests/core/line.expected
"""
import pathlib
from math import pi, sqrt

from fluids.friction import friction_factor

HERE = pathlib.Path(__file__).parent
T0, T_C, NU0, ATM, K_LINE, SHARE, AIR = 273.15, 15.0, 15e-6, 101.325, 0.1, 10.0, 1.293


def series_tables():
    tables = {"pe-sdr11": [], "steel": []}
    for text in (HERE / "pe_walls.expected").read_text().splitlines():
        if text.startswith("pe-sdr11 "):
            _, name, _, _, bore = text.split()
            tables["pe-sdr11"].append((name, float(bore)))
    for text in (HERE / "schedule40.expected").read_text().splitlines():
        if not text.startswith("#"):
            name, _, _, bore = text.split()
            tables["steel"].append((name, float(bore)))
    return tables


SERIES = series_tables()
ROUGHNESS = {"pe-sdr11": 0.01, "steel": 0.1}


def friction(re, relative_roughness):
    if re <= 2100:
        return 64 / re
    if re <= 3500:
        return 0.03 + (re - 2100) / (65 * re - 1e5)
    return friction_factor(re, eD=relative_roughness, Method="Colebrook")


def seg_hydraulics(line, seg, bore, roughness, inlet):
    """Re, λ, loss per metre of effective length, inlet velocity."""
    t_ratio = (T_C + T0) / T0
    re = 4 * seg["flow"] / (3600 * pi * (bore / 1000) * NU0)
    lam = friction(re, roughness / bore)
    common = lam * seg["flow"] ** 2 / bore ** 5 * line["density"] * t_ratio
    per_metre = 6.26e7 * common if line["inlet"] < 0.01 else 1.27e10 * common * line["z"] / 1000
    velocity = (seg["flow"] * (101.325 / (1000 * inlet + ATM)) * t_ratio * line["z"] / 3600
                / (pi / 4 * (bore / 1000) ** 2))
    return re, lam, per_metre, velocity


def share_of(line, seg):
    return seg["share"] if seg["share"] is not None else line["share"]


def compute(line, segs):
    low = line["inlet"] < 0.01
    allowed = line["allowed"]
    if line["appliance"] is not None:
        allowed = (0.75 * line["appliance"] + 150) / 1000
    out = {"segments": [], "check": "NotChecked", "outlet": None, "drop": 0.0, "unit": None,
           "run_out": None, "failed": None}

    def known(seg):
        if seg["bore"] is not None:
            return seg["bore"], seg["k"] if seg["k"] is not None else line["k"]
        k = seg["k"] if seg["k"] is not None else ROUGHNESS[seg["series"]]
        return dict(SERIES[seg["series"]])[seg["pipe"]], k

    def head(seg):
        return 9.8 * (AIR - line["density"]) * seg["rise"]

    to_size = [s for s in segs if s["bore"] is None and s["pipe"] is None]
    if to_size:
        given = sum(seg_hydraulics(line, s, *known(s), line["inlet"])[2]
                    * s["length"] * (1 + share_of(line, s) / 100)
                    for s in segs if s not in to_size)
        allowed_here = min(allowed, 1000 * line["inlet"])
        if low:
            budget = 1000 * allowed_here - given + sum(head(s) for s in segs)
        else:
            p1a = 1000 * line["inlet"] + ATM
            budget = p1a ** 2 - (p1a - allowed_here) ** 2 - given
        out["unit"] = budget / sum(s["length"] * (1 + share_of(line, s) / 100) for s in to_size)

    inlet = line["inlet"]
    for index, seg in enumerate(segs):
        a = share_of(line, seg)
        le = seg["length"] * (1 + a / 100)
        if seg in to_size:
            if not out["unit"] > 0:
                out["check"], out["failed"] = "NoBudget", index
                return out
            k = seg["k"] if seg["k"] is not None else ROUGHNESS[seg["series"]]
            chosen = None
            for name, bore in SERIES[seg["series"]]:
                h = seg_hydraulics(line, seg, bore, k, inlet)
                if h[2] <= out["unit"] and (line["vmax"] is None or h[3] <= line["vmax"]):
                    chosen = name, bore, k, h
                    break
            if chosen is None:
                out["check"], out["failed"] = "NoPipe", index
                return out
            name, bore, k, h = chosen
        else:
            bore, k = known(seg)
            name = seg["pipe"] or "-"
            h = seg_hydraulics(line, seg, bore, k, inlet)
        re, lam, per_metre, velocity = h
        result = {"pipe": name, "bore": bore, "inlet": inlet, "outlet": None, "friction": 0.0,
                  "local": 0.0, "head": 0.0, "reach": 0.0, "re": re, "lambda": lam,
                  "per_metre": per_metre, "velocity": velocity}
        if low:
            f = per_metre * seg["length"]
            l = f * a / 100
            dh = head(seg)
            left = (inlet * 1e6 - f - l + dh) / 1e6
            if left > inlet * 1e-12:
                result.update(outlet=left, friction=f / 1000, local=l / 1000, head=dh / 1000)
            else:
                result["reach"] = min(inlet * 1e6 * seg["length"] / (f + l - dh), seg["length"])
        else:
            p1a = 1000 * inlet + ATM
            squares = p1a ** 2 - per_metre * le
            if squares > ATM ** 2 and sqrt(squares) - ATM > 1e-12 * 1000 * inlet:
                total = p1a - sqrt(squares)
                fr = p1a - sqrt(p1a ** 2 - per_metre * seg["length"])
                result.update(outlet=(sqrt(squares) - ATM) / 1000, friction=fr, local=total - fr)
            else:
                result["reach"] = min((p1a ** 2 - ATM ** 2) / (per_metre * (1 + a / 100)),
                                      seg["length"])
        out["segments"].append(result)
        if result["outlet"] is None:
            out["check"], out["run_out"] = "RunsOut", index
            return out
        inlet = result["outlet"]
    out["outlet"] = inlet
    out["drop"] = 1000 * (line["inlet"] - inlet)
    if allowed is not None:
        # At most the allowance passes, both as printed to 15 significant digits.
        printed = lambda value: float(f"{value:.15g}")
        out["check"] = "Within" if printed(out["drop"]) <= printed(allowed) else "Over"
    return out


def line(label, inlet, density=0.75, z=1.0, allowed=None, appliance=None, vmax=None,
         share=SHARE, k=K_LINE):
    return dict(label=label, inlet=inlet, density=density, z=z, allowed=allowed,
                appliance=appliance, vmax=vmax, share=share, k=k)


def seg(name, length, flow, bore=None, series=None, pipe=None, rise=0.0, share=None, k=None):
    return dict(name=name, length=length, flow=flow, bore=bore, series=series, pipe=pipe,
                rise=rise, share=share, k=k)


PE, STEEL = "pe-sdr11", "steel"
CASES = [
    # Low pressure, bores given; natural gas rising and falling, allowance from 2000 Pa.
    (line("low-given-light", 0.002, appliance=2000),
     [seg("main", 80, 60, bore=80), seg("riser", 15, 20, bore=40, rise=15),
      seg("down", 10, 10, bore=32, rise=-4, share=20)]),
    # The same path with a heavy gas (LPG): the riser loses pressure to the head.
    (line("low-given-heavy", 0.003, density=2.0, allowed=1.5),
     [seg("main", 80, 25, bore=50), seg("riser", 15, 10, bore=25, rise=15),
      seg("down", 10, 5, bore=20, rise=-4, k=0.01)]),
    # A yard sized in PE with one pipe given, then a steel riser given by its bore.
    (line("low-mixed", 0.002, appliance=2000),
     [seg("inlet", 30, 40, series=PE, pipe="de63"), seg("yard", 60, 30, series=PE),
      seg("branch", 25, 12, series=PE), seg("riser", 12, 6, bore=26.64, rise=12)]),
    # Sized with a maximum velocity that, not the drop, decides the first pipe.
    (line("low-sized-velocity", 0.003, appliance=2000, vmax=3),
     [seg("a", 40, 50, series=PE), seg("b", 40, 30, series=PE, rise=6)]),
    # A heavy gas sized up a riser: the head it loses comes out of the budget.
    (line("low-sized-heavy", 0.0028, density=2.0, appliance=2800),
     [seg("main", 50, 20, series=PE), seg("riser", 20, 8, series=PE, rise=20)]),
    # Over the allowance: bores too small for the flow.
    (line("low-over", 0.002, allowed=0.3),
     [seg("a", 100, 40, bore=50), seg("b", 50, 20, bore=40)]),
    # The gauge pressure runs out in the middle segment; the last is not computed.
    (line("low-runs-out", 0.002, appliance=2000),
     [seg("a", 50, 20, bore=80), seg("b", 200, 30, bore=25), seg("c", 30, 10, bore=50)]),
    # Nothing left to size with once the given segment has lost the allowance.
    (line("low-no-budget", 0.002, allowed=0.2),
     [seg("a", 100, 40, bore=50), seg("b", 50, 20, series=PE)]),
    # No pipe of the series within the unit budget and the velocity.
    (line("low-no-pipe", 0.002, appliance=2000, vmax=1),
     [seg("a", 10, 5, bore=50), seg("b", 50, 3000, series=PE)]),
    # Medium pressure, steel given: the rise is not counted; Z scales the squares.
    (line("medium-given", 0.2, z=0.97, allowed=50),
     [seg("a", 800, 700, series=STEEL, pipe="DN100"), seg("b", 500, 450, bore=80, rise=30),
      seg("c", 300, 150, bore=52.5, share=15)]),
    # Medium pressure, PE sized after a given steel pipe.
    (line("medium-mixed", 0.1, allowed=20),
     [seg("a", 200, 800, series=STEEL, pipe="DN100"), seg("b", 600, 520, series=PE),
      seg("c", 400, 200, series=PE, rise=10)]),
    # High pressure over its allowance.
    (line("high-over", 1.6, allowed=100, share=5),
     [seg("a", 5000, 20000, bore=202.74), seg("b", 3000, 15000, bore=154.05)]),
    # The worked example of the README: a courtyard of PE sized from a 2 kPa regulator for
    # natural gas appliances of 2000 Pa, a riser of 12 m at its end.
    (line("readme-courtyard", 0.002, appliance=2000),
     [seg("regulator-yard", 40, 60, series=PE), seg("yard", 35, 40, series=PE),
      seg("branch", 25, 20, series=PE), seg("riser", 12, 8, series=PE, rise=12)]),
    # Medium pressure running out in the middle segment.
    (line("medium-runs-out", 0.05, allowed=40),
     [seg("a", 300, 300, bore=100), seg("b", 2000, 400, bore=40), seg("c", 100, 100, bore=50)]),
]

# A drop exactly at its allowance, as printed, passes.
AT_ALLOWANCE = [seg("a", 100, 40, bore=50), seg("b", 50, 20, bore=40)]
CASES.append((line("low-at-allowance", 0.002, allowed=float(
    f"{compute(line('', 0.002), AT_ALLOWANCE)['drop']:.15g}")), AT_ALLOWANCE))

# A segment as long as the printed length at which the gauge pressure runs out runs out too,
# rather than leave a gauge pressure that is rounding's zero.
RUN_OUT = CASES[6][1]
REACH = compute(CASES[6][0], RUN_OUT)["segments"][1]["reach"]
CASES.append((line("low-runs-out-at-the-end", 0.002, appliance=2000),
              [RUN_OUT[0], seg("b", float(f"{REACH:.15g}"), 30, bore=25)]))


def text(value):
    return "-" if value is None else repr(value) if isinstance(value, float) else str(value)


print("# line LABEL inlet_MPa density Z max_drop_kPa appliance_Pa max_velocity local_share "
      "roughness")
print("# seg NAME length flow bore series pipe rise local_share roughness ('-': blank)")
print("# want-seg pipe bore inlet_MPa outlet_MPa friction_kPa local_kPa head_kPa reach_m Re "
      "lambda loss_per_metre inlet_velocity")
print("# want-line check outlet_MPa drop_kPa unit_budget run_out_segment failed_segment")
for ln, segs in CASES:
    print("line", ln["label"], *(text(ln[key]) for key in
                                 ("inlet", "density", "z", "allowed", "appliance", "vmax",
                                  "share", "k")))
    for s in segs:
        print("seg", *(text(s[key]) for key in
                       ("name", "length", "flow", "bore", "series", "pipe", "rise", "share", "k")))
    res = compute(ln, segs)
    for r in res["segments"]:
        print("want-seg", *(text(r[key]) for key in
                            ("pipe", "bore", "inlet", "outlet", "friction", "local", "head",
                             "reach", "re", "lambda", "per_metre", "velocity")))
    print("want-line", *(text(res[key]) for key in
                         ("check", "outlet", "drop", "unit", "run_out", "failed")))
