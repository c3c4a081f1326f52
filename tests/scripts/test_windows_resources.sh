#!/bin/bash
# Compiles res/kestrova.rc with the MinGW resource compiler and reads the result back:
# icon group 128 with its seven PNG images, the manifest, and the version information.
# Usage: test_windows_resources.sh <build-dir> <source-dir>
# Needs: binutils-mingw-w64-x86-64 (windres), cpp, python3.
set -u
build=${1:?build folder}
source=${2:?source folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

windres=$(command -v x86_64-w64-mingw32-windres || true)
if [ -z "$windres" ]; then
    echo "FAIL: x86_64-w64-mingw32-windres not found (Debian package binutils-mingw-w64-x86-64)"
    exit 1
fi

# The platform headers are not needed, so the host preprocessor does.
if ! "$windres" --preprocessor=cpp --preprocessor-arg=-DRC_INVOKED \
        -O res -o "$work/kestrova.res" "$source/res/kestrova.rc"; then
    echo "FAIL: res/kestrova.rc does not compile"
    exit 1
fi
echo "ok: res/kestrova.rc compiles"

# The committed .ico must be what res/make-ico.py makes from the committed PNGs.
if ! python3 "$source/res/make-ico.py" "$work/fresh.ico"; then
    echo "FAIL: res/make-ico.py failed"
    exit 1
fi
if cmp -s "$work/fresh.ico" "$source/res/kestrova.ico"; then
    echo "ok: res/kestrova.ico matches the PNGs in res/icons"
else
    echo "FAIL: res/kestrova.ico is stale: run res/make-icons.sh"
    exit 1
fi

python3 - "$work/kestrova.res" "$source" <<'PYEOF'
import re
import struct
import sys
import xml.etree.ElementTree as ET

res_path, source = sys.argv[1], sys.argv[2]
failures = 0


def check(ok, what):
    global failures
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures += 1


def align4(n):
    return (n + 3) & ~3


def read_id(buf, pos):
    if struct.unpack_from("<H", buf, pos)[0] == 0xFFFF:
        return struct.unpack_from("<H", buf, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", buf, end)[0] != 0:
        end += 2
    return buf[pos:end].decode("utf-16-le"), end + 2


# A .res file is a run of entries: header (sizes, type, name, flags, language) then data.
data = open(res_path, "rb").read()
resources = {}
pos = 0
while pos < len(data):
    data_size, header_size = struct.unpack_from("<II", data, pos)
    rtype, p = read_id(data, pos + 8)
    name, p = read_id(data, p)
    p = align4(p)
    _, _, language = struct.unpack_from("<IHH", data, p)
    body = data[pos + header_size:pos + header_size + data_size]
    if data_size:
        resources[(rtype, name)] = (language, body)
    pos = align4(pos + header_size + data_size)

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
check(all(lang == 0x0409 for lang, _ in resources.values()), "every resource is in language 0x0409")

# Icon group 128: seven 32-bit images, IDs 1 to 7, 16 to 256 px, each a PNG with alpha.
group = resources.get((RT_GROUP_ICON, 128))
check(group is not None, "icon group 128 present")
if group:
    body = group[1]
    _, kind, count = struct.unpack_from("<HHH", body, 0)
    check(kind == 1 and count == 7, f"icon group 128 holds 7 icons (type {kind}, count {count})")
    sizes = []
    for i in range(count):
        w, h, _, _, planes, bits, nbytes, icon_id = struct.unpack_from("<BBBBHHIH", body, 6 + 14 * i)
        w, h = w or 256, h or 256
        sizes.append(w)
        image = resources.get((RT_ICON, icon_id), (0, b""))[1]
        png_ok = (image[:8] == b"\x89PNG\r\n\x1a\n" and image[12:16] == b"IHDR"
                  and struct.unpack(">IIBB", image[16:26]) == (w, h, 8, 6) and len(image) == nbytes)
        check(icon_id == i + 1 and w == h and bits == 32 and planes == 1 and png_ok,
              f"icon {icon_id}: {w}x{h}, 32-bit, PNG-compressed RGBA")
    check(sizes == [16, 24, 32, 48, 64, 128, 256], f"icon sizes {sizes}")

# Manifest 1.
manifest = resources.get((RT_MANIFEST, 1))
check(manifest is not None, "manifest 1 present")
if manifest:
    root = ET.fromstring(manifest[1])
    level = [e for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
    check(len(level) == 1 and level[0].get("level") == "asInvoker" and level[0].get("uiAccess") == "false",
          "manifest: asInvoker, uiAccess false")
    dpi = [e for e in root.iter() if e.tag.endswith("}dpiAware")]
    check(len(dpi) == 1 and (dpi[0].text or "").strip() == "true", "manifest: dpiAware true (system DPI aware)")
    check(not any(e.tag.endswith("}dependency") for e in root.iter())
          and b"Common-Controls" not in manifest[1], "manifest: no common-controls dependency")


# Version 1: a tree of (length, value length, type, key, value, children) nodes.
def parse_node(buf, pos):
    length, value_length, kind = struct.unpack_from("<HHH", buf, pos)
    end = pos + length
    key_end = pos + 6
    while struct.unpack_from("<H", buf, key_end)[0] != 0:
        key_end += 2
    key = buf[pos + 6:key_end].decode("utf-16-le")
    p = align4(key_end + 2)
    if kind == 1:
        raw = buf[p:p + 2 * value_length] if value_length else b""
        value = raw.decode("utf-16-le").split("\0")[0]
        p = align4(p + 2 * value_length)
    else:
        value = buf[p:p + value_length]
        p = align4(p + value_length)
    children = []
    while p < end:
        child, p = parse_node(buf, p)
        children.append(child)
    return (key, value, children), align4(end)


version = resources.get((RT_VERSION, 1))
check(version is not None, "version information 1 present")
if version:
    (key, fixed, children), _ = parse_node(version[1], 0)
    check(key == "VS_VERSION_INFO", "version root key VS_VERSION_INFO")
    (signature, _, file_ms, file_ls, product_ms, product_ls, mask, flags, os_, ftype, subtype,
     _, _) = struct.unpack("<13I", fixed)

    def quad(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    # The numeric version and the version text must follow the top-level CMakeLists.txt.
    cmake = open(f"{source}/CMakeLists.txt", encoding="utf-8").read()
    project_version = re.search(r"project\(Kestrova VERSION ([0-9.]+)", cmake).group(1)
    version_text = re.search(r'set\(KESTROVA_VERSION_TEXT "([^"]+)"\)', cmake).group(1)

    check(signature == 0xFEEF04BD, "fixed file info signature")
    check(quad(file_ms, file_ls) == project_version == "2.1.0.0",
          f"file version {quad(file_ms, file_ls)} (project {project_version})")
    check(quad(product_ms, product_ls) == project_version, f"product version {quad(product_ms, product_ls)}")
    check((mask, flags, os_, ftype, subtype) == (0x3F, 0, 0x00040004, 1, 0),
          f"flags mask {mask:#x}, flags {flags:#x}, OS {os_:#x}, type {ftype}, subtype {subtype}")

    blocks = {k: (v, c) for k, v, c in children}
    tables = blocks.get("StringFileInfo", (None, []))[1]
    check([t[0] for t in tables] == ["040904b0"], f"one string table 040904b0 ({[t[0] for t in tables]})")
    strings = {k: v for k, v, _ in tables[0][2]} if tables else {}
    expected = {
        "CompanyName": "Quorvane",
        "FileDescription": "Kestrova",
        "FileVersion": version_text,
        "InternalName": "Kestrova",
        "OriginalFilename": "Kestrova.exe",
        "ProductName": "Kestrova",
        "ProductVersion": version_text,
    }
    for name, text in expected.items():
        check(strings.get(name) == text, f'{name} "{strings.get(name)}"')
    check(version_text == "2.02", f'version text "{version_text}"')
    check("Quorvane" in strings.get("LegalCopyright", ""), f'LegalCopyright "{strings.get("LegalCopyright")}"')

    var = {k: v for k, v, _ in blocks.get("VarFileInfo", (None, []))[1]}
    check(var.get("Translation") == struct.pack("<HH", 0x0409, 1200), "Translation 0x0409, 1200")

sys.exit(1 if failures else 0)
PYEOF
