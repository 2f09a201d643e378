# Shared by the run and test commands: where things are, and installing what
# a fresh Debian 12 machine lacks.

# A step that fails ends the script, and always says so: the script, line and
# command, the functions it was called through, and the status. A failure in a
# subshell is named there first, then the command that started it.
set -Eeuo pipefail
qxm_report_failure() { # status command
    local where="${BASH_SOURCE[1]:-bash}: line ${BASH_LINENO[0]}" i
    for ((i = 1; i < ${#FUNCNAME[@]}; i++)); do
        [[ ${FUNCNAME[i]} == main ]] && break
        where+=" (in ${FUNCNAME[i]}, called from ${BASH_SOURCE[i + 1]:-bash}: line ${BASH_LINENO[i]})"
    done
    # A function's own `return N` reaches the trap as the failing command.
    local command="\`$2\`"
    [[ $2 == return || $2 == "return "* ]] && command="the function called there"
    echo "FAILED: $where: $command exited with status $1" >&2
}
trap 'qxm_report_failure $? "$BASH_COMMAND"' ERR

QXM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QXM_BUILD=${QXM_BUILD:-$QXM_ROOT/build}

# What building and starting the program needs. libxcb carries the window
# hints Qt has no call for (staying out of the taskbar); the Liberation
# fonts match the metrics of the fonts the windows were designed with;
# FreeType reads the font files qxm-convert is given.
QXM_BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libxcb1-dev libgtest-dev libbenchmark-dev fonts-liberation
    libfreetype-dev)

# What the tests need besides: a real X server to drive the program on, and
# the tools to type, click, read the clipboard and window properties and take
# screenshots there; the validators of the desktop entry and AppStream
# record, what CPack needs for a .deb (file, dpkg-shlibdeps), groff for the
# man page, windres with the mingw C preprocessor it runs for the Windows
# version record; clang with its sanitizer and libFuzzer runtimes, the
# static analysers, Debian's 5x7 and 4x6 bitmap fonts (and larger ones
# to refuse) for the font reader, and the microcontroller compilers that
# the C output must satisfy (sdcc for the 8051, avr-gcc with avr-libc), with
# the Arduino core and arduino-builder (the IDE's own builder, without the
# IDE's Java) to build sketches, and simavr to run them.
QXM_TEST_PACKAGES=(xvfb xdotool xclip x11-utils imagemagick xfonts-base fonts-dejavu-core
    desktop-file-utils appstream file dpkg-dev groff-base gcc-mingw-w64-x86-64-posix
    clang libclang-rt-14-dev clang-tidy cppcheck clang-format sdcc gcc-avr avr-libc binutils-avr
    arduino-core-avr arduino-builder simavr
    # a Wayland desktop too: sway (headless), wtype to type there, and Qt's
    # Wayland platform
    sway wtype qt6-wayland
    # a window manager to frame the windows, and a screen reader's view: the
    # accessibility bus on a session bus of its own, read with pyatspi
    xfwm4 dbus-daemon at-spi2-core python3-pyatspi
    # a replaced file's ACL and attributes, and a Turkish locale, in a
    # character set other than UTF-8 too, with the system's translated reasons
    acl attr locales-all libc-l10n
    # the libraries and tools that take the font formats: luma on a MAX7219
    # chain with Pillow, and bdftopcf
    python3-luma.led-matrix python3-luma.core python3-pil xfonts-utils)

# The web page: Emscripten (with its own clang and binaryen) builds it, and
# its tests drive Debian's Chromium headless through chromium-driver.
QXM_WEB_PACKAGES=(emscripten cmake make)
QXM_WEB_TEST_PACKAGES=(chromium chromium-driver python3-selenium)

# Installs the named Debian packages that are not installed yet.
qxm_install_missing() {
    local missing=() package
    for package in "$@"; do
        [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) == 'install ok installed' ]] \
            || missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    local sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures the build with the given CMake options and builds it: all of
# it, or only QXM_BUILD_TARGET and what that links when it is set.
qxm_build() {
    cmake -S "$QXM_ROOT" -B "$QXM_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQXM_WARNINGS_AS_ERRORS="${QXM_WARNINGS_AS_ERRORS:-OFF}" "$@"
    cmake --build "$QXM_BUILD" --parallel "$(nproc)" ${QXM_BUILD_TARGET:+--target "$QXM_BUILD_TARGET"}
}

# apt-get with a private state in the folder APT, whose sources are those
# qxm_source_lists wrote there.
qxm_source_apt() { # apt-folder apt-get-arguments...
    local apt=$1
    shift
    apt-get -o "Dir::Etc::SourceParts=$apt/parts" -o "Dir::Etc::SourceList=$apt/sources.list" \
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=$(id -un)" "$@"
}

# Debian's apt sources name only binary packages. This writes the source
# twins of those configured in the apt folder ETC into the private folder APT,
# leaving the system's set-up alone. Debian 12 keeps them in deb822 .sources
# files (its container images only there), older systems in one-line lists:
# either, or both, will do.
qxm_source_lists() { # etc apt-folder
    local etc=$1 apt=$2 file found=0
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial"
    : >"$apt/sources.list"
    for file in "$etc"/sources.list.d/*.sources; do
        [[ -f $file ]] || continue
        sed 's/^Types:.*/Types: deb-src/I' "$file" >"$apt/parts/$(basename "$file")"
        found=1
    done
    for file in "$etc"/sources.list "$etc"/sources.list.d/*.list; do
        [[ -f $file ]] || continue
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" >>"$apt/sources.list"
        found=1
    done
    if [[ $found -eq 0 ]]; then
        echo "No apt sources in $etc: no sources.list.d/*.sources, sources.list or sources.list.d/*.list" >&2
        return 1
    fi
}

# Unpacks Debian's source package PACKAGE at VERSION into the folder DEST,
# from the source twins of the apt sources in ETC (by default the system's).
qxm_debian_source() { # package version dest [etc]
    local package=$1 version=$2 dest=$3 etc=${4:-/etc/apt} apt
    qxm_install_missing dpkg-dev xz-utils
    apt=$(mktemp -d)
    qxm_source_lists "$etc" "$apt"
    # A third-party repository without sources must not stop Debian's.
    qxm_source_apt "$apt" update -qq || echo "Some source lists could not be read; going on with the others"
    (cd "$apt" && qxm_source_apt "$apt" source -qq --download-only "$package=$version" >/dev/null)
    rm -rf "$dest"
    mkdir -p "$dest"
    tar -xf "$apt"/"${package}_${version%%-*}"*.orig.tar.* -C "$dest" --strip-components=1
    rm -rf "$apt"
}

# Marks every process started from here on, so that the end of this script
# finds any still running, wherever it went: a daemon that left the process
# tree (as Wine's do) keeps the mark in its environment, and one that
# overwrites the copy of its environment others read (as Chromium's do) is
# known by the marked process that started it. What is found is named and
# ended, and the script fails.
qxm_mark_processes() {
    export QXM_STARTED_BY="$$.$(date +%s%N)"
    trap 'qxm_end_left_running $?' EXIT
}

# The PIDs of the marked processes still running, and of those they started.
# Nothing run here carries the mark itself.
qxm_left_running() {
    local files file marked=()
    files=$(env -u QXM_STARTED_BY grep -lsxzF "QXM_STARTED_BY=$QXM_STARTED_BY" /proc/[0-9]*/environ || true)
    for file in $files; do marked+=("${file//[!0-9]/}"); done
    [[ ${#marked[@]} -gt 0 ]] || return 0
    env -u QXM_STARTED_BY ps -eo pid=,ppid=,stat= | env -u QXM_STARTED_BY awk -v marked="${marked[*]}" '
        BEGIN { split(marked, pids, " "); for (i in pids) ours[pids[i]] = 1 }
        $3 !~ /^Z/ { parent[$1] = $2 }
        END {
            do {
                grown = 0
                for (pid in parent) if (!(pid in ours) && parent[pid] in ours) { ours[pid] = 1; grown = 1 }
            } while (grown)
            for (pid in parent) if (pid in ours) print pid
        }'
}

# Ends the script with its status, once nothing it started runs any more; a
# process still there after 5 seconds fails it.
qxm_end_left_running() { # status
    local status=$1 left=() _
    for _ in {1..10}; do
        mapfile -t left < <(qxm_left_running)
        [[ ${#left[@]} -eq 0 ]] && exit "$status"
        sleep 0.5
    done
    echo "FAILED: these processes that the tests started are still running; they are ended now:" >&2
    ps -o pid,ppid,pgid,sid,args -p "$(IFS=,; echo "${left[*]}")" >&2 || true
    kill "${left[@]}" 2>/dev/null || true
    sleep 2
    kill -KILL "${left[@]}" 2>/dev/null || true
    exit 1
}
