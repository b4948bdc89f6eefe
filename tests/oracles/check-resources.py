# check-resources.py PROGRAM.exe: reads the program's resource directory straight from the PE file and checks
# that no directory names an entry twice (a type, a name within a type, a language within a name); that every
# icon group's entries name one image each, of the size, colour depth and byte count that the group declares, and
# no image belongs to no group; that the program's icon (group 1), the About frames (701..707, 32 x 32, 16 colours)
# and the menu pictures (16 x 16, 24 bits) are there; and that the manifest asks for the common controls 6 and
# declares Windows 7, 8, 8.1 and 10/11 as supported. Prints one line; exits non-zero on any problem.
import struct, sys

ICON, BITMAP, GROUP_ICON, MANIFEST = 3, 2, 14, 24
SYSTEMS = {"35138b9a-5d96-4fbd-8e2d-a2440225f93a": "7", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38": "8",
           "1f676c76-80e1-4239-95bb-83d0f6d0da78": "8.1", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a": "10/11"}
data = open(sys.argv[1], "rb").read()
u16, u32 = (lambda at: struct.unpack_from("<H", data, at)[0]), (lambda at: struct.unpack_from("<I", data, at)[0])
pe = u32(0x3C)
optional = pe + 24
table = [struct.unpack_from("<8sIIII", data, optional + u16(pe + 20) + 40 * i)[1:] for i in range(u16(pe + 6))]
offset = lambda rva: next(raw + rva - va for size, va, _, raw in table if va <= rva < va + max(size, 1))
root = offset(u32(optional + (112 if u16(optional) == 0x20B else 96) + 2 * 8))  # the resource directory
problems, found = [], {}


def walk(directory, path=()):  # the path (type, name, language) and the bytes of each resource below a directory
    ids = []
    for e in range(directory + 16, directory + 16 + 8 * (u16(directory + 12) + u16(directory + 14)), 8):
        name, child = u32(e), u32(e + 4)
        if name & 0x80000000:  # a name of its own: a count of UTF-16 units, and the units
            at = root + (name & 0x7FFFFFFF)
            name = data[at + 2:at + 2 + 2 * u16(at)].decode("utf-16-le")
        ids.append(name)
        if child & 0x80000000:
            yield from walk(root + (child & 0x7FFFFFFF), path + (name,))
        else:
            yield path + (name,), data[offset(u32(root + child)):offset(u32(root + child)) + u32(root + child + 4)]
    problems.extend(f"{'/'.join(map(str, path)) or 'resources'}: {('type', 'name', 'language')[len(path)]} {i} "
                    f"{ids.count(i)} times" for i in set(ids) if ids.count(i) > 1)


for (kind, name, _), resource in walk(root):
    found.setdefault(kind, {})[name] = resource


def image_of(icon):  # width, height and bits per pixel of one icon image (a PNG, or a bitmap of twice its height)
    if icon[:8] == b"\x89PNG\r\n\x1a\n":
        width, height, depth, colour = struct.unpack_from(">IIBB", icon, 16)
        return width, height, depth * {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    width, height, _, bits = struct.unpack_from("<iiHH", icon, 4)
    return width, height // 2, bits


icons, groups, used = found.get(ICON, {}), found.get(GROUP_ICON, {}), set()
for group, directory in groups.items():
    for at in range(6, 6 + 14 * struct.unpack_from("<H", directory, 4)[0], 14):
        width, height, _, _, _, bits, size, image = struct.unpack_from("<BBBBHHIH", directory, at)
        declared, used = ((width or 256, height or 256, bits), size), used | {image}
        if (got := (image_of(icons[image]), len(icons[image])) if image in icons else "missing") != declared:
            problems.append(f"icon group {group} declares image {image} as {declared}: it is {got}")
problems += [f"icon image {image} belongs to no group" for image in set(icons) - used]
problems += [] if 1 in groups else ["no program icon (icon group 1)"]
problems += [f"About frame {frame} is not one 32 x 32 image of 16 colours" for frame in range(701, 708)
             if struct.unpack_from("<HBBB", groups.get(frame, bytes(9)), 4) != (1, 32, 32, 16)]
problems += [f"menu picture {picture} is not 16 x 16 at 24 bits" for picture in (800, 801, 802, 803, 804, 809, 812, 813, 814)
             if struct.unpack_from("<iiHH", found.get(BITMAP, {}).get(picture, bytes(16)), 4) != (16, 16, 1, 24)]
manifest = found.get(MANIFEST, {}).get(1, b"").decode("utf-8", "replace").lower().replace(" />", "/>")
problems += [f"the manifest does not declare Windows {name}" for guid, name in SYSTEMS.items()
             if f'<supportedos id="{{{guid}}}"/>' not in manifest]
if "microsoft.windows.common-controls" not in manifest or 'version="6.0.0.0"' not in manifest:
    problems.append("the manifest does not ask for the common controls 6")
print("; ".join(problems) or f"{sys.argv[1]}: resources whole: {len(icons)} icon images in {len(groups)} groups, "
      f"each named once, Windows 7 to 11 declared")
sys.exit(bool(problems))
