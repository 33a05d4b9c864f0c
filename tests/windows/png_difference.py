"""Compares two 8-bit RGB or RGBA PNG files of one size, as the capture tool writes them:
prints the mean absolute difference per channel and the share of pixels that differ, and
exits 1 when the mean is above the limit given (0 asks for identical pixels)."""
import struct
import sys
import zlib


def pixels(path):
    data = open(path, 'rb').read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', path
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    width, height, depth, colour = header[:4]
    assert depth == 8 and colour in (2, 6), path
    channels = 3 if colour == 2 else 4
    raw, stride, out, previous = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for row in range(height):
        kind, line = raw[row * (stride + 1)], bytearray(raw[row * (stride + 1) + 1:(row + 1) * (stride + 1)])
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
        out.append(bytes(line))
        previous = line
    return width, height, channels, b''.join(out)


first, second, limit = pixels(sys.argv[1]), pixels(sys.argv[2]), float(sys.argv[3])
assert first[:3] == second[:3], 'the pictures differ in size or channels'
a, b, channels = first[3], second[3], first[2]
total = sum(abs(x - y) for x, y in zip(a, b))
differing = sum(1 for i in range(0, len(a), channels) if a[i:i + channels] != b[i:i + channels])
mean = total / len(a)
print('mean difference %.4f per channel, %.2f%% of the pixels differ' % (mean, 100.0 * differing * channels / len(a)))
sys.exit(0 if mean <= limit else 1)
