#!/bin/sh
# Installs a build into a scratch root as the package does (prefix /usr) and checks what the
# desktop relies on: launcher, metainfo, icons and the estimates' file type, valid and all under
# the one application id.
# Usage: check-install.sh CMAKE BUILD-DIR APP-ID PRINT-MODULE ICON-SIDE...
# PRINT-MODULE is where the program looks for its print module, relative to the program's folder.
set -eu
cmake=$1 build=$2 id=$3 module=$4
shift 4

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream file:file \
    update-mime-database:shared-mime-info readelf:binutils; do
    command -v "${tool%%:*}" >/dev/null ||
        fail "${tool%%:*} is missing; install the Debian package ${tool#*:}"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DESTDIR=$work/root "$cmake" --install "$build" --prefix /usr >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; fail "cmake --install failed"; }
usr=$work/root/usr

[ -x "$usr/bin/markii" ] || fail "no program in /usr/bin"
# Printing is loaded when first used, from where the program looks for it; the program itself
# starts without the print support.
[ -f "$usr/bin/$module" ] || fail "no print module at /usr/bin/$module"
readelf -d "$usr/bin/markii" | grep -q 'NEEDED.*PrintSupport' &&
    fail "the program links the print support, which slows every start"

launcher=$usr/share/applications/$id.desktop
metainfo=$usr/share/metainfo/$id.metainfo.xml
[ -f "$launcher" ] || fail "no launcher $id.desktop"
[ -f "$metainfo" ] || fail "no metainfo $id.metainfo.xml"
[ "$(ls "$usr/share/applications")" = "$id.desktop" ] || fail "stray files beside the launcher"

desktop-file-validate "$launcher" || fail "the launcher does not validate"
appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"

# The desktop finds the icon and the program by these names alone.
entry() { sed -n "s/^$1=//p" "$launcher"; }
[ "$(entry Icon)" = "$id" ] || fail "launcher Icon=$(entry Icon), expected $id"
exec_program=$(entry Exec | cut -d' ' -f1)
[ -x "$usr/bin/$exec_program" ] || fail "launcher Exec=$(entry Exec) names no installed program"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo has another id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo launches another desktop id"

icons=$usr/share/icons/hicolor
grep -q "<svg" "$icons/scalable/apps/$(entry Icon).svg" 2>/dev/null ||
    fail "no scalable icon $(entry Icon).svg"
for side in "$@"; do
    png=$icons/${side}x${side}/apps/$(entry Icon).png
    [ -f "$png" ] || fail "no ${side}x${side} icon"
    file -b "$png" | grep -q "^PNG image data, $side x $side," ||
        fail "${side}x${side} icon is $(file -b "$png")"
done
# A saved estimate opens with the program: its type is where shared-mime-info looks, the database
# builds from it, and the launcher takes that type and the file's name.
mime=$usr/share/mime
type=application/x-markii-estimate
[ -f "$mime/packages/$id.xml" ] || fail "no file type $id.xml in share/mime/packages"
update-mime-database "$mime" || fail "update-mime-database refuses the file type"
grep -q '<glob pattern="\*.markii"/>' "$mime/$type.xml" 2>/dev/null ||
    fail "the database has no $type for *.markii"
grep -q '<sub-class-of type="application/json"/>' "$mime/$type.xml" ||
    fail "$type is not a kind of JSON"
echo "$(entry MimeType)" | tr ';' '\n' | grep -qx "$type" ||
    fail "launcher MimeType=$(entry MimeType) lacks $type"
case " $(entry Exec) " in *" %f "*) ;; *) fail "launcher Exec=$(entry Exec) takes no file" ;; esac

echo "installed and valid: $id"
