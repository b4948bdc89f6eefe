# check-bitmap.py FILE.bmp: an export of the page that starts in December 2087 (lines green, weekday numbers blue,
# Sunday numbers red), read by PIL against Python's calendar: a 1000 x 2900 RGB BMP in which every day has its
# borders in the line colour, a white fill and its number in its own colour and not in the other; white below the
# shorter months and in the margins. Prints one line; exits non-zero on any problem, and on a missing file.
import calendar, sys
from PIL import Image

WHITE, LINE, WEEKDAY, SUNDAY = (255, 255, 255), (0, 128, 0), (0, 0, 255), (255, 0, 0)
image = Image.open(sys.argv[1])
if (image.format, image.mode, image.size) != ("BMP", "RGB", (1000, 2900)):
    sys.exit(f"PIL: {image.format} {image.mode} {image.size}, not a 1000 x 2900 RGB BMP")
pixels = image.load()
off = lambda points, colour: [f"({x}, {y}) is {pixels[x, y]}" for x, y in points if pixels[x, y] != colour]
near = lambda l, t, colour: any(max(abs(a - b) for a, b in zip(pixels[x, y], colour)) <= 48
                                for x in range(l + 2, l + 22) for y in range(t + 1, t + 29))
problems = off([(x, y) for y in range(0, 2900, 23) for x in (0, 2, 249, 250, 994, 999)], WHITE)  # the margins
for column in range(4):
    year, month = 2087 + (11 + column) // 12, (11 + column) % 12 + 1
    days, l = calendar.monthrange(year, month)[1], 3 + 248 * column
    # White below the month's last day; then each day's cell, 245 x 89 pixels inside a grid of 248 x 92.
    problems += off([(x, y) for y in range(3 + 92 * days, 2900, 17) for x in (l, l + 123, l + 245)], WHITE)
    for day in range(1, days + 1):
        t, r, b, where = 3 + 92 * (day - 1), l + 245, 3 + 92 * (day - 1) + 89, f"{year}-{month:02}-{day:02}: "
        own, other = (SUNDAY, WEEKDAY) if calendar.weekday(year, month, day) == 6 else (WEEKDAY, SUNDAY)
        border = [(l, t), (r, t), (l, b), (r, b), (l + 123, t), (l + 123, b), (l, t + 45), (r, t + 45)]
        fill = [(l + 5, b - 3), (l + 123, b - 3), (r - 5, b - 3), (r - 5, t + 20)]
        problems += [where + p for p in off(border, LINE) + off(fill, WHITE)]
        problems += [where + "the number is not in its colour"] if not near(l, t, own) or near(l, t, other) else []
print(f"PIL: {len(problems)} problems, the first: {problems[0]}" if problems else "PIL: BMP 1000 x 2900 RGB, every day in place")
sys.exit(bool(problems))
