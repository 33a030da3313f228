#!/usr/bin/env python3
"""Writes the small keslow example of this folder.

A_02.A   document 1 of a model of four elements: a bar (type 10), a layered
         quadrilateral plate (241), a layered plate (244) and a layered
         triangle (242).
A#00.A   a made-up internal file: a header, the forces table (one 16-byte
         entry per element), filler, the elements table (20 bytes per entry,
         16 for the triangle) and a trailer.
B#00.B.expected
         what keslow writes when stiffness 7 is entered: A#00.A with the
         three plates' entries changed to types 41, 44, 42 and stiffness 7.

The expected file is built here from the entries placed, not by running the
program. Run it from this folder:   python3 make_example.py
Then try it:   cp A_02.A A#00.A /tmp/k && cd /tmp/k && printf '7\n' | keslow
"""
import struct

# The first 150 characters of A_02.A are passed over whatever they hold.
preamble = "LIRA internal text of a small example model.\n"
preamble += "-" * (150 - len(preamble) - 1) + "\n"
assert len(preamble) == 150

elements = [
    # (number, type, stiffness, nodes)
    (1, 10, 1, (1, 2)),
    (2, 241, 3, (1, 2, 5, 4)),
    (3, 244, 3, (2, 3, 6, 5)),
    (4, 242, 2, (4, 5, 7)),
]
records = [
    "1D 1 10 1 1 2 /",
    "1D 2 241 3 1 2 5 4 /",
    "244 3 2 3 6 5 /",
    "1D 4 242 2 4 5 7 /",
]
a02 = preamble + "   1D  elements\n" + "\n".join(records) + "\n0D 0D\n)\n"

NEW_STIFFNESS = 7


def forces_entry(number, type_, stiffness, nodes):
    return struct.pack("<iiihh", number, nodes[0], nodes[1], type_, stiffness)


def elements_entry(number, type_, stiffness, nodes):
    quad = list(nodes) + [0] * (4 - len(nodes))
    entry = struct.pack("<hhiiii", type_, stiffness, *quad)
    return entry[:16] if type_ == 242 else entry


def plain(entry, type_offset):
    type_, _ = struct.unpack_from("<hh", entry, type_offset)
    if type_ not in (241, 242, 244):
        return entry
    patched = bytearray(entry)
    struct.pack_into("<hh", patched, type_offset, type_ - 200, NEW_STIFFNESS)
    return bytes(patched)


header = b"A#00" + bytes(range(28))
filler = b"\x00\x11\x22\x33\xf1\x00\x03\x00"
trailer = b"end of tables\x00"

source = [header]
expected = [header]
for e in elements:
    source.append(forces_entry(*e))
    expected.append(plain(forces_entry(*e), 12))
source.append(filler)
expected.append(filler)
for e in elements:
    source.append(elements_entry(*e))
    expected.append(plain(elements_entry(*e), 0))
source.append(trailer)
expected.append(trailer)

with open("A_02.A", "w", newline="\n") as f:
    f.write(a02)
with open("A#00.A", "wb") as f:
    f.write(b"".join(source))
with open("B#00.B.expected", "wb") as f:
    f.write(b"".join(expected))
