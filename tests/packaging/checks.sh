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
    if ! cpack -G "$1" --config "$2/CPackConfig.cmake" -B "$3/package" >"$3/cpack.log" 2>&1; then
        cat "$3/cpack.log"
        check "cpack -G $1 succeeds" false
        finish
    fi
}

# What `qxm-convert Hi` must write, byte for byte.
converts_hi() { # qxm-convert binary
    local expected actual
    expected=$(printf "Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\nData &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n" | od -An -tx1)
    actual=$("$1" Hi | od -An -tx1)
    [[ $actual == "$expected" ]] || { echo "  got:"; "$1" Hi | od -c; return 1; }
}

# Width and height of a PNG file, from its header, as "WxH".
png_size() {
    local width height
    width=$(od -An -j16 -N4 -tu1 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    height=$(od -An -j20 -N4 -tu1 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    echo "${width}x${height}"
}

# The value of a key in a desktop entry's main group.
desktop_value() { # file key
    sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$2=//p}" "$1" | head -n1
}

# The programs link only against the system's libraries; a run path left
# from the build would make them look elsewhere first.
no_search_path() { # programs
    local dynamic
    dynamic=$(readelf -d "$@") || return 1
    ! grep -qE '\((RPATH|RUNPATH)\)' <<<"$dynamic"
}

# A program of that name in the prefix's bin folder.
installed_program() { # prefix name
    [[ -n $2 && -f $1/bin/$2 && -x $1/bin/$2 ]]
}

# The page is rendered whole first: grep -q, stopping at the first match,
# would fail the pipeline on the writer it leaves behind.
man_page_shows() { # man page (gzipped or not), text
    local page
    page=$(zcat -f "$1" | groff -man -Tutf8 2>/dev/null) || return 1
    grep -qF -- "$2" <<<"$page"
}

# The checks that hold for the installed tree under any prefix, whether
# `cmake --install` or the .deb put it there.
check_installed_tree() { # prefix
    local prefix=$1 size desktop metainfo exec icon man
    desktop=$prefix/share/applications/$app_id.desktop
    metainfo=$prefix/share/metainfo/$app_id.metainfo.xml

    check "bin/qxm is an executable" test -x "$prefix/bin/qxm"
    check "bin/qxm-convert is an executable" test -x "$prefix/bin/qxm-convert"
    check "the installed programs carry no library search path" no_search_path "$prefix/bin/qxm" "$prefix/bin/qxm-convert"
    check "the installed qxm-convert converts Hi exactly" converts_hi "$prefix/bin/qxm-convert"
    check "the installed qxm-convert says it is version $version" \
        test "$("$prefix/bin/qxm-convert" --version)" = "qxm-convert $version"

    check "the desktop entry is installed" test -f "$desktop"
    check "the desktop entry passes desktop-file-validate" desktop-file-validate "$desktop"
    check "the menu shows it as QXM" test "$(desktop_value "$desktop" Name)" = QXM
    check "its comment is the description" test "$(desktop_value "$desktop" Comment)" = "$description"
    check "it has a generic name" test -n "$(desktop_value "$desktop" GenericName)"
    exec=$(desktop_value "$desktop" Exec) || true
    check "it starts the installed qxm (Exec=$exec)" installed_program "$prefix" "${exec%% *}"
    icon=$(desktop_value "$desktop" Icon) || true
    for size in "${icon_sizes[@]}"; do
        check "its icon $icon is there at ${size}x${size}" \
            test "$(png_size "$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png" 2>/dev/null)" = "${size}x${size}"
    done

    check "the AppStream record is installed" test -f "$metainfo"
    check "the AppStream record passes appstreamcli validate" appstreamcli validate --no-net "$metainfo"
    check "its id is the desktop entry's name" grep -q "<id>$app_id</id>" "$metainfo"
    check "it launches the installed desktop entry" \
        grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo"
    check "its release is version $version" grep -q "<release version=\"$version\"" "$metainfo"
    check "it has a screenshot" grep -q '<screenshot type="default">' "$metainfo"

    # Compressed where gzip was at hand when building, plain otherwise.
    man=$(compgen -G "$prefix/share/man/man1/qxm-convert.1*" | head -n1) || true
    check "the man page for qxm-convert is installed" test -n "$man"
    if [[ -z $man ]]; then
        return 0
    elif command -v groff >/dev/null; then
        local warnings
        warnings=$(zcat -f "$man" | groff -man -Tutf8 -ww -z 2>&1) || true
        [[ -z $warnings ]] || echo "$warnings"
        check "the man page renders without warnings" test -z "$warnings"
        check "the man page shows version $version" man_page_shows "$man" "QXM $version"
    else
        echo "skipped: the man page rendering (no groff)"
    fi
}
