#!/usr/bin/env python3
"""Prints the centre of each area of one colour in a PPM picture (read from
standard input), one "x y" a line, in reading order: top to bottom, then
left to right. Areas of fewer than MIN_PIXELS pixels are left out.

usage: tinted_areas.py RRGGBB < picture.ppm
"""
import sys

MIN_PIXELS = 20


def read_ppm(data):
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "a PPM picture of 8-bit channels"
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def main():
    colour = bytes.fromhex(sys.argv[1])
    width, height, pixels = read_ppm(sys.stdin.buffer.read())
    tinted = {(x, y) for y in range(height) for x in range(width)
              if pixels[3 * (y * width + x):3 * (y * width + x) + 3] == colour}
    areas = []
    while tinted:
        stack = [tinted.pop()]
        area = []
        while stack:
            x, y = stack.pop()
            area.append((x, y))
            for near in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if near in tinted:
                    tinted.remove(near)
                    stack.append(near)
        if len(area) >= MIN_PIXELS:
            xs, ys = [p[0] for p in area], [p[1] for p in area]
            areas.append((min(ys), min(xs), (min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2))
    for _, _, x, y in sorted(areas):
        print(x, y)


main()
