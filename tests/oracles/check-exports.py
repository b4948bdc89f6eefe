# check-exports.py FOLDER: there is a NAME.bmp, and for every one NAME.png holds its pixels (PIL) and NAME.pdf passes
# qpdf, has two A4 pages with a title and the program as creator, whose images (pdfimages) are the page's
# halves at twice the size, every glyph in place, and which pdftoppm renders at one scale, centred inside
# 8 mm margins. One line a file; exits non-zero on any problem.
import glob, subprocess, sys, tempfile
from PIL import Image, ImageChops

SPLIT, MARGIN = 3 + 16 * 92 - 1, 8 * 72 / 25.4  # the middle of the gap above day 17; 8 mm in points
run = lambda *command: subprocess.run(command, check=True, capture_output=True, text=True).stdout
blocks = lambda image, size: list(image.convert("L").resize((image.width // size, image.height // size), Image.BOX).getdata())


def misplaced(page, drawn, reach=6):  # blocks whose ink `drawn` holds clearly better shifted sideways
    cost = lambda dx: blocks(ImageChops.difference(page, ImageChops.offset(drawn, dx, 0)), 24)
    shifted = [min(c) for c in zip(*(cost(dx) for dx in range(-reach, reach + 1) if abs(dx) > 1))]
    return sum(here > there + 8 for here, there in zip(cost(0), shifted)) or max(cost(0)) > 60


def pdf_problems(pdf, page):
    scale = min((595.28 - 2 * MARGIN) / 1000, (841.89 - 2 * MARGIN) / SPLIT)
    with tempfile.TemporaryDirectory() as folder:
        info, _, _, _ = run("pdfinfo", pdf), run("qpdf", "--check", pdf), run("pdfimages", "-png", pdf, folder + "/i"), \
            run("pdftoppm", "-r", str(72 / scale), "-gray", pdf, folder + "/s")
        wanted = ["Title:           Calendario ", "Creator:         Tervalonde za-nor\n", "Pages:           2\n", "(A4)"]
        problems = [] if all(w in info for w in wanted) else ["not two A4 pages with a title and the creator"]
        for i, half in enumerate(page.convert("L").crop(box) for box in ((0, 0, 1000, SPLIT), (0, SPLIT, 1000, 2900))):
            image = Image.open(f"{folder}/i-{i:03}.png")
            left, top = round((595.28 - 1000 * scale) / 2 / scale), round(MARGIN / scale)
            sheet = Image.open(sorted(glob.glob(folder + "/s-*"))[i]).crop((left, top, left + 1000, top + half.height))
            if image.size != (2000, 2 * half.height) or misplaced(half, image.convert("L").resize(half.size, Image.BOX)) \
                    or sum(blocks(ImageChops.difference(half, sheet), 8)) > 10 * len(blocks(half, 8)):
                problems.append(f"sheet {i + 1} is not its half of the page at twice the size, every glyph and line in place")
        return problems


def report(bmp):  # prints the file's line; its problems
    page, name = Image.open(bmp).convert("RGB"), bmp[:-4]
    problems = [f"no {name}.{kind}" for kind in ("png", "pdf") if not glob.glob(f"{name}.{kind}")]
    problems += ["the PNG is not the bitmap's pixels" for png in glob.glob(name + ".png")
                 if Image.open(png).format != "PNG" or ImageChops.difference(Image.open(png), page).getbbox()]
    problems += [problem for pdf in glob.glob(name + ".pdf") for problem in pdf_problems(pdf, page)]
    print(f"{name}: {'; '.join(problems) or 'PNG and PDF as the page'}")
    return problems


pages = sorted(glob.glob(sys.argv[1] + "/*.bmp")) or sys.exit(f"no exported page in {sys.argv[1]}")
sys.exit(any([report(bmp) for bmp in pages]))
