#!/usr/bin/env python3
"""The benchmark sheet drawn the way a plotting-library user draws graph paper.

Metric 1 mm across by Logarithmic 3 cycles down the page, 1 cm margins on
every side of the paper, one-pixel black lines, the decades' digits to the
right of the area, as lattora-export draws it.

    sheet_matplotlib.py PAPER DPI OUTPUT     (PAPER: A0 to A5; OUTPUT .png or .pdf)

Exits 3 when matplotlib is missing (Debian: python3-matplotlib).
"""
import sys

try:
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    print("python3-matplotlib is not installed", file=sys.stderr)
    sys.exit(3)

PAPERS_MM = {"A0": (841, 1189), "A1": (594, 841), "A2": (420, 594),
             "A3": (297, 420), "A4": (210, 297), "A5": (148, 210)}
MARGIN_MM = 10
DECADES = 3
# Within a decade: tenths up to 4, fifths up to 9, then halves.
STEPS = [1 + i / 10 for i in range(30)] + [4 + i / 5 for i in range(25)] + [9, 9.5]


def main():
    paper, dpi, output = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    width, height = PAPERS_MM[paper]
    area_width = width - 2 * MARGIN_MM
    figure = plt.figure(figsize=(width / 25.4, height / 25.4), dpi=dpi)
    axes = figure.add_axes([MARGIN_MM / width, MARGIN_MM / height,
                            area_width / width, (height - 2 * MARGIN_MM) / height])
    axes.set_xlim(0, area_width)
    axes.set_yscale("log")
    axes.set_ylim(10 ** DECADES, 1)  # the first decade at the top
    axes.set_axis_off()
    pixel = 72 / dpi  # points
    for x in range(area_width + 1):
        axes.axvline(x, color="black", linewidth=pixel)
    for decade in range(DECADES):
        for step in STEPS + ([10] if decade == DECADES - 1 else []):
            axes.axhline(step * 10 ** decade, color="black", linewidth=pixel)
        for digit in range(1, 11):
            axes.text(area_width + 1, digit * 10 ** decade, str(digit), fontsize=6,
                      verticalalignment="center")
    figure.savefig(output, dpi=dpi)


if __name__ == "__main__":
    main()
