# Sourced by scripts/windows: fetching Debian source packages.

# Adds deb-src entries for the Debian archives the machine already installs from, so that the
# sources match the installed binaries (Qt's host tools must be the same version as the Qt
# built for Windows).
dazu_enable_deb_src() {
    local name=/etc/apt/sources.list.d/dazu-deb-src
    [ -f "$name.sources" ] || [ -f "$name.list" ] && return 0
    apt-get source --print-uris qt6-base >/dev/null 2>&1 && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    # Both spellings of an apt source: deb822 stanzas and one-line entries.
    cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[^\n]*deb([ \t]|\n|$)/ && /debian/ {
                 sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' |
        "${sudo[@]}" tee "$name.sources" >/dev/null
    sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list 2>/dev/null |
        "${sudo[@]}" tee "$name.list" >/dev/null
    if [ ! -s "$name.sources" ] && [ ! -s "$name.list" ]; then
        echo "No Debian archive found in the apt sources to add a deb-src entry for." >&2
        return 1
    fi
    "${sudo[@]}" apt-get update -qq -o DPkg::Lock::Timeout=900
}

# Unpacks Debian's source of package $1 at version $2, patches applied, into folder $3.
dazu_fetch_source() {
    local package=$1 version=$2 target=$3 work
    work=$(mktemp -d)
    chmod 755 "$work" # apt fetches as its own user
    (cd "$work" && apt-get source -qq --download-only "$package=$version" >/dev/null &&
        dpkg-source -x ./*.dsc src >/dev/null)
    rm -rf "$target"
    mkdir -p "$(dirname "$target")"
    mv "$work/src" "$target"
    rm -rf "$work"
}

# The version of the Debian source package that built installed binary package $1.
dazu_source_version() {
    dpkg-query -W -f='${source:Version}' "$1"
}

# Waits while another checkout builds cache folder $1, then holds it for this build through the
# descriptor in DAZU_CACHE_LOCK, which the build closes when it is done. Succeeds, holding
# nothing, when the folder is complete already.
dazu_lock_cache() {
    mkdir -p "$(dirname "$1")"
    exec {DAZU_CACHE_LOCK}>"$1.lock"
    flock "$DAZU_CACHE_LOCK"
    [ -f "$1/.complete" ] || return 1
    exec {DAZU_CACHE_LOCK}>&-
}
