#!/usr/bin/env python3
"""Draws the program's button bitmaps and its icon, and writes them as .bmp and .ico files.

Usage: make_images.py OUTPUT_FOLDER

Every picture is a small vector scene (polygons, capsules, ellipses, rounded boxes) rendered
with 8 x 8 samples per pixel. The button bitmaps are opaque 24-bit images whose background is
the skin's button face colour; the skin draws that colour transparent, and the anti-aliased
edges are blended toward it so they sit well on the face. The icon carries a 16-colour 16 x 16
image, a 256-colour 32 x 32 image and a true-colour 32 x 32 image with an alpha channel.
"""

import math
import os
import struct
import sys

SAMPLES_PER_AXIS = 8

# The skin's button face, halfway down its gradient; also the bitmaps' transparent colour.
BUTTON_FACE = (238, 243, 250)


# ---------------------------------------------------------------------------------------------
# Shapes: each is (bounding box, inside test); coordinates are in pixels, (0, 0) is the top-left
# corner of the top-left pixel.

def shape_polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        crossings = False
        count = len(points)
        for index in range(count):
            x1, y1 = points[index]
            x2, y2 = points[(index + 1) % count]
            if (y1 > y) != (y2 > y):
                x_cross = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
                if x < x_cross:
                    crossings = not crossings
        return crossings

    return (min(xs), min(ys), max(xs), max(ys)), inside


def shape_capsule(start, end, radius):
    (x1, y1), (x2, y2) = start, end
    dx, dy = x2 - x1, y2 - y1
    length_sq = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = ((x - x1) * dx + (y - y1) * dy) / length_sq
        t = 0.0 if t < 0.0 else (1.0 if t > 1.0 else t)
        px, py = x1 + t * dx - x, y1 + t * dy - y
        return px * px + py * py <= radius * radius

    box = (min(x1, x2) - radius, min(y1, y2) - radius, max(x1, x2) + radius, max(y1, y2) + radius)
    return box, inside


def shape_ellipse(centre, radius_x, radius_y, angle_deg=0.0):
    cx, cy = centre
    cos_a = math.cos(math.radians(angle_deg))
    sin_a = math.sin(math.radians(angle_deg))

    def inside(x, y):
        u = (x - cx) * cos_a + (y - cy) * sin_a
        v = -(x - cx) * sin_a + (y - cy) * cos_a
        return (u / radius_x) ** 2 + (v / radius_y) ** 2 <= 1.0

    reach = max(radius_x, radius_y)
    return (cx - reach, cy - reach, cx + reach, cy + reach), inside


def shape_box(centre, half_length, half_width, angle_deg=0.0, corner=0.0):
    """A box turned by angle_deg, its corners rounded by corner pixels."""
    cx, cy = centre
    cos_a = math.cos(math.radians(angle_deg))
    sin_a = math.sin(math.radians(angle_deg))

    def inside(x, y):
        u = abs((x - cx) * cos_a + (y - cy) * sin_a)
        v = abs(-(x - cx) * sin_a + (y - cy) * cos_a)
        if u > half_length or v > half_width:
            return False
        du = u - (half_length - corner)
        dv = v - (half_width - corner)
        if du > 0 and dv > 0:
            return du * du + dv * dv <= corner * corner
        return True

    reach = math.hypot(half_length, half_width)
    return (cx - reach, cy - reach, cx + reach, cy + reach), inside


def shape_inset_triangle(points, inset_px):
    """The triangle shrunk toward its incentre so that every edge moves in by inset_px."""
    (ax, ay), (bx, by), (cx, cy) = points
    a = math.dist((bx, by), (cx, cy))
    b = math.dist((ax, ay), (cx, cy))
    c = math.dist((ax, ay), (bx, by))
    perimeter = a + b + c
    ix = (a * ax + b * bx + c * cx) / perimeter
    iy = (a * ay + b * by + c * cy) / perimeter
    area = abs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2
    inradius = 2 * area / perimeter
    factor = (inradius - inset_px) / inradius
    return [(ix + (x - ix) * factor, iy + (y - iy) * factor) for x, y in points]


# ---------------------------------------------------------------------------------------------
# Paint: a canvas is a list of rows of [r, g, b, a] floats (colour 0..255, alpha 0..1),
# straight (not premultiplied) colour.

def canvas_new(width, height):
    return [[[0.0, 0.0, 0.0, 0.0] for _ in range(width)] for _ in range(height)]


