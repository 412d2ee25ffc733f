#!/usr/bin/env bash
# Makes the Debian package of a build with cpack and checks its control fields and contents:
# the name and version, a Depends line that dpkg-shlibdeps filled with the Qt 6 runtime and
# nothing beyond the libraries the program links, and the same files as an install.
#
#   deb_package.sh BUILD_DIR WORK_DIR
set -euo pipefail

build=${1:?usage: deb_package.sh BUILD_DIR WORK_DIR}
work=${2:?usage: deb_package.sh BUILD_DIR WORK_DIR}
id=example.xiaohe_studio.shulin

fail() {
    echo "deb package: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$work/cpack.log")"
# Without dpkg-shlibdeps or file, cpack only warns and leaves the Depends line empty.
if grep -qi 'warning' "$work/cpack.log"; then
    fail "cpack warned: $(grep -i -A2 warning "$work/cpack.log")"
fi
debs=("$work"/shulin_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single shulin_*.deb in $work"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = shulin ] || fail "package name $(field Package)"
[ "$(field Version)" = 1.0.0 ] || fail "version $(field Version)"
[ "$(field Section)" = education ] || fail "section $(field Section)"
[ "$(basename "$deb")" = "shulin_1.0.0_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"

# The packages of the Depends line, without their versions.
depends=$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/[[:space:]]//g' | sed '/^$/d' | LC_ALL=C sort)
for needed in libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done
allowed=" libc6 libgcc-s1 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 "
for package in $depends; do
    [[ "$allowed" == *" $package "* ]] || fail "Depends names $package, which the program does not need"
done

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./||' | LC_ALL=C sort)
expected="usr/bin/shulin
usr/share/applications/$id.desktop
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/metainfo/$id.metainfo.xml"
[ "$files" = "$expected" ] || fail "the package holds other files than expected:
$(diff <(echo "$expected") <(echo "$files") || true)"

echo "deb package: $(basename "$deb"), Depends: $(field Depends)"
