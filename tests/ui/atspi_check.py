"""The window as a screen reader sees it through AT-SPI; run by tests/ui/atspi-check.

Finds the program on the accessibility bus, checks the role and name of every control, that
no control without a name is exposed (the hidden marker field), and that pressing the
velocity button with empty fields raises the prompt as an alert.
"""
import sys
import time

import pyatspi

EXPECTED = [  # role, name
    (pyatspi.ROLE_PANEL, "压强（MPa）"),
    (pyatspi.ROLE_TEXT, "压强 MPa"),
    (pyatspi.ROLE_PANEL, "流速（m/s）"),
    (pyatspi.ROLE_TEXT, "流速 m/s"),
    (pyatspi.ROLE_PANEL, "流通直径（mm）"),
    (pyatspi.ROLE_TEXT, "流通直径 mm"),
    (pyatspi.ROLE_PANEL, "流量（Nm^3/h)"),
    (pyatspi.ROLE_TEXT, "流量 Nm³/h"),
    (pyatspi.ROLE_PUSH_BUTTON, "计算流速"),
    (pyatspi.ROLE_PUSH_BUTTON, "计算流量"),
    (pyatspi.ROLE_PUSH_BUTTON, "退  出"),
    (pyatspi.ROLE_PUSH_BUTTON, "计算流通直径"),
    (pyatspi.ROLE_FILLER, "标准管道"),
    (pyatspi.ROLE_TEXT, "标准管道"),
    (pyatspi.ROLE_TEXT, "工况"),
    (pyatspi.ROLE_LABEL, "管道系列"),
]


def find_application(timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower() == "tarnivel":
                return app
        time.sleep(0.5)
    sys.exit("atspi-check: the program did not appear on the accessibility bus")


def walk(node, depth=0):
    yield node, depth
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def window_named(app, name):
    for node in app:
        if node is not None and node.name == name:
            return node
    return None


def main():
    app = find_application()
    window = window_named(app, "Tarnivel 1.0")
    failures = []
    if window is None:
        sys.exit("atspi-check: no window named 'Tarnivel 1.0'")
    seen = []
    for node, depth in walk(window):
        print("  " * depth + f"{node.getRoleName()}: {node.name!r}"
              + (f" ({node.description})" if node.description else ""))
        if depth > 0:
            seen.append((node.getRole(), node.name))
            if not node.name and node.parent.getRole() != pyatspi.ROLE_COMBO_BOX:  # Qt's popup
                failures.append(f"a {node.getRoleName()} without a name is exposed")
            if node.getRole() == pyatspi.ROLE_TEXT and not node.description:
                failures.append(f"field {node.name!r} has no description")
    for expected in EXPECTED:
        if expected not in seen:
            failures.append(f"missing {expected[1]!r} as {pyatspi.Role(expected[0])}")

    # The velocity button with empty fields asks for the diameter, as an alert.
    button = next(node for node, _ in walk(window) if node.name == "计算流速")
    button.queryAction().doAction(0)
    deadline = time.time() + 10
    alert = None
    while alert is None and time.time() < deadline:
        time.sleep(0.3)
        alert = next((n for n in app if n is not None and n.getRole() == pyatspi.ROLE_ALERT),
                     None)
    if alert is None:
        failures.append("the prompt did not show as an alert")
    else:
        texts = [n.name for n, _ in walk(alert)]
        print(f"alert {alert.name!r}: {texts}")
        if alert.name != "Ovrin" or "请输入流通直径" not in " ".join(texts):
            failures.append(f"the alert reads {alert.name!r} {texts}")

    for failure in failures:
        print("atspi-check: " + failure, file=sys.stderr)
    print("atspi-check: " + ("FAILED" if failures else "passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
