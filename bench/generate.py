#!/usr/bin/env python3
"""Writes valid, consistent inputs of a given size for the three programs.

    generate.py tarvex  SIZE DIR   modellir.txt and answers.txt
    generate.py vantrel SIZE DIR   model.txt and loadfrag.txt
    generate.py keslow  SIZE DIR   A_02.A, A#00.A and answers.txt
    generate.py mesh    SIZE DIR   modellir.txt, answers.txt and mesh.inp

SIZE is the number of nodes of the model (tarvex, vantrel) or of elements
(keslow), from a few dozen up to millions. The inputs are meant to convert
without a single message: answers.txt holds the console answers of the run.

tarvex: a floor of nx by ny nodes 0.5 apart. The lower three quarters of its
cells are plates (type 44, a triangle pair of type 42 in the last column),
in two stiffnesses; the upper quarter is a reinforced concrete slab (type
241, triangles 242). Bars (type 10) run along the first row, plastic bars
(210) along the last one, and elastic links (51) hang under every second
node of the slab's first row. Supports hold the first row and the first
column. Load case 1 is the own weight, one record per element with mass;
cases 2 to 20 hold pressures (load types 6 and 7), bar loads and nodal
forces. Own-weight values are worked out as the program checks them: the
element's section quantity times its density, over 1000.

vantrel: a model of the same shape with a document 7 of one value line per
node, and a fragment table of one block for every 100 nodes.

keslow: a document 1 of mixed elements, mostly layered plates, and an
A#00.A of a header, the forces table, a node table, the elements table and a
trailer.

mesh: a floor of plates only with one load case (its own weight), for tarvex,
and the same nodes and plates as an Abaqus deck, for a general converter.
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------- helpers


class Out:
    """Buffered line writer (LF line ends; the programs read text mode)."""

    def __init__(self, path):
        self.f = open(path, "w", newline="\n", encoding="ascii")
        self.lines = []

    def line(self, text):
        self.lines.append(text)
        if len(self.lines) >= 65536:
            self.flush()

    def flush(self):
        if self.lines:
            self.f.write("\n".join(self.lines))
            self.f.write("\n")
            self.lines = []

    def close(self):
        self.flush()
        self.f.close()


def half(i):
    """i * 0.5 written as the model writes coordinates: 3, 3.5."""
    return str(i // 2) if i % 2 == 0 else "%d.5" % (i // 2)


def grid(size):
    nx = max(3, int(math.isqrt(max(size, 9))))
    ny = max(4, (size + nx - 1) // nx)
    return nx, ny


def document(out, header, records):
    """A document: its header line, its record lines, the closing line."""
    out.line(header)
    for record in records:
        out.line(record)
    out.line(" )")


def grid_nodes(nx, ny):
    """The coordinates of the floor's nodes, row by row: ("3", "0.5")."""
    for j in range(ny):
        for i in range(nx):
            yield half(i), half(j)


def grid_plates(nx, ny):
    """The corners (a, b, c, d) of the floor's cells, in the order of document 1."""
    for j in range(ny - 1):
        for i in range(nx - 1):
            a = j * nx + i + 1
            yield a, a + 1, a + nx, a + nx + 1


# One plate stiffness, E 3.0E6, nu 0.2, t 0.2: vantrel's model and the mesh.
PLATE_STIFFNESS = ["1 3.0E6 0.2 0.2 /"]


# ----------------------------------------------------------------- tarvex

# Stiffnesses: number -> (kind, own-weight value line).
PLATE_1 = 1      # t = 0.2, density 2500: weight intensity 500
SLAB = 2         # T = 0.2, density 2500: 500
BAR = 3          # 20 x 40 cm, density 7850 (an exception): 628
LINK = 4         # density set to 0 by the program
PLASTIC = 5      # 20 x 40 cm, density 2500: 200
PLATE_6 = 6      # t = 0.25, density 2500: 625

WEIGHT_LINE = {PLATE_1: 1, SLAB: 2, BAR: 3, PLASTIC: 4, PLATE_6: 5}
WEIGHT_VALUE = {1: "0.5", 2: "0.5", 3: "0.628", 4: "0.2", 5: "0.625"}
WEIGHT_CASE = 1
CASES = 20