def paint_vertical(top, bottom, y_top, y_bottom):
    """A colour function for a vertical gradient between two heights."""
    span = (y_bottom - y_top) or 1.0

    def color_at(_x, y):
        t = min(1.0, max(0.0, (y - y_top) / span))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))

    return color_at


def paint_solid(color):
    return lambda _x, _y: color


def canvas_fill(canvas, shape, paint, opacity=1.0):
    (left, top, right, bottom), inside = shape
    height = len(canvas)
    width = len(canvas[0])
    step = 1.0 / SAMPLES_PER_AXIS
    offsets = [(i + 0.5) * step for i in range(SAMPLES_PER_AXIS)]
    total = SAMPLES_PER_AXIS * SAMPLES_PER_AXIS
    for py in range(max(0, int(math.floor(top))), min(height, int(math.ceil(bottom)) + 1)):
        for px in range(max(0, int(math.floor(left))), min(width, int(math.ceil(right)) + 1)):
            hits = 0
            for oy in offsets:
                for ox in offsets:
                    if inside(px + ox, py + oy):
                        hits += 1
            if hits == 0:
                continue
            coverage = opacity * hits / total
            color = paint(px + 0.5, py + 0.5)
            pixel = canvas[py][px]
            out_alpha = coverage + pixel[3] * (1.0 - coverage)
            for channel in range(3):
                pixel[channel] = (color[channel] * coverage
                                  + pixel[channel] * pixel[3] * (1.0 - coverage)) / out_alpha
            pixel[3] = out_alpha


def darker(color, factor=0.62):
    return tuple(c * factor for c in color)


# ---------------------------------------------------------------------------------------------
# The pictures, drawn on transparent canvases.

def draw_play(canvas):
    triangle = [(17.5, 7.0), (17.5, 23.0), (31.0, 15.0)]
    top, bottom = (92, 200, 110), (28, 138, 62)
    canvas_fill(canvas, shape_polygon(triangle), paint_solid(darker(bottom, 0.7)))
    canvas_fill(canvas, shape_polygon(shape_inset_triangle(triangle, 1.0)),
                paint_vertical(top, bottom, 7.0, 23.0))
    # A soft highlight along the upper edge.
    canvas_fill(canvas, shape_polygon([(18.6, 9.0), (18.6, 14.0), (27.0, 14.0)]),
                paint_solid((255, 255, 255)), 0.22)


def draw_stop(canvas):
    top, bottom = (232, 98, 88), (176, 42, 38)
    canvas_fill(canvas, shape_box((22.5, 15.0), 7.5, 7.5, 0.0, 2.5), paint_solid(darker(bottom, 0.7)))
    canvas_fill(canvas, shape_box((22.5, 15.0), 6.5, 6.5, 0.0, 1.8), paint_vertical(top, bottom, 8.0, 22.0))
    canvas_fill(canvas, shape_box((22.5, 11.6), 5.4, 2.6, 0.0, 1.5), paint_solid((255, 255, 255)), 0.22)


def draw_settings(canvas):
    outline = 0.8
    # Screwdriver, from the top-left tip down to the handle at the bottom-right.
    steel = (168, 176, 190)
    canvas_fill(canvas, shape_capsule((5.5, 5.5), (15.5, 15.5), 1.2 + outline), paint_solid(darker(steel, 0.5)))
    canvas_fill(canvas, shape_capsule((5.5, 5.5), (15.5, 15.5), 1.2), paint_solid(steel))
    handle_top, handle_bottom = (245, 140, 60), (200, 80, 30)
    canvas_fill(canvas, shape_capsule((16.5, 16.5), (23.5, 23.5), 3.3 + outline),
                paint_solid(darker(handle_bottom, 0.6)))
    canvas_fill(canvas, shape_capsule((16.5, 16.5), (23.5, 23.5), 3.3),
                paint_vertical(handle_top, handle_bottom, 13.0, 27.0))
    for offset in (0.0, 2.6):
        canvas_fill(canvas, shape_capsule((18.6 + offset, 18.6 + offset), (19.4 + offset, 19.4 + offset), 0.7),
                    paint_solid(darker(handle_bottom, 0.75)))
    # Hammer, from the handle's end at the bottom-left up to the head at the top-right.
    wood_top, wood_bottom = (214, 160, 104), (160, 104, 56)
    canvas_fill(canvas, shape_capsule((5.0, 25.0), (19.5, 10.5), 1.8 + outline), paint_solid(darker(wood_bottom, 0.6)))
    canvas_fill(canvas, shape_capsule((5.0, 25.0), (19.5, 10.5), 1.8), paint_vertical(wood_top, wood_bottom, 8.0, 27.0))
    head_top, head_bottom = (128, 140, 160), (70, 80, 98)
    head_centre = (20.5, 9.5)
    canvas_fill(canvas, shape_box(head_centre, 7.0 + outline, 2.9 + outline, 45.0, 1.2),
                paint_solid(darker(head_bottom, 0.6)))
    canvas_fill(canvas, shape_box(head_centre, 7.0, 2.9, 45.0, 0.9), paint_vertical(head_top, head_bottom, 3.0, 16.0))
    canvas_fill(canvas, shape_box((19.6, 8.6), 6.0, 0.8, 45.0, 0.5), paint_solid((255, 255, 255)), 0.3)


