#!/usr/bin/python3
"""Writes pressure_drop.expected, the outlet pressures the pressure-drop calculation is checked
against.

Each line is worked out twice, independently of the program:
- by the design code's formulas as printed (6.26e7 and 1.27e10), with λ from python3-fluids'
  Colebrook solution (fluids.friction, Method='Colebrook') in the turbulent band;
- by python3-fluids' own equations, which the code's constants approximate: from 0.01 MPa on
  the isothermal gas flow equation (fluids.isothermal_gas) with the gas density at the inlet;
  below it Darcy–Weisbach (fluids.core K_from_f, dP_from_K) for the gas at atmospheric
  pressure, as the code's low-pressure form takes it. (Its density at the inlet would differ
  from that by the gauge pressure: 2 % at 2 kPa, 10 % at 10 kPa.)
The defaults are the program's: 15 °C, 0.75 kg/Nm³, 15e-6 m²/s, Z = 1, 101.325 kPa.
Run it again after a change of the cases:
    tests/core/make_drop_expected.py > tests/core/pressure_drop.expected
"""
from math import pi, sqrt

from fluids import isothermal_gas
from fluids.core import K_from_f, dP_from_K
from fluids.friction import friction_factor

T0 = 273.15
P_STANDARD = 101.325  # kPa
RHO0, NU0, T_C, ATM = 0.75, 15e-6, 15.0, 101.325

# inlet gauge MPa, standard flow Nm³/h, bore mm, length m, roughness mm
CASES = [
    (0.4, 1000, 102.26, 1000, 0.1),
    (0.002, 100, 100, 100, 0.1),
    (0.003, 20, 50, 300, 0.01),
    (0.01, 60, 63.6, 150, 0.01),
    (0.1, 500, 90.12, 2000, 0.1),
    (0.2, 300, 51.4, 800, 0.01),
    (0.8, 5000, 202.74, 5000, 0.1),
    (1.6, 20000, 303.18, 10000, 0.1),
    (4.0, 100000, 575.04, 20000, 0.1),
]


def friction(re, relative_roughness):
    if re <= 2100:
        return 64 / re
    if re <= 3500:
        return 0.03 + (re - 2100) / (65 * re - 1e5)
    return friction_factor(re, eD=relative_roughness, Method="Colebrook")


def by_the_code(p1, q, d, length, lam):
    t_ratio = (T_C + T0) / T0
    if p1 < 0.01:
        return p1 - 6.26e7 * lam * q**2 / d**5 * RHO0 * t_ratio * length / 1e6
    p1a = 1000 * p1 + ATM
    p2a = sqrt(p1a**2 - 1.27e10 * lam * q**2 / d**5 * RHO0 * t_ratio * length / 1000)
    return (p2a - ATM) / 1000


def by_fluids(p1, q, d, length, lam):
    t_ratio = (T_C + T0) / T0
    if p1 < 0.01:
        rho = RHO0 / t_ratio * ATM / P_STANDARD
        velocity = q / 3600 * P_STANDARD / ATM * t_ratio / (pi / 4 * (d / 1000) ** 2)
        return p1 - dP_from_K(K_from_f(lam, length, d / 1000), rho, velocity) / 1e6
    p1a = (1000 * p1 + ATM) * 1000  # Pa
    rho1 = RHO0 * (p1a / 1000 / P_STANDARD) * T0 / (T_C + T0)
    mass = q * RHO0 / 3600
    p2a = isothermal_gas(rho=rho1, fd=lam, P1=p1a, L=length, D=d / 1000, m=mass)
    return (p2a / 1000 - ATM) / 1000


print("# inlet_MPa flow_Nm3h bore_mm length_m roughness_mm Re lambda "
      "outlet_by_the_code_MPa outlet_by_fluids_MPa")
for p1, q, d, length, k in CASES:
    re = 4 * q / (3600 * pi * (d / 1000) * NU0)
    lam = friction(re, k / d)
    print(p1, q, d, length, k, repr(re), repr(lam), repr(by_the_code(p1, q, d, length, lam)),
          repr(by_fluids(p1, q, d, length, lam)))