TARVEX_ANSWERS = "0.005\n2500\ny\n3\n7850\n0\n%d\nc\n" % WEIGHT_CASE

STIFFNESS_DOCUMENT = """( 3/
1 3.0E6 0.2 0.2 /
2 GENE14/
2 -0.0035 -145 -0.0002 -60/
2 0.0001 10/
2 NA11 1 2.1E6 4E4 /
2 SA2 1 2 3 /
2 5 3 -8 /
2 5 3 -8 /
2 4 2 8 /
2 DEL 0.2 /
2 NU= 0.2/
3 S0 3.0E6 20 40 /
4 3 1000 /
5 S100 20 40/
5 NB11/0 2.1E6 -2.4E4 0 0 /
5 AZ 1.5/
5 TW 1 2 /
6 3.0E6 0.2 0.25 /
 )"""


def tarvex_elements(nx, ny):
    """Yields (type, stiffness, nodes) in document order."""
    def n(i, j):
        return j * nx + i + 1

    slab_from = (ny - 1) * 3 // 4  # first row of slab cells
    for j in range(ny - 1):
        slab = j >= slab_from
        s = SLAB if slab else (PLATE_1 if j < slab_from // 2 else PLATE_6)
        quad, tri = (241, 242) if slab else (44, 42)
        for i in range(nx - 1):
            a, b, c, d = n(i, j), n(i + 1, j), n(i, j + 1), n(i + 1, j + 1)
            if i == nx - 2:
                yield tri, s, (a, b, d)
                yield tri, s, (a, d, c)
            else:
                yield quad, s, (a, b, c, d)
    for i in range(nx - 1):
        yield 10, BAR, (n(i, 0), n(i + 1, 0))
    for i in range(nx - 1):
        yield 210, PLASTIC, (n(i, ny - 1), n(i + 1, ny - 1))
    for i in range(0, nx, 2):
        yield 51, LINK, (n(i, slab_from),)


def write_tarvex(size, where):
    nx, ny = grid(size)
    nodes = nx * ny
    out = Out(os.path.join(where, "modellir.txt"))
    out.line("( 0/ 1; generated model, %d nodes /" % nodes)

    # Document 1, remembering what the loads need of every element.
    out.line("( 1/")
    elements = []  # (type, stiffness)
    for t, s, ns in tarvex_elements(nx, ny):
        out.line("%d %d %s /" % (t, s, " ".join(map(str, ns))))
        elements.append((t, s))
    out.line(" )")

    out.line(STIFFNESS_DOCUMENT)

    document(out, "( 4/", ("%s %s 0 /" % xy for xy in grid_nodes(nx, ny)))

    out.line("( 5/")
    for i in range(nx):
        out.line("%d 1 2 3 4 5 6 /" % (i + 1) if i in (0, nx - 1) else "%d 1 2 3 /" % (i + 1))
    for j in range(1, ny):
        out.line("%d 1 2 /" % (j * nx + 1))
    out.line(" )")

    # Value lines of document 7: the own weights, then per case a pressure,
    # a plate load of four values and a bar load, then one per nodal force.
    values = [WEIGHT_VALUE[k] for k in range(1, 6)]
    pressure, four, beam = {}, {}, {}
    for c in range(2, CASES + 1):
        values.append("%g" % (0.1 * (c - 1)))
        pressure[c] = len(values)
        values.append("%g %g %g %g" % (0.01 * c, 0.02 * c, 0.03 * c, 0.04 * c))
        four[c] = len(values)
        values.append("%g" % (0.05 * c))
        beam[c] = len(values)

    out.line("( 6/")
    for k, (t, s) in enumerate(elements, 1):
        if t != 51:
            out.line("%d 16 3 %d %d /" % (k, WEIGHT_LINE[s], WEIGHT_CASE))
    for k, (t, s) in enumerate(elements, 1):
        c = 2 + k % (CASES - 1)
        if t in (10, 210):
            out.line("%d 6 %d %d %d /" % (k, 3 if k % 2 else 2, beam[c], c))
        elif t != 51:
            if k % 7 == 0:
                out.line("%d 7 3 %d %d /" % (k, four[c], c))
            else:
                out.line("%d 6 3 %d %d /" % (k, pressure[c], c))
    for node in range(10, nodes + 1, 10):
        values.append("%g" % (-0.25 * (node % 97 + 1)))
        c = 2 + (node // 10) % (CASES - 1)
        out.line("%d 0 %d %d %d /" % (node, 1 + node % 6, len(values), c))
    out.line(" )")

    document(out, "( 7/", ("%d %s /" % (line, v) for line, v in enumerate(values, 1)))
    document(out, "( 16/", ("%d 1 1 /" % c for c in range(1, CASES + 1)))
    out.close()
    with open(os.path.join(where, "answers.txt"), "w", newline="\n") as f:
        f.write(TARVEX_ANSWERS)
    return {"nodes": nodes, "elements": len(elements), "load cases": CASES}


# ---------------------------------------------------------------- vantrel


def write_vantrel(size, where):
    nx, ny = grid(size)
    nodes = nx * ny
    out = Out(os.path.join(where, "model.txt"))
    out.line("( 0/ 1; generated model, %d nodes /" % nodes)
    count = (nx - 1) * (ny - 1)
    document(out, "( 1/", ("44 1 %d %d %d %d /" % abcd for abcd in grid_plates(nx, ny)))
    document(out, "( 3/", PLATE_STIFFNESS)
    document(out, "( 4/", ("%s %s 0 /" % xy for xy in grid_nodes(nx, ny)))
    document(out, "( 5/", ("%d 1 2 3 /" % i for i in range(1, nx + 1)))
    # One own-weight-like load per element and one nodal load per node, each
    # with a value line of its own: a large document 7.
    out.line("( 6/")
    for k in range(1, count + 1):
        out.line("%d 6 3 %d 1 /" % (k, k))
    for node in range(1, nodes + 1):
        out.line("%d 0 3 %d 2 /" % (node, count + node))
    out.line("")
    out.line(" )")
    out.line("( 7/")
    for k in range(1, count + 1):
        out.line("%d %g 0 /" % (k, -0.5 - (k % 7) * 0.125))
    for node in range(1, nodes + 1):
        out.line("%d %g 0 /" % (count + node, -1.0 - (node % 5)))
    out.line("")
    out.line(" )")
    out.line("( 16/")
    out.line("1 1 1 /")
    out.line("2 1 1 /")
    out.line(" )")
    out.close()

    blocks = max(1, nodes // 100)
    t = Out(os.path.join(where, "loadfrag.txt"))
    rule = "-" * 80
    t.line("LOADS ON THE FRAGMENT")
    t.line(rule)
    t.line("| Loading | Type | Nodes" + " " * 55 + "|")
    t.line(rule)
    first = 1
    for b in range(blocks):
        columns = 5 if b % 4 == 1 else 9  # the first block fixes 9 columns
        ids = [(first + c * 11 - 1) % nodes + 1 for c in range(columns)]
        first = (first + 97) % nodes + 1
        t.line(("|  " + "".join("%8d" % n for n in ids)).ljust(79) + "|")
        t.line(rule)
        for loading in (1 + b % 12, 1 + (b + 5) % 12):
            t.line(("| %d - static" % loading).ljust(79) + "|")
            for kw, scale in (("RX", 1.25), ("RZ", -10.0), ("RUY", 0.0), ("RUZ", 0.001)):
                cells = ""
                for c in range(9):
                    if c >= columns or (b + c) % 3 == 0:
                        cells += " " * 8
                    else:
                        cells += "%8.3f" % (scale * (1 + (b + c) % 4))
                t.line("| " + kw.ljust(4) + cells + " |")
        t.line(rule)
    t.close()
    return {"nodes": nodes, "value lines": count + nodes, "blocks": blocks}


# ----------------------------------------------------------------- keslow


def write_keslow(size, where):
    count = max(size, 8)
    elements = []  # (number, type, stiffness, nodes)
    for k in range(1, count + 1):
        r = k % 20
        a = 2 * k + 1
        if r == 0:
            elements.append((k, 10, 1, (a, a + 1)))
        elif r == 1:
            elements.append((k, 44, 2, (a, a + 1, a + 2, a + 3)))
        elif r in (2, 3):
            elements.append((k, 242, 3, (a, a + 1, a + 2)))
        elif r in (4, 5, 6):
            elements.append((k, 244, 3, (a, a + 1, a + 2, a + 3)))
        else:
            elements.append((k, 241, 3, (a, a + 1, a + 2, a + 3)))

    preamble = "LIRA internal text of a generated model.\n"
    preamble += "-" * (150 - len(preamble) - 1) + "\n"
    out = Out(os.path.join(where, "A_02.A"))
    out.f.write(preamble)
    out.line("   1D  elements")
    for number, t, s, ns in elements:
        marker = "1D %d " % number if number % 3 == 0 else ""
        out.line("%s%d %d %s /" % (marker, t, s, " ".join(map(str, ns))))
    out.line("0D 0D")
    out.line(")")
    out.close()

    with open(os.path.join(where, "A#00.A"), "wb") as f:
        f.write(b"A#00" + bytes(range(28)))
        chunk = []
        for number, t, s, ns in elements:
            chunk.append(struct.pack("<iiihh", number, ns[0], ns[1], t, s))
            if len(chunk) == 65536:
                f.write(b"".join(chunk))
                chunk = []
        f.write(b"".join(chunk))
        # A node table: three coordinates per node, in single precision.
        chunk = []
        for node in range(1, 2 * count + 5):
            chunk.append(struct.pack("<fff", 0.5 * node, 0.25 * (node % 40), 3.0))
            if len(chunk) == 65536:
                f.write(b"".join(chunk))
                chunk = []
        f.write(b"".join(chunk))
        chunk = []
        for number, t, s, ns in elements:
            quad = list(ns) + [0] * (4 - len(ns))
            entry = struct.pack("<hhiiii", t, s, *quad)
            chunk.append(entry[:16] if t == 242 else entry)
            if len(chunk) == 65536:
                f.write(b"".join(chunk))
                chunk = []
        f.write(b"".join(chunk))
        f.write(b"end of tables\x00")
    with open(os.path.join(where, "answers.txt"), "w", newline="\n") as f:
        f.write("7\n")
    return {"elements": count}


# ------------------------------------------------------------------- mesh


def write_mesh(size, where):
    """Plates only, one load case (own weight), for tarvex; and the same mesh
    as an Abaqus deck (mesh.inp) for a general mesh converter."""
    nx, ny = grid(size)
    nodes = nx * ny
    out = Out(os.path.join(where, "modellir.txt"))
    deck = Out(os.path.join(where, "mesh.inp"))
    deck.line("*HEADING")
    deck.line("generated mesh, %d nodes" % nodes)
    deck.line("*NODE")
    out.line("( 0/ 1; generated mesh, %d nodes /" % nodes)
    count = (nx - 1) * (ny - 1)
    document(out, "( 1/", ("44 1 %d %d %d %d /" % abcd for abcd in grid_plates(nx, ny)))
    document(out, "( 3/", PLATE_STIFFNESS)
    document(out, "( 4/", ("%s %s 0 /" % xy for xy in grid_nodes(nx, ny)))
    for node, (x, y) in enumerate(grid_nodes(nx, ny), 1):
        deck.line("%d, %s, %s, 0" % (node, x, y))
    deck.line("*ELEMENT, TYPE=S4, ELSET=PLATES")
    for k, (a, b, c, d) in enumerate(grid_plates(nx, ny), 1):
        deck.line("%d, %d, %d, %d, %d" % (k, a, b, d, c))
    deck.close()
    document(out, "( 5/", ("%d 1 2 3 /" % i for i in range(1, nx + 1)))
    document(out, "( 6/", ("%d 16 3 1 1 /" % k for k in range(1, count + 1)))
    document(out, "( 7/", ["1 0.5 /"])
    document(out, "( 16/", ["1 1 1 /"])
    out.close()
    with open(os.path.join(where, "answers.txt"), "w", newline="\n") as f:
        f.write("0.005\n2500\nn\n1\nc\n")
    return {"nodes": nodes, "elements": count, "load cases": 1}


WRITERS = {"tarvex": write_tarvex, "vantrel": write_vantrel, "keslow": write_keslow,
           "mesh": write_mesh}


def main(argv):
    if len(argv) != 4 or argv[1] not in WRITERS:
        sys.stderr.write(__doc__)
        return 2
    size = int(argv[2])
    os.makedirs(argv[3], exist_ok=True)
    facts = WRITERS[argv[1]](size, argv[3])
    print(" ".join("%s=%s" % (k.replace(" ", "_"), v) for k, v in facts.items()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