def draw_beamed_notes(canvas, ink, scale, origin):
    """Two eighth notes joined by a beam, drawn on a 32-pixel design grid."""
    ox, oy = origin

    def at(x, y):
        return (ox + x * scale, oy + y * scale)

    canvas_fill(canvas, shape_ellipse(at(10.0, 23.0), 3.6 * scale, 2.7 * scale, -22.0), paint_solid(ink))
    canvas_fill(canvas, shape_ellipse(at(21.0, 20.5), 3.6 * scale, 2.7 * scale, -22.0), paint_solid(ink))
    stem_width = 1.9
    canvas_fill(canvas, shape_polygon([at(12.6, 22.3), at(12.6, 9.0), at(12.6 + stem_width, 9.0),
                                       at(12.6 + stem_width, 22.3)]), paint_solid(ink))
    canvas_fill(canvas, shape_polygon([at(23.6, 19.8), at(23.6, 6.5), at(23.6 + stem_width, 6.5),
                                       at(23.6 + stem_width, 19.8)]), paint_solid(ink))
    canvas_fill(canvas, shape_polygon([at(12.6, 9.0), at(25.4, 6.5), at(25.4, 10.3), at(12.6, 12.8)]), paint_solid(ink))


def draw_open(canvas):
    back, back_edge = (222, 164, 52), (160, 108, 24)
    canvas_fill(canvas, shape_box((8.5, 8.2), 5.5, 2.6, 0.0, 1.2), paint_solid(back_edge))
    canvas_fill(canvas, shape_box((15.0, 16.5), 12.5, 9.0, 0.0, 1.6), paint_solid(back_edge))
    canvas_fill(canvas, shape_box((15.0, 16.5), 11.6, 8.1, 0.0, 1.2), paint_solid(back))
    # A sheet of paper peeks out of the folder.
    canvas_fill(canvas, shape_box((15.5, 12.5), 9.5, 3.5, 0.0, 0.6), paint_solid((150, 150, 150)))
    canvas_fill(canvas, shape_box((15.5, 12.8), 8.8, 3.2, 0.0, 0.4), paint_solid((255, 255, 255)))
    front = [(6.0, 13.0), (28.8, 13.0), (26.6, 25.5), (2.6, 25.5)]
    front_inner = [(6.8, 14.0), (27.6, 14.0), (25.8, 24.6), (3.8, 24.6)]
    canvas_fill(canvas, shape_polygon(front), paint_solid(back_edge))
    canvas_fill(canvas, shape_polygon(front_inner), paint_vertical((255, 220, 120), (238, 178, 62), 13.0, 25.0))
    draw_beamed_notes(canvas, (36, 64, 132), 0.5, (8.0, 12.4))


def draw_app_icon(canvas, scale, sixteen_colors=False):
    """The 16-colour version keeps to flat colours of the standard palette, so that nothing
    turns grey or teal when it is reduced to that palette."""
    size = 32 * scale
    edge = (0, 0, 128) if sixteen_colors else (28, 70, 150)
    face = paint_solid((0, 0, 255)) if sixteen_colors else paint_vertical((96, 160, 236), (36, 92, 184), 0.0, size)
    canvas_fill(canvas, shape_box((size / 2, size / 2), 15.0 * scale, 15.0 * scale, 0.0, 5.0 * scale),
                paint_solid(edge))
    canvas_fill(canvas, shape_box((size / 2, size / 2), 14.0 * scale, 14.0 * scale, 0.0, 4.2 * scale), face)
    if not sixteen_colors:
        canvas_fill(canvas, shape_box((size / 2, 8.5 * scale), 12.0 * scale, 5.5 * scale, 0.0, 3.5 * scale),
                    paint_solid((255, 255, 255)), 0.16)
    draw_beamed_notes(canvas, (255, 255, 255), scale, (0.0, 0.5 * scale))


# ---------------------------------------------------------------------------------------------
# Files.

