#!/usr/bin/env bash
# What Windows shows of the built files, read from their resources on the host (python3-pefile):
# quillaby.scr's string 1 "Quillaby" (the name in the list of screen savers), its icon group at
# 16, 32, 48 and 256 pixels holding the icon the build drew, and its version information with the
# project's version; quillaby-setup.exe carries the same icon and version. Then the same through
# the system's own calls under Wine (LoadString, ExtractIconEx, GetFileVersionInfo).
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
source_dir=${QUILLABY_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
/usr/bin/python3 -c 'import pefile' 2>/dev/null || fail "python3-pefile is missing (scripts/setup-windows-deps)"
version=$(sed -n 's/^project(Quillaby VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[[ -n $version ]] || fail "no project version in CMakeLists.txt"
IFS=. read -r major minor patch tweak <<<"$version"
quad=$major.$minor.${patch:-0}.${tweak:-0}

/usr/bin/python3 - "$scr" "$build/quillaby-setup.exe" "$build/generated/windows/quillaby.ico" "$version" <<'PY'
import struct, sys
import pefile

scr, setup, ico_path, version = sys.argv[1:]
failures = []

def check(ok, what):
    if not ok:
        failures.append(what)

def resources(pe, kind):
    """The data of every resource of the given type: {id: bytes} (one language each)."""
    found = {}
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []:
        if entry.id == kind:
            for item in entry.directory.entries:
                data = item.directory.entries[0].data.struct
                found[item.id] = pe.get_data(data.OffsetToData, data.Size)
    return found

def icon_group(pe, name):
    """(width, bits, payload) of each image of the first icon group."""
    groups = resources(pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"])
    icons = resources(pe, pefile.RESOURCE_TYPE["RT_ICON"])
    if not groups:
        failures.append(f"{name} has no icon group")
        return []
    first = groups[min(groups, key=str)]
    _, kind, count = struct.unpack_from("<HHH", first)
    images = []
    for i in range(count):
        w, h, _, _, planes, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", first, 6 + 14 * i)
        payload = icons.get(icon_id, b"")
        check(len(payload) == size, f"{name}: icon {icon_id} is {len(payload)} bytes, the group says {size}")
        images.append((w or 256, bits, payload))
    return images

def version_info(pe, name):
    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    if fixed is None:
        failures.append(f"{name} has no version information")
        return None, {}
    numbers = (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xffff, fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xffff)
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for block in info:
            for table in getattr(block, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return numbers, strings

want_numbers = tuple(int(n) for n in (version.split(".") + ["0", "0", "0"])[:4])

# The saver file.
pe = pefile.PE(scr)
# Strings come in blocks of 16, each a length and UTF-16 text: string 1 is the second of block 1.
block = resources(pe, pefile.RESOURCE_TYPE["RT_STRING"]).get(1, b"")
strings, at = {}, 0
for i in range(16 if block else 0):
    (length,) = struct.unpack_from("<H", block, at)
    strings[i] = block[at + 2:at + 2 + 2 * length].decode("utf-16-le")
    at += 2 + 2 * length
check(strings.get(1) == "Quillaby", f"string 1 of quillaby.scr is {strings.get(1)!r}, not 'Quillaby'")

images = icon_group(pe, "quillaby.scr")
check(sorted(w for w, _, _ in images) == [16, 32, 48, 256], f"icon sizes {[w for w, _, _ in images]}")
with open(ico_path, "rb") as f:
    ico = f.read()
_, _, n = struct.unpack_from("<HHH", ico)
drawn = {}
for i in range(n):
    w, _, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
    drawn[w or 256] = ico[offset:offset + size]
for w, bits, payload in images:
    check(bits == 32, f"the {w}-pixel icon has {bits} bits per pixel")
    check(payload == drawn.get(w), f"the {w}-pixel icon is not the one the build drew")
    if w == 256:
        check(payload[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", payload[16:24]) == (256, 256),
              "the 256-pixel icon is no 256 x 256 PNG")
    else:
        width, height = struct.unpack_from("<ii", payload, 4)
        check((width, height) == (w, 2 * w), f"the {w}-pixel bitmap is {width} x {height}")
        # Not one flat colour: the logo's middle, with its contrast.
        pixels = payload[40:40 + w * w * 4]
        check(len(set(pixels[i:i + 3] for i in range(0, len(pixels), 4))) > w, f"the {w}-pixel icon is nearly flat")

numbers, fields = version_info(pe, "quillaby.scr")
check(numbers == want_numbers, f"quillaby.scr's file version {numbers}, the project's {want_numbers}")
for key, value in {"CompanyName": "Harnwick Software", "ProductName": "Quillaby",
                   "FileDescription": "Quillaby Screen Saver", "FileVersion": version,
                   "ProductVersion": version, "OriginalFilename": "quillaby.scr"}.items():
    check(fields.get(key) == value, f"quillaby.scr's {key} is {fields.get(key)!r}, not {value!r}")

# The installer: the same icon at every size and the same version.
setup_pe = pefile.PE(setup)
setup_images = icon_group(setup_pe, "quillaby-setup.exe")
check(sorted((w, p) for w, _, p in setup_images) == sorted((w, p) for w, _, p in images),
      f"quillaby-setup.exe's icon is not the saver's: sizes {[w for w, _, _ in setup_images]}")
numbers, fields = version_info(setup_pe, "quillaby-setup.exe")
check(numbers == want_numbers, f"quillaby-setup.exe's version {numbers}, the project's {want_numbers}")
for key, value in {"CompanyName": "Harnwick Software", "ProductName": "Quillaby", "ProductVersion": version}.items():
    check(fields.get(key) == value, f"quillaby-setup.exe's {key} is {fields.get(key)!r}, not {value!r}")

for f in failures:
    print("FAIL:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
PY

wine_start
seen=$(wine "$probe" resources "$(winepath -w "$scr")" | tr -d '\r')
for line in "string1 Quillaby" "icons 1" "version $quad" "description Quillaby Screen Saver"; do
  grep -qx "$line" <<<"$seen" || fail "Wine does not read '$line' from quillaby.scr: $seen"
done
seen=$(wine "$probe" resources "$(winepath -w "$build/quillaby-setup.exe")" | tr -d '\r')
for line in "icons 1" "version $quad"; do
  grep -qx "$line" <<<"$seen" || fail "Wine does not read '$line' from quillaby-setup.exe: $seen"
done
echo ok
