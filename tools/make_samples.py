#!/usr/bin/env python3
"""Writes the sample puzzles shipped in resources/: the packed document
"NYTimes.gmd" and the binary puzzle "sample.puz". Both grids and all clues
are the Gridmoor team's own. Run from anywhere; the files are rewritten."""

import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

DOCUMENT_GRID = ["READS.BEE", "A.R.....A", "TREE.NEAR", "E.N.S....", "..ALERT..",
                 "....A.O.E", "STAR.SWAN", "E.....E.V", "TWO.BERRY"]
BINARY_GRID = ["RAT.TONES", "O.O...O.A", "SEAT.SWAN", "E.S.I...D", "..TENOR..",
               "I...K.I.E", "SAIL.OVEN", "L.C...E.V", "EVENT.RAY"]

CLUES = {
    "READS": "Looks through, as a book", "RATE": "Speed, or give marks to",
    "ARENA": "Sports ground", "BEE": "Honey maker", "EAR": "Organ of hearing",
    "TREE": "Oak or elm", "NEAR": "Close by", "SEA": "Salty expanse",
    "ALERT": "Wide awake", "TOWER": "Tall building with a view",
    "ENVY": "The green-eyed feeling", "STAR": "Night twinkler, or lead actor",
    "SET": "Put down, or a group of matching items", "SWAN": "Graceful lake bird",
    "TWO": "A pair", "BERRY": "Hedgerow fruit", "RAT": "Long-tailed rodent",
    "ROSE": "Thorny bloom", "TOAST": "Browned bread, or a raised glass",
    "TONES": "Musical sounds", "NOW": "At present", "SAND": "Beach grains",
    "SEAT": "Chair or bench", "INK": "Pen filler", "TENOR": "High male voice",
    "RIVER": "Flowing water", "ISLE": "Small island", "SAIL": "Boat's canvas",
    "ICE": "Frozen water", "OVEN": "Baking box", "EVENT": "Occasion", "RAY": "Beam of light",
}

MAGIC = b"kavlith01"


def words(grid):
    """(number, across, start, word) in the usual crossword numbering."""
    size = len(grid)
    width = len(grid[0])

    def letter(r, c):
        return 0 <= r < size and 0 <= c < width and grid[r][c] != "."

    found = []
    number = 1
    for r in range(size):
        for c in range(width):
            if not letter(r, c):
                continue
            numbered = False
            if not letter(r, c - 1) and letter(r, c + 1):
                end = c
                while letter(r, end):
                    end += 1
                found.append((number, True, r * width + c, grid[r][c:end]))
                numbered = True
            if not letter(r - 1, c) and letter(r + 1, c):
                end = r
                while letter(end, c):
                    end += 1
                found.append((number, False, r * width + c, "".join(grid[k][c] for k in range(r, end))))
                numbered = True
            if numbered:
                number += 1
    return found


def checksum(data, c=0):
    for b in data:
        c = (c >> 1) + 0x8000 if c & 1 else c >> 1
        c = (c + b) & 0xFFFF
    return c


def binary_puzzle(grid, title, author, copyright):
    width, height = len(grid[0]), len(grid)
    clues = [CLUES[w].encode("cp1252") for _, _, _, w in words(grid)]
    solution = "".join(grid).encode("ascii")
    entries = bytes(ch if ch == ord(".") else ord("-") for ch in solution)
    header = struct.pack("<BBHHH", width, height, len(clues), 1, 0)
    strings = [title, author, copyright]
    text = b"".join(s + b"\0" for s in strings) + b"".join(c + b"\0" for c in clues) + b"\0"

    h = checksum(header)
    s = checksum(solution)
    g = checksum(entries)

    def text_sum(c):
        for s_ in strings:
            if s_:
                c = checksum(s_ + b"\0", c)
        for clue in clues:
            if clue:
                c = checksum(clue, c)
        return c

    p = text_sum(0)
    file_sum = text_sum(checksum(entries, checksum(solution, h)))
    masked = bytes([(h & 0xFF) ^ ord("I"), (s & 0xFF) ^ ord("C"), (g & 0xFF) ^ ord("H"), (p & 0xFF) ^ ord("E"),
                    (h >> 8) ^ ord("A"), (s >> 8) ^ ord("T"), (g >> 8) ^ ord("E"), (p >> 8) ^ ord("D")])
    return (struct.pack("<H", file_sum) + b"ACROSS&DOWN\0" + struct.pack("<H", h) + masked + b"1.3\0"
            + bytes(16) + header + solution + entries + text)


def encode_clue(text):
    return text.replace(" ", "%20").replace('"', "%22").replace(",", "%2C")


def document(grid, title, author):
    found = words(grid)
    lines = ["<crossword>",
             '<Title v="%s" />' % title,
             '<Author v="%s" />' % author,
             '<Width v="%d" />' % len(grid[0]),
             '<Height v="%d" />' % len(grid),
             '<AllAnswer v="%s" />' % "".join(grid).replace(".", "-")]
    for across, block, prefix in ((True, "across", "a"), (False, "down", "d")):
        lines.append("<%s>" % block)
        k = 0
        for number, is_across, start, word in found:
            if is_across == across:
                k += 1
                lines.append('<%s%d c="%s" n="%d" cn="%d" />'
                             % (prefix, k, encode_clue(CLUES[word]), start + 1, number))
        lines.append("</%s>" % block)
    lines.append("</crossword>")
    return ("\n".join(lines) + "\n").encode("cp1252")


def main():
    os.makedirs(ROOT, exist_ok=True)
    text = document(DOCUMENT_GRID, "Gridmoor Sampler", "Gridmoor Team")
    with open(os.path.join(ROOT, "NYTimes.gmd"), "wb") as out:
        out.write(MAGIC + zlib.compress(text, 9))
    with open(os.path.join(ROOT, "sample.puz"), "wb") as out:
        out.write(binary_puzzle(BINARY_GRID, b"Gridmoor Starter", b"Gridmoor Team",
                                b"Gridmoor Team, free to share"))


if __name__ == "__main__":
    main()
