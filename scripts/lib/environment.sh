# Shared by the scripts: packages, build, display and Wine for one run.
# Source it; it defines functions and cleans up what it started on exit.

KANVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
KANVO_WINESERVER=/usr/lib/wine/wineserver64
# The 32-bit programs need Wine's 32-bit loader (wine32, of the i386
# architecture) and the i386 libfaketime for the clock tests.
KANVO_PACKAGES=(cmake make googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                wine64 wine32:i386 xvfb xauth x11-utils fonts-wqy-zenhei fonts-liberation
                fonts-dejavu-core faketime libfaketime:i386 clang lld clang-format
                xdotool)
KANVO_STARTED_PIDS=()

# Chooses the build the later steps work on: a configure preset of
# CMakePresets.json, its build directory and the Wine loader of its programs
# (wine64 for the 64-bit ones, wine for the 32-bit ones).
kanvo_use_preset() {
    KANVO_PRESET=$1
    KANVO_BUILD=$KANVO_ROOT/build/$KANVO_PRESET
    case "$KANVO_PRESET" in
        wine32) KANVO_WINE=/usr/lib/wine/wine ;;
        *) KANVO_WINE=/usr/lib/wine/wine64 ;;
    esac
}
# The 64-bit build unless the caller names a preset in KANVO_PRESET; the
# caller may name another build directory in KANVO_BUILD.
kanvo_caller_build=${KANVO_BUILD:-}
kanvo_use_preset "${KANVO_PRESET:-wine}"
KANVO_BUILD=${kanvo_caller_build:-$KANVO_BUILD}

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
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo[@]}" dpkg --add-architecture i386
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Configures and builds the chosen preset (targets: all when none are named).
kanvo_build() {
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --preset "$KANVO_PRESET" -S "$KANVO_ROOT" -B "$KANVO_BUILD" >/dev/null
    cmake --build "$KANVO_BUILD" -j "$(nproc)" "${targets[@]}"
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
    # No debugger either: a program that crashes ends at once (and its test
    # fails) instead of waiting for a debugger that may hang.
    export WINEDLLOVERRIDES="mscoree,mshtml,winedbg.exe="
    export NO_FAKE_STAT=1
    # A prefix made before Wine's 32-bit loader was installed lacks the 32-bit
    # system files ("could not load kernel32.dll"): it is updated once, which
    # the marker records.
    local marker="$WINEPREFIX/.kanvo-wine32"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        kanvo_log "creating the Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
        "$KANVO_WINESERVER" -w
        [ -x /usr/lib/wine/wine ] && touch "$marker"
    elif [ -x /usr/lib/wine/wine ] && [ ! -f "$marker" ]; then
        kanvo_log "updating the Wine prefix $WINEPREFIX for 32-bit programs"
        /usr/lib/wine/wine64 wineboot -u >/dev/null 2>&1
        "$KANVO_WINESERVER" -w
        touch "$marker"
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
        # The machine's software key as 64-bit and as 32-bit programs see it.
        for software in 'Software' 'Software\\Wow6432Node'; do
            printf '\r\n[HKEY_LOCAL_MACHINE\\%s\\Microsoft\\Windows NT\\CurrentVersion' "$software"
            printf '\\FontLink\\SystemLink]\r\n'
            for face in "Liberation Sans" "DejaVu Sans"; do
                printf '"%s"=hex(7):%s\r\n' "$face" "$cjk_link"
            done
        done
    } >"$reg"
    # A version 5 registry file is UTF-16 with a byte-order mark.
    iconv -f UTF-8 -t UTF-16 "$reg" >"$reg.utf16"
    /usr/lib/wine/wine64 regedit "$reg.utf16" >/dev/null 2>&1 || true
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
