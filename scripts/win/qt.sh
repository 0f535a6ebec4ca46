# Sourced by scripts/windows: Qt's qtbase for Windows, built once from Debian's source package
# into a cache folder outside the tree and reused while its version and options are unchanged.

# A static Core, Gui, Widgets, Test and the Windows platform plugin; nothing the program does
# not use. Debian's source drops the tablet third-party code; the Windows plugin fails to link
# DirectWrite 3 without Direct2D, and to compile dynamic OpenGL without OpenGL.
DAZU_QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_dynamicgl=OFF
)

# Prints the folder of the Qt for Windows, building it first if the cache has none for this
# version, these options and this toolchain file. The build log goes to $1.
dazu_windows_qt() {
    local log=$1 version key cache prefix
    version=$(dazu_source_version qt6-base-dev)
    key=$({
        echo "$version"
        printf '%s\n' "${DAZU_QT_OPTIONS[@]}"
        cat "$DAZU_ROOT/scripts/win/mingw.cmake"
        x86_64-w64-mingw32-g++-posix --version | head -1
    } | sha256sum | cut -c1-12)
    cache=${XDG_CACHE_HOME:-$HOME/.cache}/dazu
    prefix=$cache/qt-${version%%+*}-$key
    if dazu_lock_cache "$prefix"; then
        echo "$prefix"
        return 0
    fi

    local source=$cache/qt-source-$key build=$cache/qt-build-$key
    {
        echo "Building Qt $version for Windows into $prefix"
        dazu_fetch_source qt6-base "$version" "$source"
        rm -rf "$prefix" "$build"
        mkdir -p "$prefix"
        # The Qt kept in the cache records its toolchain file: keep that beside it, not in a
        # worktree that may go away.
        cp "$DAZU_ROOT/scripts/win/mingw.cmake" "$prefix/mingw.cmake"
        nice -n 10 cmake -S "$source" -B "$build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
            "${DAZU_QT_OPTIONS[@]}"
        nice -n 10 cmake --build "$build" --parallel "$(nproc)"
        cmake --install "$build"
    } >"$log" 2>&1 || {
        echo "Building Qt for Windows failed; see $log" >&2
        return 1
    }
    rm -rf "$source" "$build"
    touch "$prefix/.complete"
    exec {DAZU_CACHE_LOCK}>&-
    echo "$prefix"
}
