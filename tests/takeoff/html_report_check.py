#!/usr/bin/env python3
"""Opens ponderix-takeoff's HTML report in headless Chromium and checks what it renders.

    html_report_check.py TOOL SEEDDB SECTIONS_DIR LIST.csv WORK_DIR [--keep-screenshot PNG]

The report is made from LIST.csv with a section database seeded from SECTIONS_DIR. Chromium
parses it (--dump-dom: the line table, the totals and one chart bar per kind must be in the
document the browser built) and draws it (--screenshot: the table header, the total row and the
bars must be on the picture, the bars as wide as the document says). Fails loudly when chromium
is missing.
"""
import html.parser
import os
import shutil
import struct
import subprocess
import sys
import zlib

BAR = (0x2E, 0x6D, 0xA4)
HEADER = (0xDC, 0xE6, 0xF0)
TOTAL_ROW = (0xF2, 0xF2, 0xF2)
WINDOW = (1000, 1400)


def fail(message):
    print("html_report_check: " + message, file=sys.stderr)
    sys.exit(1)


class Document(html.parser.HTMLParser):
    """What the browser's document holds: rows per table class, chart bars, the total row."""

    def __init__(self):
        super().__init__()
        self.table = None
        self.rows = {}
        self.bars = []
        self.total_cells = []
        self.in_total = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "table":
            self.table = a.get("class")
            self.rows[self.table] = 0
        elif tag == "tr" and self.table:
            self.rows[self.table] += 1
            self.in_total = a.get("class") == "total"
        elif tag == "rect" and a.get("class") == "bar":
            self.bars.append(int(a["width"]))

    def handle_endtag(self, tag):
        if tag == "table":
            self.table = None
        if tag == "tr":
            self.in_total = False

    def handle_data(self, data):
        if self.in_total and data.strip():
            self.total_cells.append(data.strip())


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail(path + " is no PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        fail("unexpected PNG format %r" % (header,))
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    pixels, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 0xFF
        pixels.append(line)
        previous = line
    return width, height, channels, pixels


def count_colour(png, colour):
    width, _, channels, pixels = png
    n = 0
    for line in pixels:
        for x in range(width):
            if tuple(line[x * channels:x * channels + 3]) == colour:
                n += 1
    return n


def chromium(*args):
    browser = shutil.which("chromium")
    if not browser:
        fail("chromium is not installed (tools/install-deps.sh installs it)")
    command = [browser, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
               "--disable-background-networking", "--hide-scrollbars",
               "--window-size=%d,%d" % WINDOW, "--user-data-dir=" + profile] + list(args)
    result = subprocess.run(command, capture_output=True, text=True, timeout=120)
    if result.returncode != 0:
        fail("chromium failed (%d): %s" % (result.returncode, result.stderr))
    return result.stdout


tool, seeddb, sections, listing, work = sys.argv[1:6]
keep = sys.argv[7] if len(sys.argv) > 7 and sys.argv[6] == "--keep-screenshot" else None
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
profile = os.path.join(work, "profile")
database = os.path.join(work, "weight.db")
report = os.path.join(work, "report.html")
subprocess.run([seeddb, "--force", sections, database], check=True, stdout=subprocess.DEVNULL)
run = subprocess.run([tool, "--db", database, "--html", report, listing], capture_output=True)
if run.returncode not in (0, 1):
    fail("ponderix-takeoff failed (%d): %s" % (run.returncode, run.stderr.decode()))
text = run.stdout.decode("utf-8")
weighed = int(text.split("已计入 ")[1].split(" ")[0])
kinds = len(text.split("\n合计\n")[1].split("\n\n")[0].splitlines()) - 2  # header, grand total

document = Document()
document.feed(chromium("--dump-dom", "file://" + os.path.abspath(report)))
if document.rows.get("lines") != weighed + 1:
    fail("line table has %r rows, expected %d" % (document.rows.get("lines"), weighed + 1))
if document.rows.get("totals") != kinds + 2:
    fail("totals table has %r rows, expected %d" % (document.rows.get("totals"), kinds + 2))
if not document.total_cells or document.total_cells[0] != "合计":
    fail("no grand total row: %r" % document.total_cells)
if len(document.bars) != kinds or min(document.bars) < 1:
    fail("chart has bars %r, expected %d" % (document.bars, kinds))

screenshot = os.path.join(work, "report.png")
chromium("--screenshot=" + screenshot, "file://" + os.path.abspath(report))
png = read_png(screenshot)
bar_pixels = count_colour(png, BAR)
expected_bars = sum(document.bars) * 22
if abs(bar_pixels - expected_bars) > expected_bars // 20:
    fail("the chart draws %d bar pixels, its bars are %d" % (bar_pixels, expected_bars))
if count_colour(png, HEADER) < 1000:
    fail("the table headers are not drawn")
if count_colour(png, TOTAL_ROW) < 1000:
    fail("the grand total row is not drawn")
if keep:
    shutil.copyfile(screenshot, keep)
print("html_report_check: %d lines, %d kinds, %d bar pixels rendered" % (weighed, kinds, bar_pixels))
