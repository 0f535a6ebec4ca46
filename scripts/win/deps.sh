# Sourced by scripts/windows: SQLite and SQLiteCpp for Windows, built from Debian's source
# packages, and nlohmann-json's headers, all in one prefix that the toolchain file searches.

# Prints the prefix, building it first if the cache has none for these versions. The build
# log goes to $1.
dazu_windows_deps() {
    local log=$1 sqlite_version sqlitecpp_version key prefix
    sqlite_version=$(dazu_source_version libsqlite3-dev)
    sqlitecpp_version=$(dazu_source_version libsqlitecpp-dev)
    key=$({
        echo "$sqlite_version $sqlitecpp_version"
        cat "$DAZU_ROOT/scripts/win/mingw.cmake" "$DAZU_ROOT/scripts/win/deps.sh"
        x86_64-w64-mingw32-g++-posix --version | head -1
    } | sha256sum | cut -c1-12)
    prefix=${XDG_CACHE_HOME:-$HOME/.cache}/dazu/deps-$key
    if dazu_lock_cache "$prefix"; then
        echo "$prefix"
        return 0
    fi
    local work
    work=$(mktemp -d)
    {
        rm -rf "$prefix"
        mkdir -p "$prefix/include" "$prefix/lib"
        # SQLite's single-file form is made by its own tools on this machine, then compiled
        # for Windows with the options SQLiteCpp relies on.
        dazu_fetch_source sqlite3 "$sqlite_version" "$work/sqlite"
        mkdir "$work/sqlite/host"
        (cd "$work/sqlite/host" && ../configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
        (cd "$work/sqlite/host" &&
            nice -n 10 x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_THREADSAFE=1 \
                -c sqlite3.c -o sqlite3.o &&
            x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" sqlite3.o &&
            cp sqlite3.h sqlite3ext.h "$prefix/include/")

        dazu_fetch_source sqlitecpp "$sqlitecpp_version" "$work/sqlitecpp"
        cmake -S "$work/sqlitecpp" -B "$work/sqlitecpp-build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$DAZU_ROOT/scripts/win/mingw.cmake" \
            -DDAZU_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DCMAKE_BUILD_TYPE=Release -DSQLITECPP_INTERNAL_SQLITE=OFF \
            -DSQLITECPP_RUN_CPPLINT=OFF -DSQLITECPP_RUN_CPPCHECK=OFF \
            -DSQLITECPP_BUILD_TESTS=OFF -DSQLITECPP_BUILD_EXAMPLES=OFF
        nice -n 10 cmake --build "$work/sqlitecpp-build"
        cmake --install "$work/sqlitecpp-build"

        # Headers only: the host's copy serves as it is.
        cp -r /usr/include/nlohmann "$prefix/include/"
        mkdir -p "$prefix/share/cmake"
        cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
    } >"$log" 2>&1 || {
        echo "Building SQLite and SQLiteCpp for Windows failed; see $log" >&2
        rm -rf "$work"
        return 1
    }
    rm -rf "$work"
    touch "$prefix/.complete"
    exec {DAZU_CACHE_LOCK}>&-
    echo "$prefix"
}
