#!/usr/bin/env python3
"""Judges a soak run's samples and draws the resident-memory curve.

    judge.py SOAK.csv PLOT.png

Prints the figures; exits 1 when the resident memory drifts by 1 MB or more after the first minute
(the median of the last minute's samples against the median of the second minute's, so that the
driver's short swings do not count as drift), when any GL error occurred, or when the open file
descriptors grew after the first minute.
The plot is drawn with the standard library only (zlib), so it needs no plotting package.
"""
import csv
import statistics
import struct
import sys
import zlib

# 3 x 5 glyphs, rows top to bottom, for the few characters the labels use.
GLYPHS = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111", "3": "111001111001111",
    "4": "101101111001001", "5": "111100111001111", "6": "111100111101111", "7": "111001010010010",
    "8": "111101111101111", "9": "111101111001111", ".": "000000000000010", " ": "000000000000000",
    "M": "101111111101101", "B": "110101110101110", "R": "110101110101101", "S": "111100111001111",
    "m": "000000111111101", "i": "010000010010010", "n": "000000110101101", "F": "111100110100100",
    "D": "110101101101110", "-": "000000111000000",
}


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = bytearray(b"\xff\xff\xff" * width * height)

    def dot(self, x, y, rgb):
        if 0 <= x < self.w and 0 <= y < self.h:
            i = 3 * (y * self.w + x)
            self.px[i:i + 3] = bytes(rgb)

    def line(self, x0, y0, x1, y1, rgb):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for k in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * k / steps), round(y0 + (y1 - y0) * k / steps), rgb)

    def text(self, x, y, s, rgb=(0, 0, 0), scale=2):
        for ch in s:
            g = GLYPHS.get(ch, GLYPHS[" "])
            for r in range(5):
                for c in range(3):
                    if g[3 * r + c] == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.dot(x + c * scale + dx, y + r * scale + dy, rgb)
            x += 4 * scale

    def save(self, path):
        raw = b"".join(b"\x00" + bytes(self.px[3 * y * self.w:3 * (y + 1) * self.w]) for y in range(self.h))

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0))
                    + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def plot(rows, path):
    """RSS in MB (blue, scaled to the samples after the first minute) and open descriptors (red)
    against minutes."""
    c = Canvas(640, 300)
    left, right, top, bottom = 70, 590, 20, 250
    t = [r["seconds"] / 60 for r in rows]
    rss = [r["rss_kb"] / 1024 for r in rows]
    fds = [r["open_fds"] for r in rows]
    settled = [v for m, v in zip(t, rss) if m >= 1] or rss
    lo, hi = min(settled), max(settled)
    pad = max(0.5, (hi - lo) * 0.1)
    lo, hi = lo - pad, hi + pad
    tmax = max(t[-1], 1e-9)
    fhi = max(fds) + 2
    X = lambda m: round(left + (right - left) * m / tmax)
    Y = lambda v: round(bottom - (bottom - top) * (v - lo) / (hi - lo))
    F = lambda v: round(bottom - (bottom - top) * v / fhi)
    c.line(left, top, left, bottom, (0, 0, 0))
    c.line(left, bottom, right, bottom, (0, 0, 0))
    for k in range(5):
        v = lo + (hi - lo) * k / 4
        c.line(left - 4, Y(v), right, Y(v), (225, 225, 225))
        c.text(4, Y(v) - 5, "%.1f" % v, (40, 40, 200))
    for k in range(7):
        m = tmax * k / 6
        c.line(X(m), bottom, X(m), bottom + 4, (0, 0, 0))
        c.text(X(m) - 8, bottom + 10, "%g" % round(m, 1))
    c.text(left + 4, 2, "RSS MB", (40, 40, 200))
    c.text(right - 40, 2, "FD", (200, 40, 40))
    c.text(right - 20, bottom + 30, "min")
    c.text(right + 8, F(fds[-1]) - 5, str(fds[-1]), (200, 40, 40))
    for i in range(1, len(rows)):
        c.line(X(t[i - 1]), F(fds[i - 1]), X(t[i]), F(fds[i]), (200, 40, 40))
        c.line(X(t[i - 1]), Y(rss[i - 1]), X(t[i]), Y(rss[i]), (40, 40, 200))
    c.save(path)


def main():
    with open(sys.argv[1]) as f:
        rows = [{k: float(v) for k, v in r.items()} for r in csv.DictReader(f)]
    if len(rows) < 2:
        print("soak: too few samples")
        return 1
    settled = [r for r in rows if r["seconds"] >= 60] or rows[-1:]
    base = settled[0]
    rss = [r["rss_kb"] for r in settled]
    swing_kb = max(rss) - min(rss)
    drift_kb = statistics.median(rss[-6:]) - statistics.median(rss[:6])
    fd_growth = max(r["open_fds"] for r in settled) - base["open_fds"]
    last = rows[-1]
    errors = int(last["gl_errors"])
    fps = last["frames"] / last["seconds"] if last["seconds"] > 0 else 0
    print("soak: %.1f min, %d frames (%.0f a second), %d GL errors" % (last["seconds"] / 60, last["frames"], fps, errors))
    print("soak: RSS %.1f MB at start, %.1f MB at 1 min, %.1f MB at the end" % (rows[0]["rss_kb"] / 1024,
          base["rss_kb"] / 1024, last["rss_kb"] / 1024))
    print("soak: drift after 1 min %+.0f KB (last minute's median against the second minute's); widest swing %.0f KB"
          % (drift_kb, swing_kb))
    print("soak: open descriptors %d at 1 min, %d at the end, growth %d" % (base["open_fds"], last["open_fds"], fd_growth))
    plot(rows, sys.argv[2])
    print("soak: plot in %s" % sys.argv[2])
    ok = abs(drift_kb) < 1024 and errors == 0 and fd_growth <= 0
    print("soak: %s" % ("PASS" if ok else "FAIL"))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
