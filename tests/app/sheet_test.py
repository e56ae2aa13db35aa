#!/usr/bin/python3
"""The calculation sheets of pipe, drop and line, as PDF and HTML, against the command's CSV.

Each sheet must hold every input, every number of the CSV for the same inputs digit for
digit, the clauses, the verdicts and the sign-off block; the PDF's fonts are all embedded, no
word runs past the right margin, a long line's sheet repeats its table header on every page
and numbers its pages; headless Chromium, where installed, prints the HTML on A4 uncut. Needs
pdftotext and pdffonts (poppler-utils). Usage: sheet_test.py TARNIVEL
"""
import csv
import html.parser
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile

TARNIVEL = sys.argv[1]
CHROMIUM = shutil.which("chromium")  # the HTML's print is checked where there is one
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(args, stdin=""):
    done = subprocess.run([TARNIVEL] + args, input=stdin, capture_output=True, text=True)
    return done.returncode, done.stdout, done.stderr


class Text(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.parts, self.tags = [], set()

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)

    def handle_data(self, data):
        self.parts.append(data)


def pdf_pages(path):
    count = int(re.search(r"Pages:\s+(\d+)", subprocess.run(
        ["pdfinfo", path], capture_output=True, text=True).stdout).group(1))
    return [subprocess.run(["pdftotext", "-f", str(n), "-l", str(n), path, "-"],
                           capture_output=True, text=True).stdout for n in range(1, count + 1)]


def words_past_the_margin(path):
    """The words drawn beyond the right margin (15 mm, 42.5 pt, less a little): a cut table."""
    boxes = subprocess.run(["pdftotext", "-bbox", path, "-"], capture_output=True,
                           text=True).stdout
    width = float(re.search(r'<page width="([0-9.]+)"', boxes).group(1))
    return [word for x, word in re.findall(r'xMax="([0-9.]+)"[^>]*>([^<]*)<', boxes)
            if float(x) > width - 40]


def csv_numbers(text, keep=lambda row: True):
    rows = list(csv.DictReader(io.StringIO(text)))
    return {cell for row in rows if keep(row) for cell in row.values()
            if re.fullmatch(r"-?[0-9.]+(E[-+][0-9]+)?", cell or "")}


segments = "segment,length,flow,rise\nregulator-yard,40,60,\nyard,35,40,\nbranch,25,20,\nriser,12,8,12\n"
long_line = "segment,length,flow,bore\n" + "".join(
    f"s{i},{10 + i % 7},{900 - 4 * i},{150 - (i // 40) * 10}\n" for i in range(200))
pipe = ["pipe", "-p", "0.005", "-v", "10", "-q", "50", "-s", "pe-sdr11", "--length", "200",
        "--max-drop", "1"]
drop = ["drop", "-p", "0.4", "-q", "1000", "-d", "102.26", "-l", "1000"]
line = ["line", "-p", "0.002", "-s", "pe-sdr11", "--appliance-pressure", "2000"]
long = ["line", "-p", "0.3", "--max-drop", "4"]
common = ["GB 50028 §6.2", "设计", "校对", "审核", "Tarnivel 1.00", "P-7"]
cases = [
    # command, stdin, the CSV's numbers, more texts the sheet must hold
    (pipe, "", csv_numbers(run(pipe + ["--csv"])[1], lambda row: row["choice"]),
     ["0.005", "10", "50", "200", "3.1415926", "合格", "de75"]),
    (drop, "", {run(drop)[1].strip()} | set(re.findall(r"[0-9][0-9.E-]+", run(drop + ["--explain"])[1])),
     ["0.4", "1000", "102.26", "1.27×10¹⁰", "合格"]),
    (line, segments, csv_numbers(run(line + ["--csv", "-"], segments)[1]),
     ["0.002", "2000", "0.75·Pn + 150 Pa", "9.8·(ρair − ρ0)·h", "合格"]),
    (long, long_line, csv_numbers(run(long + ["--csv", "-"], long_line)[1]), ["s199", "不合格"]),
]

with tempfile.TemporaryDirectory() as folder:
    for number, (command, stdin, numbers, texts) in enumerate(cases):
        wanted = set(texts) | numbers | set(common)
        for form in ("pdf", "html"):
            sheet = os.path.join(folder, f"{number}.{form}")
            status, _, err = run(command + ["--sheet", sheet, "--project", "P-7", "-"][
                : 5 if command[0] == "line" else 4], stdin)
            check(status in (0, 4), f"{command[0]} {form}: status {status}: {err}")
            check(err == "" or command is long, f"{command[0]} {form}: said {err!r}")
            if form == "html":
                parser = Text()
                parser.feed(open(sheet, encoding="utf-8").read())
                text = "".join(parser.parts)
                check("script" not in parser.tags, f"{command[0]}: a script in the HTML")
                if CHROMIUM:  # printed by a browser: A4, nothing past the margin
                    printed = sheet + ".pdf"
                    subprocess.run([CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu",
                                    "--no-pdf-header-footer", f"--print-to-pdf={printed}",
                                    "file://" + sheet], capture_output=True, timeout=120)
                    info = subprocess.run(["pdfinfo", printed], capture_output=True,
                                          text=True).stdout
                    check("(A4)" in info, f"{command[0]}: the browser's print is not A4")
                    cut = words_past_the_margin(printed)
                    check(not cut, f"{command[0]}: the browser cuts {cut[:5]}")
            else:
                pages = pdf_pages(sheet)
                cut = words_past_the_margin(sheet)
                check(not cut, f"{command[0]}: words beyond the right margin: {cut[:5]}")
                text = "".join(pages)
                fonts = subprocess.run(["pdffonts", sheet], capture_output=True,
                                       text=True).stdout.splitlines()[2:]
                check(fonts and all(re.search(r"\byes\s+\S+\s+yes\b|\byes\s+no\s+yes\b", f)
                                    for f in fonts), f"{command[0]}: a font not embedded: {fonts}")
                for n, page in enumerate(pages, 1):
                    check(f"第{n}页共{len(pages)}页" in re.sub(r"\s", "", page),
                          f"{command[0]}: page {n} of {len(pages)} unnumbered")
                if command is long:
                    check(len(pages) >= 4, f"the long line's sheet has {len(pages)} pages")
                    for n, page in enumerate(pages, 1):
                        if re.search(r"\ns1[0-9]{2}\n", page):
                            check("终点压力" in page or "Re" in page,
                                  f"the long line's page {n} has rows without a header")
            for want in sorted(wanted):
                check(want in text, f"{command[0]} {form}: {want!r} missing")

    # English where asked for, with its own page numbers.
    sheet = os.path.join(folder, "en.pdf")
    run(drop + ["--sheet", sheet, "--language", "en"])
    text = "".join(pdf_pages(sheet))
    for want in ("Calculation sheet", "Designed", "Checked", "Approved", "passed", "Page 1 of "):
        check(want in text, f"English sheet: {want!r} missing")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
