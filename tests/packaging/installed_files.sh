#!/usr/bin/env bash
# Installs a build into a staging root as a package would (prefix /usr) and checks what lands
# there: exactly the program, its desktop entry, its AppStream metainfo and its two icons, the
# entry and the metainfo valid by the freedesktop and AppStream validators.
#
#   installed_files.sh BUILD_DIR WORK_DIR
set -euo pipefail

build=${1:?usage: installed_files.sh BUILD_DIR WORK_DIR}
work=${2:?usage: installed_files.sh BUILD_DIR WORK_DIR}
id=example.xiaohe_studio.shulin

fail() {
    echo "installed files: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
root="$work/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" ||
    fail "cmake --install failed: $(tail -5 "$work/install.log")"

expected="usr/bin/shulin
usr/share/applications/$id.desktop
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/metainfo/$id.metainfo.xml"
installed=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files differ from the expected ones:
$(diff <(echo "$expected") <(echo "$installed") || true)"

[ -x "$root/usr/bin/shulin" ] || fail "usr/bin/shulin is not executable"
for size in 32 128; do
    got=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
    [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
done

desktop="$root/usr/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
# The entry starts the installed program and names the installed icon.
grep -qx 'Exec=shulin' "$desktop" || fail "the desktop entry does not start shulin"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -q '^Categories=Education;' "$desktop" || fail "the desktop entry is not in Education"

# The .example domain of the id draws an info (no known top-level domain), not a warning.
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli rejects $id.metainfo.xml"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli rejects the installed tree"

echo "installed files: the program, its desktop entry, metainfo and icons, all valid"
