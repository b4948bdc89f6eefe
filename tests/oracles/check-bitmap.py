"""Reads an exported bitmap with PIL, a reader that is not the program's own.

check-bitmap.py FILE   the end-to-end suite's export of the page that starts
                       in December 2087 (line colour green, weekdays blue,
                       Sundays red): a 1000 x 2900 RGB BMP, every cell's
                       borders, fill and day number against Python's own
                       calendar, and white wherever no cell lies

Prints one line and exits 0 when the file is as it must be.
"""
import calendar
import datetime
import sys

from PIL import Image

WHITE = (255, 255, 255)
# The page of the end-to-end export.
FIRST_MONTH, FIRST_YEAR = 12, 2087
LINE, WEEKDAY, SUNDAY = (0, 128, 0), (0, 0, 255), (255, 0, 0)


def near(colour, wanted, tolerance=48):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def any_near(pixels, left, top, right, bottom, wanted):
    return any(near(pixels[x, y], wanted) for y in range(top, bottom) for x in range(left, right))


def cell_problems(pixels, column, day, year, month):
    left, top = 3 + 248 * column, 3 + 92 * (day - 1)
    right, bottom = left + 245, top + 89
    where = f"{year}-{month:02}-{day:02}"
    problems = []
    for x, y in [(left, top), (right, top), (left, bottom), (right, bottom), (left + 123, top),
                 (left + 123, bottom), (left, top + 45), (right, top + 45)]:
        if pixels[x, y] != LINE:
            problems.append(f"{where}: border at ({x}, {y}) is {pixels[x, y]}")
    for x, y in [(left + 5, top + 86), (left + 123, top + 86), (left + 240, top + 86), (left + 240, top + 20)]:
        if pixels[x, y] != WHITE:
            problems.append(f"{where}: fill at ({x}, {y}) is {pixels[x, y]}")
    sunday = datetime.date(year, month, day).weekday() == 6
    number, other = (SUNDAY, WEEKDAY) if sunday else (WEEKDAY, SUNDAY)
    digits = (left + 2, top + 1, left + 22, top + 29)
    if not any_near(pixels, *digits, number) or any_near(pixels, *digits, other):
        problems.append(f"{where}: the day number is not in the {'Sunday' if sunday else 'weekday'} colour")
    return problems


def page_problems(image):
    pixels = image.load()
    problems = []
    for column in range(4):
        month = (FIRST_MONTH - 1 + column) % 12 + 1
        year = FIRST_YEAR + (FIRST_MONTH - 1 + column) // 12
        days = calendar.monthrange(year, month)[1]
        for day in range(1, days + 1):
            problems += cell_problems(pixels, column, day, year, month)
        left = 3 + 248 * column
        for y in range(3 + 92 * days, 2900, 17):
            for x in (left, left + 123, left + 245):
                if pixels[x, y] != WHITE:
                    problems.append(f"below {year}-{month:02}: ({x}, {y}) is {pixels[x, y]}")
    for y in range(0, 2900, 23):
        for x in (0, 2, 249, 250, 994, 999):
            if pixels[x, y] != WHITE:
                problems.append(f"margin ({x}, {y}) is {pixels[x, y]}")
    return problems


def main():
    path = sys.argv[1]
    with Image.open(path) as image:
        image.load()
        if image.format != "BMP" or image.mode != "RGB" or image.size != (1000, 2900):
            sys.exit(f"PIL: {image.format} {image.mode} {image.size}")
        problems = page_problems(image)
    if problems:
        sys.exit(f"PIL: {len(problems)} problems, the first: {problems[0]}")
    print("PIL: BMP 1000 x 2900 RGB, every cell in place")


if __name__ == "__main__":
    main()
