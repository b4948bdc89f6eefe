# check-resources.py PROGRAM.exe: reads the program's resource directory straight from the PE file and checks
# that no name comes twice within a type (or a language twice within a name); that every icon group's entries
# name one image each, of the size, colour depth and byte count that the group declares, and no image belongs
# to no group; that the program's icon (group 1), the About frames (701..707, 32 x 32, 16 colours) and the menu
# pictures (16 x 16, 24 bits) are there; and that the manifest asks for the common controls 6 and declares
# Windows 7, 8, 8.1 and 10/11 as supported. Prints one line; exits non-zero on any problem.
import struct, sys

ICON, BITMAP, GROUP_ICON, MANIFEST = 3, 2, 14, 24
SYSTEMS = {"35138b9a-5d96-4fbd-8e2d-a2440225f93a": "7", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38": "8",
           "1f676c76-80e1-4239-95bb-83d0f6d0da78": "8.1", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a": "10/11"}
data = open(sys.argv[1], "rb").read()
u16, u32 = (lambda at: struct.unpack_from("<H", data, at)[0]), (lambda at: struct.unpack_from("<I", data, at)[0])
pe = u32(0x3C)
sections, optional = u16(pe + 6), pe + 24
directories = optional + (112 if u16(optional) == 0x20B else 96)
resources_rva = u32(directories + 2 * 8)
table = [struct.unpack_from("<8sIIII", data, optional + u16(pe + 20) + 40 * i)[1:] for i in range(sections)]
offset = lambda rva: next(raw + rva - va for size, va, _, raw in table if va <= rva < va + max(size, 1))
root = offset(resources_rva)


def entries(directory):  # (id or name, child offset, is a directory) of one resource directory
    count = u16(directory + 12) + u16(directory + 14)
    for e in range(directory + 16, directory + 16 + 8 * count, 8):
        name, child = u32(e), u32(e + 4)
        if name & 0x80000000:
            at = root + (name & 0x7FFFFFFF)
            name = data[at + 2:at + 2 + 2 * u16(at)].decode("utf-16-le")
        yield name, root + (child & 0x7FFFFFFF), bool(child & 0x80000000)


problems, found = [], {}
for kind, names, _ in entries(root):
    seen_names = [name for name, _, _ in entries(names)]
    problems += [f"type {kind}: name {n} {seen_names.count(n)} times" for n in set(seen_names) if seen_names.count(n) > 1]
    for name, languages, _ in entries(names):
        langs = [lang for lang, _, _ in entries(languages)]
        problems += [f"type {kind} name {name}: language {l} twice" for l in set(langs) if langs.count(l) > 1]
        leaf = next(leaf for _, leaf, _ in entries(languages))
        found.setdefault(kind, {})[name] = data[offset(u32(leaf)):offset(u32(leaf)) + u32(leaf + 4)]


def image_of(icon):  # width, height and bits per pixel of one icon image (a bitmap or a PNG)
    if icon[:8] == b"\x89PNG\r\n\x1a\n":
        width, height, depth, colour = struct.unpack_from(">IIBB", icon, 16)
        return width, height, depth * {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    width, height, _, bits = struct.unpack_from("<iiHH", icon, 4)
    return width, height // 2, bits


icons, used = found.get(ICON, {}), set()
for group, directory in found.get(GROUP_ICON, {}).items():
    for at in range(6, 6 + 14 * struct.unpack_from("<H", directory, 4)[0], 14):
        width, height, colours, _, _, bits, size, image = struct.unpack_from("<BBBBHHIH", directory, at)
        declared = (width or 256, height or 256, bits)
        used.add(image)
        if image not in icons:
            problems.append(f"icon group {group} names image {image}, which is not there")
        elif image_of(icons[image]) != declared or len(icons[image]) != size:
            problems.append(f"icon group {group} declares {declared}, {size} bytes for image {image}: "
                            f"it is {image_of(icons[image])}, {len(icons[image])} bytes")
problems += [f"icon image {image} belongs to no group" for image in set(icons) - used]
groups = found.get(GROUP_ICON, {})
for frame in range(701, 708):
    entry = groups.get(frame, b"\0" * 6)
    if struct.unpack_from("<H", entry, 4)[0] != 1 or struct.unpack_from("<BBB", entry, 6) != (32, 32, 16):
        problems.append(f"About frame {frame} is not one 32 x 32 image of 16 colours")
if 1 not in groups:
    problems.append("no program icon (icon group 1)")
for picture in (800, 801, 802, 803, 804, 809, 812, 813, 814):
    header = found.get(BITMAP, {}).get(picture, b"\0" * 16)
    if struct.unpack_from("<iiHH", header, 4) != (16, 16, 1, 24):
        problems.append(f"menu picture {picture} is not 16 x 16 at 24 bits")
manifest = found.get(MANIFEST, {}).get(1, b"").decode("utf-8", "replace").lower()
problems += [f"the manifest does not declare Windows {name}" for guid, name in SYSTEMS.items()
             if f'<supportedos id="{{{guid}}}"/>' not in manifest.replace(" />", "/>")]
if "microsoft.windows.common-controls" not in manifest or 'version="6.0.0.0"' not in manifest:
    problems.append("the manifest does not ask for the common controls 6")
print("; ".join(problems) or f"{sys.argv[1]}: resources whole: {len(icons)} icon images in {len(groups)} groups, "
      f"each named once, Windows 7 to 11 declared")
sys.exit(bool(problems))
