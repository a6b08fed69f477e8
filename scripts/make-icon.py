#!/usr/bin/env python3
"""Writes the application icon: one 32x32 image with a 256-colour palette.
A round green blob with two eyes, drawn from a few circles."""
import struct, sys

W = H = 32
palette = [(0, 0, 0)] * 256
colours = {0: (0, 0, 0), 1: (24, 120, 40), 2: (60, 190, 80), 3: (150, 235, 150),
           4: (255, 255, 255), 5: (20, 20, 60), 6: (0, 70, 20)}
for i, c in colours.items():
    palette[i] = c

def inside(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

pix = [[0] * W for _ in range(H)]
mask = [[1] * W for _ in range(H)]  # 1 = transparent
for y in range(H):
    for x in range(W):
        px, py = x + 0.5, y + 0.5
        if inside(px, py, 16, 17, 14.5):
            mask[y][x] = 0
            pix[y][x] = 6 if not inside(px, py, 16, 17, 13.5) else (3 if inside(px, py, 11, 10, 5) else 2 if py < 22 else 1)
            for ex in (11, 21):
                if inside(px, py, ex, 16, 4.2):
                    pix[y][x] = 4
                if inside(px, py, ex + 1, 17, 2.0):
                    pix[y][x] = 5

xor = b''.join(bytes(pix[H - 1 - r]) for r in range(H))
and_rows = []
for r in range(H):
    row = mask[H - 1 - r]
    bits = 0
    out = bytearray()
    for x in range(W):
        bits = (bits << 1) | row[x]
        if x % 8 == 7:
            out.append(bits); bits = 0
    and_rows.append(bytes(out) + b'\0' * 0)  # 4 bytes a row: already 32-bit aligned
andmask = b''.join(and_rows)
pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
bih = struct.pack('<IiiHHIIiiII', 40, W, H * 2, 1, 8, 0, len(xor) + len(andmask), 0, 0, 256, 0)
image = bih + pal + xor + andmask
header = struct.pack('<HHH', 0, 1, 1)
entry = struct.pack('<BBBBHHII', W, H, 0, 0, 1, 8, len(image), 6 + 16)
sys.stdout.buffer.write(header + entry + image)
