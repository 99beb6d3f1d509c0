"""png_diff.py A.png B.png X,Y,W,H TOLERANCE: how many pixels of the rectangle differ between the
two pictures by more than TOLERANCE in some colour channel (8-bit RGB or RGBA PNG files)."""
import struct
import sys
import zlib


def rows(path):
    data = open(path, "rb").read()
    pos, chunks, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            channels = {2: 3, 6: 4}[colour]
            assert depth == 8, "8-bit pictures only"
        elif kind == b"IDAT":
            chunks += body
        pos += 12 + length
    raw, stride, out, previous = zlib.decompress(chunks), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = previous[i], previous[i - channels] if i >= channels else 0
            p = a + b - c
            predictor = [0, a, b, (a + b) // 2,
                         a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else b if abs(p - b) <= abs(p - c) else c]
            line[i] = (line[i] + predictor[kind]) & 255
        out.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return out


a, b = rows(sys.argv[1]), rows(sys.argv[2])
x0, y0, w, h = map(int, sys.argv[3].split(","))
tolerance = int(sys.argv[4])
print(sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
          if max(abs(p - q) for p, q in zip(a[y][x], b[y][x])) > tolerance))
