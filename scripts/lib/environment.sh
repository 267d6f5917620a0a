# Shared by the scripts: packages, build, display and Wine for one run.
# Source it; it defines functions and cleans up what it started on exit.

KANVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
KANVO_BUILD=${KANVO_BUILD:-$KANVO_ROOT/build/wine}
KANVO_WINE=/usr/lib/wine/wine64
KANVO_WINESERVER=/usr/lib/wine/wineserver64
KANVO_PACKAGES=(cmake make googletest g++-mingw-w64-x86-64-posix wine64 xvfb xauth x11-utils
                fonts-wqy-zenhei fonts-liberation fonts-dejavu-core faketime clang-format xdotool)
KANVO_STARTED_PIDS=()

kanvo_log() { printf '[kanvo] %s\n' "$*" >&2; }

# Installs what is missing (as root, or through sudo).
kanvo_install_packages() {
    local missing=()
    for package in "${KANVO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    kanvo_log "installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

kanvo_build() {
    cmake --preset wine -S "$KANVO_ROOT" -B "$KANVO_BUILD" >/dev/null
    cmake --build "$KANVO_BUILD" -j "$(nproc)"
}

# A display for the windows: the caller's, or an Xvfb of our own.
kanvo_start_display() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    KANVO_STARTED_PIDS+=($!)
    local number
    read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    kanvo_log "started Xvfb on $DISPLAY"
}

# A Wine prefix of the build's own, its font substitutes, and one persistent
# wineserver for the run, so that each program starts in a fraction of a second.
kanvo_start_wine() {
    export WINEPREFIX=${WINEPREFIX:-$KANVO_BUILD/wineprefix}
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export NO_FAKE_STAT=1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        kanvo_log "creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        "$KANVO_WINE" wineboot -i >/dev/null 2>&1
        "$KANVO_WINESERVER" -w
    fi
    "$KANVO_WINESERVER" -f -p >/dev/null 2>&1 &
    KANVO_WINESERVER_PID=$!
    # Wait (up to 5 s) until the server listens; it works in its socket's
    # directory. A program started earlier would start a server of its own.
    local _
    for _ in $(seq 50); do
        [ -S "/proc/$KANVO_WINESERVER_PID/cwd/socket" ] && break
        sleep 0.1
    done
    kanvo_wine_settings
}

# Settings of the prefix. Windows are placed by Wine itself, since the display
# has no window manager that would acknowledge (and so delay) their changes.
# Fonts: the faces the programs ask for by name resolve to installed fonts,
# the CJK faces to the CJK font, the Latin ones to a Latin font of a similar
# design; those Latin fonts (and the fallback of faces that are not installed)
# link to the CJK font, so that Chinese text in them shows real glyphs too.
# The replacement key is rewritten whole, so that an older prefix keeps no
# stale entries.
kanvo_wine_settings() {
    local reg cjk_link face
    reg=$(mktemp --suffix=.reg)
    cjk_link=$(kanvo_reg_multi_string "wqy-zenhei.ttc,WenQuanYi Zen Hei")
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
        printf '[-HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        printf '"%s"="WenQuanYi Zen Hei"\r\n' "黑体" "SimHei"
        printf '"%s"="Liberation Sans"\r\n' "Arial"
        printf '"%s"="DejaVu Sans"\r\n' "Corbel"
        printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion'
        printf '\\FontLink\\SystemLink]\r\n'
        for face in "Liberation Sans" "DejaVu Sans"; do
            printf '"%s"=hex(7):%s\r\n' "$face" "$cjk_link"
        done
    } >"$reg"
    # A version 5 registry file is UTF-16 with a byte-order mark.
    iconv -f UTF-8 -t UTF-16 "$reg" >"$reg.utf16"
    "$KANVO_WINE" regedit "$reg.utf16" >/dev/null 2>&1 || true
    rm -f "$reg" "$reg.utf16"
}

# A one-entry REG_MULTI_SZ value as the hex(7) bytes of a registry file.
kanvo_reg_multi_string() {
    printf '%s\0\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v \
        | tr -s ' \n' ',' | sed 's/^,//; s/,$//'
}

# A Unix path as Wine's programs see it (drive Z: is the Unix root).
kanvo_windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}

# Stops exactly what this run started: the Wine processes of its prefix
# (Wine's own services outlive a killed wineserver, so the server is asked to
# end them all and then itself), then the display.
kanvo_cleanup() {
    local i pid
    if [ -n "${KANVO_WINESERVER_PID:-}" ]; then
        "$KANVO_WINESERVER" -k >/dev/null 2>&1 || true
        wait "$KANVO_WINESERVER_PID" 2>/dev/null || true
    fi
    for ((i = ${#KANVO_STARTED_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${KANVO_STARTED_PIDS[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
trap kanvo_cleanup EXIT