def pixel_bytes(pixel, background):
    """The pixel's colour over background, as 0..255 integers."""
    alpha = pixel[3]
    return tuple(int(round(pixel[i] * alpha + background[i] * (1.0 - alpha))) for i in range(3))


def bmp_24(canvas):
    height = len(canvas)
    width = len(canvas[0])
    row_size = (width * 3 + 3) & ~3
    rows = []
    for row in reversed(canvas):
        data = bytearray()
        for pixel in row:
            r, g, b = pixel_bytes(pixel, BUTTON_FACE)
            data += bytes((b, g, r))
        data += b"\0" * (row_size - len(data))
        rows.append(bytes(data))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


# The 16 colours of the standard Windows palette.
PALETTE_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette_median_cut(colors, size):
    """Up to size colours that stand for the given ones (the averages of median-cut boxes)."""
    boxes = [sorted(set(colors))]
    while len(boxes) < size:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b) for i in range(3)))
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes.remove(box)
        boxes += [box[:half], box[half:]]
    return [tuple(sum(c[i] for c in b) // len(b) for i in range(3)) for b in boxes]


def nearest_index(color, palette):
    return min(range(len(palette)), key=lambda i: sum((color[c] - palette[i][c]) ** 2 for c in range(3)))


def and_mask(canvas):
    width = len(canvas[0])
    row_size = ((width + 31) // 32) * 4
    rows = []
    for row in reversed(canvas):
        bits = bytearray(row_size)
        for x, pixel in enumerate(row):
            if pixel[3] < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bits))
    return b"".join(rows)


def icon_image(canvas, bit_count):
    """One icon image: header, palette, colour pixels and transparency mask."""
    height = len(canvas)
    width = len(canvas[0])
    opaque = [[pixel_bytes(p, (0, 0, 0)) if p[3] <= 0 else
               tuple(int(round(p[i])) for i in range(3)) for p in row] for row in canvas]
    palette = []
    if bit_count == 4:
        palette = PALETTE_16
    elif bit_count == 8:
        used = [opaque[y][x] for y in range(height) for x in range(width) if canvas[y][x][3] >= 0.5]
        palette = [(0, 0, 0)] + palette_median_cut(used, 255)
        palette += [(0, 0, 0)] * (256 - len(palette))
    row_bits = width * bit_count
    row_size = ((row_bits + 31) // 32) * 4
    rows = []
    for y in reversed(range(height)):
        data = bytearray()
        if bit_count == 32:
            for x in range(width):
                r, g, b = opaque[y][x]
                data += bytes((b, g, r, int(round(canvas[y][x][3] * 255))))
        else:
            indices = []
            for x in range(width):
                transparent = canvas[y][x][3] < 0.5
                indices.append(0 if transparent else nearest_index(opaque[y][x], palette))
            if bit_count == 4:
                for x in range(0, width, 2):
                    data.append((indices[x] << 4) | indices[x + 1])
            else:
                data += bytes(indices)
        data += b"\0" * (row_size - len(data))
        rows.append(bytes(data))
    colour_pixels = b"".join(rows)
    mask = and_mask(canvas)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bit_count, 0,
                         len(colour_pixels) + len(mask), 0, 0, len(palette), 0)
    palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + palette_bytes + colour_pixels + mask


def ico_file(images):
    """images: (canvas, bit_count) pairs."""
    entries = []
    blobs = []
    offset = 6 + 16 * len(images)
    for canvas, bit_count in images:
        blob = icon_image(canvas, bit_count)
        width = len(canvas[0])
        height = len(canvas)
        color_count = 16 if bit_count == 4 else 0
        entries.append(struct.pack("<BBBBHHII", width % 256, height % 256, color_count, 0, 1, bit_count,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def write_file(folder, name, data):
    path = os.path.join(folder, name)
    temporary = path + ".tmp"
    with open(temporary, "wb") as output:
        output.write(data)
    os.replace(temporary, path)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_images.py OUTPUT_FOLDER\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, width, draw in (("settings.bmp", 30, draw_settings), ("play.bmp", 45, draw_play),
                              ("stop.bmp", 45, draw_stop), ("open.bmp", 30, draw_open)):
        canvas = canvas_new(width, 30)
        draw(canvas)
        write_file(folder, name, bmp_24(canvas))
    small = canvas_new(16, 16)
    draw_app_icon(small, 0.5, sixteen_colors=True)
    large = canvas_new(32, 32)
    draw_app_icon(large, 1.0)
    write_file(folder, "app.ico", ico_file([(small, 4), (large, 8), (large, 32)]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
