# Shared by the packaging tests: counting checks, and facts about QXM that
# every shipped form of it must show.

source "$(dirname "${BASH_SOURCE[0]}")/../checking.sh"

app_id=example.quorvel.qxm
version=1.00
description='Text to LED Matrix 7x5 Code Convertor'
icon_sizes=(16 32 48 128 256)

# Builds the package in a fresh scratch folder, in SCRATCH/package; a cpack
# that fails is reported and ends the test.
cpack_into_scratch() { # generator build-folder scratch-folder
    rm -rf "$3"
    mkdir -p "$3"
    cpack -G "$1" --config "$2/CPackConfig.cmake" -B "$3/package" >"$3/cpack.log" 2>&1 \
        || { cat "$3/cpack.log"; check "cpack -G $1 succeeds" false; finish; }
}

# What `qxm-convert Hi` must write, byte for byte.
converts_hi() { # qxm-convert command
    cmp <(printf '%b' "Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\nData &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n") \
        <("$@" Hi)
}

# The programs link only against the system's libraries; a run path left
# from the build would make them look elsewhere first. (grep -c reads it all:
# grep -q, stopping at the first match, could fail readelf on its next write.)
no_search_path() { [[ $(readelf -d "$@" | grep -cE '\((RPATH|RUNPATH)\)') == 0 ]]; }

# The checks that hold for the installed tree under any prefix, whether
# `cmake --install` or the .deb put it there.
check_installed_tree() { # prefix
    local prefix=$1 program line size icon man warnings
    local desktop=$prefix/share/applications/$app_id.desktop metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
    for program in qxm qxm-convert; do
        check "bin/$program is an executable" test -x "$prefix/bin/$program"
    done
    check "the installed programs carry no library search path" no_search_path "$prefix/bin/qxm" "$prefix/bin/qxm-convert"
    check "the installed qxm-convert converts Hi exactly" converts_hi "$prefix/bin/qxm-convert"

    check "the desktop entry passes desktop-file-validate" desktop-file-validate "$desktop"
    for line in Name=QXM "Comment=$description" 'GenericName=.+' 'Exec=qxm( .*)?' "Icon=$app_id"; do
        check "the desktop entry has a line $line" grep -qxE "$line" "$desktop"
    done
    icon=$prefix/share/icons/hicolor/SIZExSIZE/apps/$app_id.png
    for size in "${icon_sizes[@]}"; do
        check "its icon is there at ${size}x${size}" grep -q "^PNG image data, $size x $size," \
            <(file -b "${icon//SIZE/$size}")
    done

    check "the AppStream record passes appstreamcli validate" appstreamcli validate --no-net "$metainfo"
    for line in "<id>$app_id</id>" "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
        "<release version=\"$version\"" '<screenshot type="default">'; do
        check "the AppStream record has $line" grep -qF "$line" "$metainfo"
    done

    # Compressed where gzip was at hand when building, plain otherwise.
    man=$(compgen -G "$prefix/share/man/man1/qxm-convert.1*" | head -n1) || true
    check "the man page for qxm-convert is installed" test -n "$man"
    [[ -n $man ]] || return 0
    warnings=$(zcat -f "$man" | groff -man -Tutf8 -ww -z 2>&1) || true
    check "the man page renders without warnings${warnings:+: $warnings}" test -z "$warnings"
    check "the man page shows version $version" grep -qF "QXM $version" <(zcat -f "$man" | groff -man -Tutf8)
}
