#!/usr/bin/env python3
"""modelcheck --picture, rendered by a real SVG renderer (rsvg-convert):
the drawing renders without error, and the model is drawn where the
isometric view puts it, the background left white around it; the pictures
of the three shipped examples are those of docs/ that the README shows,
drawn inside the view, their legends inside the legend; a model of 12,000
nodes is drawn as its outline with the supports of both its supported edges.

    picture_render_test.py BUILD_DIR SOURCE_DIR [--write-docs]

--write-docs writes the examples' pictures to docs/ instead of comparing.

Exits 77 (skipped) when rsvg-convert is not installed (Debian: librsvg2-bin).
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SKIP = 77


def png_pixels(path):
    """(width, height, rows of RGB tuples) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), "8-bit RGB(A) expected"
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def run(argv, cwd, stdin=b""):
    r = subprocess.run(argv, cwd=cwd, input=stdin, capture_output=True)
    if r.returncode != 0:
        raise AssertionError("%s: exit %d\n%s%s" % (argv, r.returncode, r.stdout.decode(errors="replace"),
                                                    r.stderr.decode(errors="replace")))
    return r.stdout.decode("latin-1")


def picture(build, work, model, answers, *args):
    shutil.copy(model, os.path.join(work, "modellir.txt"))
    run([os.path.join(build, "tarvex", "tarvex")], work, answers.encode())
    said = run([os.path.join(build, "modelcheck", "modelcheck"), "--picture"] + list(args), work)
    png = os.path.join(work, "model.png")
    run(["rsvg-convert", os.path.join(work, "model.svg"), "-o", png], work)
    return said, png_pixels(png)


WHITE = (255, 255, 255)
LEGEND = (247, 247, 247)

# The shipped examples as scripts/example.sh and the README convert and draw them.
EXAMPLES = [
    ("example.svg", "examples/tarvex/modellir.txt", "0.005\n2500\ny\n4\n7850\n0\n1\nc\n", ["--case", "2"]),
    ("example-plate.svg", "examples/tarvex/plate/modellir.txt", "0.005\n2500\nn\n2\nc\n", ["--case", "1"]),
    ("example-slab.svg", "examples/tarvex/slab/modellir.txt", "0.005\n2500\nn\n1\nc\n", ["--case", "3"]),
]


def drawn_box(rows, right):
    """The box of the pixels that are not white left of x = right."""
    xs, ys = [], []
    for y, row in enumerate(rows):
        for x in range(right):
            if row[x] != WHITE:
                xs.append(x)
                ys.append(y)
    return min(xs), max(xs), min(ys), max(ys), len(xs)


def dark(p):
    return max(p) < 160


def check_frame(name, rows):
    """The drawing inside the view's margins, the texts inside the legend."""
    left, right, top, bottom, _ = drawn_box(rows, 895)
    assert left >= 3 and right <= 892 and top >= 3 and bottom <= 696, (name, left, right, top, bottom)
    for y, row in enumerate(rows):
        for x in range(1320, 1330):
            assert not dark(row[x]), (name, "text at the legend's right edge", x, y)
    for y in range(690, 700):
        for x in range(905, 1325):
            assert not dark(rows[y][x]), (name, "text at the legend's foot", x, y)


def check_examples(build, source, work, write_docs):
    for docs_name, model, answers, args in EXAMPLES:
        where = os.path.join(work, docs_name[:-4])
        os.mkdir(where)
        said, (width, height, rows) = picture(build, where, os.path.join(source, model), answers, *args)
        assert said.startswith("modelcheck --picture: model.svg written: "), said
        assert (width, height) == (1330, 700), (width, height)
        check_frame(docs_name, rows)
        with open(os.path.join(where, "model.svg"), "rb") as f:
            drawn = f.read()
        docs = os.path.join(source, "docs", docs_name)
        if write_docs:
            with open(docs, "wb") as f:
                f.write(drawn)
            continue
        with open(docs, "rb") as f:
            assert f.read() == drawn, ("docs/%s is not the picture modelcheck draws now; "
                                       "picture_render_test.py BUILD SOURCE --write-docs writes it" % docs_name)


def main():
    build, source = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    write_docs = sys.argv[3:] == ["--write-docs"]
    if shutil.which("rsvg-convert") is None:
        print("skipped: rsvg-convert is not installed (Debian package librsvg2-bin)")
        return SKIP
    work = tempfile.mkdtemp(prefix="modelcheck-picture-")
    try:
        # The plate example: one plate on (0,0), (1,0), (0,1), (1,1). In the
        # 900 x 700 drawing with a margin of 30, the isometric view makes a
        # diamond 1.732 wide and 1 high, scaled by 840 / 1.732 = 485: node 3
        # at x = 30, node 2 at x = 870, both at y = 350; node 4 at y = 107.5
        # and node 1 at y = 592.5, both at x = 450; node 1's support triangle
        # reaches 10 pixels lower.
        said, (width, height, rows) = picture(build, work, os.path.join(source, "examples/tarvex/plate/modellir.txt"),
                                              "0.005\n2500\nn\n2\nc\n", "--case", "1")
        assert said == "modelcheck --picture: model.svg written: 4 nodes, 1 elements.\n", said
        assert (width, height) == (1330, 700), (width, height)
        left, right, top, bottom, count = drawn_box(rows, 895)
        assert 27 <= left <= 33 and 867 <= right <= 873, (left, right)
        assert 104 <= top <= 111 and 600 <= bottom <= 606, (top, bottom)
        assert rows[350][450] != WHITE  # inside the plate
        for x, y in ((100, 150), (800, 150), (100, 600), (800, 600), (450, 650)):
            assert rows[y][x] == WHITE, (x, y, rows[y][x])
        assert rows[690][1300] == (247, 247, 247)  # the legend's background
        assert count > 0.3 * 900 * 700, count  # a filled plate

        check_examples(build, source, work, write_docs)

        # A generated model of 12,000 nodes and more elements than are drawn
        # one by one: its outline only, said so in the legend.
        gen = os.path.join(work, "generated")
        subprocess.run([sys.executable, os.path.join(source, "bench/generate.py"), "tarvex", "12000", gen],
                       check=True, capture_output=True)
        with open(os.path.join(gen, "answers.txt")) as f:
            answers = f.read()
        big = os.path.join(work, "big")
        os.mkdir(big)
        said, (width, height, rows) = picture(build, big, os.path.join(gen, "modellir.txt"), answers)
        assert said.endswith("elements, drawn as the outline.\n"), said
        with open(os.path.join(big, "model.svg")) as f:
            svg = f.read()
        assert "Outline only:" in svg and len(svg) < 2000000, len(svg)
        left, right, top, bottom, count = drawn_box(rows, 895)
        assert left < 60 and right > 840 and top < 140 and bottom > 560, (left, right, top, bottom)
        assert count < 0.1 * 900 * 700, count  # lines, no fill
        check_frame("12,000 nodes", rows)
        # The first row (the front edge on the right) and the first column
        # (on the left) are supported: green triangles along both.
        green = [0, 0]
        for y in range(300, 700):
            for x in range(0, 895):
                r, g, b = rows[y][x]
                if g > r + 40 and g > b + 40:
                    green[x > 450] += 1
        assert green[0] > 500 and green[1] > 500, green
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
