#!/bin/bash
# Builds the Debian package with CPack, unpacks it into a scratch root (never the real
# system) and checks the installed tree: the executable with html/ beside it, the command
# symlink, the desktop entry, the hicolor icons, the AppStream metainfo and the Depends.
# Usage: test_package.sh <build-dir> <source-dir>   (the build must already have run)
# Needs: dpkg-dev (dpkg-shlibdeps), desktop-file-utils, appstream, python3.
set -u
build=${1:?build folder}
source=${2:?source folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
app_id=org.quorvane.Kestrova

pass() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # check <description> <command...>
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

if [ ! -x "$build/kestrova" ] || [ ! -f "$build/CPackConfig.cmake" ]; then
    echo "FAIL: $build holds no built kestrova (build it first)"
    exit 1
fi

version=$(sed -n 's/^set(KESTROVA_VERSION_TEXT "\(.*\)")/\1/p' "$source/CMakeLists.txt")
arch=$(dpkg --print-architecture)
deb="$work/out/kestrova_${version}_${arch}.deb"

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack -G DEB"
    exit 1
fi
if [ ! -f "$deb" ]; then
    ls "$work/out"
    echo "FAIL: no package named $(basename "$deb")"
    exit 1
fi
pass "cpack made $(basename "$deb")"

# Control fields.
check "Package is kestrova" test "$(dpkg-deb -f "$deb" Package)" = kestrova
check "Version is $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
check "Architecture is $arch" test "$(dpkg-deb -f "$deb" Architecture)" = "$arch"
depends=$(dpkg-deb -f "$deb" Depends)
echo "   Depends: $depends"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
              libqt6webenginecore6 libqt6webenginewidgets6 libqt6webenginecore6-bin; do
    check "Depends names $needed" grep -qxF "$needed" <<<"$depends_names"
done
check "Depends names a font package" grep -q '^fonts-' <<<"$depends_names"

# Installed tree.
root="$work/root"
dpkg-deb -x "$deb" "$root"
# The program and its page live together in <libdir>/kestrova; usr/bin/kestrova links there.
check "usr/bin/kestrova is a symlink" test -L "$root/usr/bin/kestrova"
target=$(realpath -m "$root/usr/bin/kestrova")
appdir=$(dirname "$target")
check "usr/bin/kestrova resolves inside the package to usr/lib/.../kestrova/kestrova (${target#"$root"})" \
    bash -c "[[ '${target#"$root"}' =~ ^/usr/lib(/[^/]+)?/kestrova/kestrova$ ]]"
check "the executable is a regular executable file" test -f "$target" -a -x "$target"
check "html/kestrova.html beside the executable" test -f "$appdir/html/kestrova.html"
check "html/ holds the whole page folder" diff -r -x '*.md' "$source/html" "$appdir/html"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -E '^\./usr/(bin|lib(/[^/]+)?/kestrova|share/(applications|metainfo|icons/hicolor))(/|$)' | grep -v -E '^\./(usr/((lib|lib/[^/]+|share|share/icons)/)?)?$')
check "nothing installed outside its places${outside:+: $outside}" test -z "$outside"

# Desktop entry: valid, starts the program without a file argument, registers no file type.
desktop="$root/usr/share/applications/$app_id.desktop"
check "desktop entry $app_id.desktop" test -f "$desktop"
check "desktop-file-validate" desktop-file-validate "$desktop"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
check "Exec=$exec_line takes no file argument" test "$exec_line" = kestrova
check "Exec names a command the package installs" test -e "$root/usr/bin/${exec_line%% *}"
check "no MimeType in the desktop entry" bash -c "! grep -q '^MimeType' '$desktop'"
icon=$(sed -n 's/^Icon=//p' "$desktop")
check "Icon=$icon is the application id" test "$icon" = "$app_id"

# hicolor icons: one PNG per size, square, 8-bit RGBA, named as the desktop entry says.
check "hicolor icons 16 to 256 px, RGBA" python3 - "$root/usr/share/icons/hicolor" "$icon" <<'PYEOF'
import struct, sys
base, icon = sys.argv[1], sys.argv[2]
ok = True
for size in (16, 24, 32, 48, 64, 128, 256):
    path = f"{base}/{size}x{size}/apps/{icon}.png"
    try:
        head = open(path, "rb").read(26)
    except OSError:
        print(f"   missing {path}")
        ok = False
        continue
    if head[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">IIBB", head[16:26]) != (size, size, 8, 6):
        print(f"   {path} is not a {size}x{size} RGBA PNG")
        ok = False
sys.exit(0 if ok else 1)
PYEOF

# AppStream metainfo: valid, and naming the same id, desktop entry and icon.
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
check "metainfo $app_id.metainfo.xml" test -f "$metainfo"
check "appstreamcli validate --no-net" appstreamcli validate --no-net "$metainfo"
check "metainfo id, launchable and icon agree with the desktop entry" python3 - "$metainfo" "$app_id" <<'PYEOF'
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
app_id = sys.argv[2]
launchable = root.find("launchable[@type='desktop-id']")
icon = root.find("icon")
sys.exit(0 if root.findtext("id") == app_id
         and launchable is not None and launchable.text == f"{app_id}.desktop"
         and (icon is None or icon.text == app_id) else 1)
PYEOF

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all package checks passed"
