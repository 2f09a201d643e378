# Shared by the run and test commands: where things are, and installing what
# a fresh Debian 12 machine lacks.

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
# the C output must satisfy (sdcc for the 8051, avr-gcc with avr-libc).
QXM_TEST_PACKAGES=(xvfb xdotool xclip x11-utils imagemagick xfonts-base fonts-dejavu-core
    desktop-file-utils appstream file dpkg-dev groff-base gcc-mingw-w64-x86-64-posix
    clang libclang-rt-14-dev clang-tidy cppcheck clang-format sdcc gcc-avr avr-libc binutils-avr
    # a Wayland desktop too: sway (headless), wtype to type there, and Qt's
    # Wayland platform
    sway wtype qt6-wayland
    # a window manager to frame the windows, and a screen reader's view: the
    # accessibility bus on a session bus of its own, read with pyatspi
    xfwm4 dbus-daemon at-spi2-core python3-pyatspi)

# Installs the named Debian packages that are not installed yet.
qxm_install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [[ ${#missing[@]} -eq 0 ]] && return 0
    local sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

qxm_build() {
    cmake -S "$QXM_ROOT" -B "$QXM_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$QXM_BUILD" --parallel "$(nproc)"
}

# Unpacks Debian's source package PACKAGE at VERSION into the folder DEST.
# Debian's apt sources name only binary packages: this reads the matching
# source lists into a private folder, leaving the system's apt set-up alone.
qxm_debian_source() { # package version dest
    local package=$1 version=$2 dest=$3 apt file
    qxm_install_missing dpkg-dev xz-utils
    apt=$(mktemp -d)
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial"
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -f $file ]] && sed 's/^Types: deb$/Types: deb-src/' "$file" >"$apt/parts/$(basename "$file")"
    done
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | sed -n 's/^deb /deb-src /p' >"$apt/sources.list"
    local options=(-o "Dir::Etc::SourceParts=$apt/parts" -o "Dir::Etc::SourceList=$apt/sources.list"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=$(id -un)")
    # A third-party repository without sources must not stop Debian's.
    apt-get "${options[@]}" update -qq || echo "Some source lists could not be read; going on with the others"
    (cd "$apt" && apt-get "${options[@]}" source -qq --download-only "$package=$version" >/dev/null)
    rm -rf "$dest"
    mkdir -p "$dest"
    tar -xf "$apt"/"${package}_${version%%-*}"*.orig.tar.* -C "$dest" --strip-components=1
    rm -rf "$apt"
}
