# Sourced by scripts/run and scripts/test: the Debian packages the project needs, and the
# one function that installs whichever of them are missing.

# Building and running the program.
DAZU_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libsqlite3-dev libsqlitecpp-dev
                     nlohmann-json3-dev qt6-translations-l10n)
# Running the tests: an X server, a window manager and input for the end-to-end runs, clang
# for sanitizers and fuzzing, sqlite3 to inspect databases, fonts so that text has a size to
# measure (with the narrower faces the window's text reaches 8 points in), an exFAT file
# system mounted through FUSE, as on a USB stick, and a session bus with the accessibility
# bus and Debian's client library to read the window as a screen reader does.
DAZU_TEST_PACKAGES=(xvfb xauth xdotool x11-utils jwm imagemagick fonts-dejavu-core
                    fonts-dejavu-extra fonts-liberation sqlite3 clang libclang-rt-14-dev time
                    exfatprogs exfat-fuse fuse3 dbus-daemon at-spi2-core python3-pyatspi)
# The benchmark (bench/run): an X server to draw on, fonts, GNU time for peak memory,
# gnuplot for the picture, and a general SQLite editor as a peer, with the xcb headers of
# the program that times it.
DAZU_BENCH_PACKAGES=(xvfb xauth fonts-dejavu-core time gnuplot-nox sqlitebrowser pkg-config
                     libxcb1-dev)
# The Windows build (scripts/windows): the mingw-w64 cross compiler; dpkg-dev for
# `apt-get source` (Qt, SQLite and SQLiteCpp are built from Debian's sources) and tcl, which
# makes SQLite's single-file source; zip for the portable archive; Wine, Xvfb and xdotool to
# run the programs and their tests.
DAZU_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 dpkg-dev tcl zip unzip wine wine64 xvfb xauth
                       xdotool fonts-dejavu-core)
# The quick check that the Windows sources still compile (scripts/test).
DAZU_WINDOWS_CHECK_PACKAGES=(g++-mingw-w64-x86-64)

dazu_install_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; return 1; }
        sudo=(sudo)
    fi
    echo "Installing Debian packages: ${missing[*]}"
    # Another installation running at the same time is waited for, not failed on.
    "${sudo[@]}" apt-get update -qq -o DPkg::Lock::Timeout=900
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=900 \
        "${missing[@]}" </dev/null
}

# Configures when the build folder is new or an option (-DNAME=VALUE) changed, then builds
# whatever changed.
dazu_build() {
    local dir=$1; shift
    local configure=0 option
    [ -f "$dir/CMakeCache.txt" ] || configure=1
    for option in "$@"; do
        option=${option#-D}
        grep -q "^${option%%=*}:[A-Z]*=${option#*=}\$" "$dir/CMakeCache.txt" 2>/dev/null || configure=1
    done
    if [ $configure -eq 1 ]; then
        cmake -S "$DAZU_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    fi
    cmake --build "$dir" --parallel "$(nproc)"
}
