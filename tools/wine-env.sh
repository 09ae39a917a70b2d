# Sourced by the Wine wrappers: the environment every Wine run of this project uses.
# Expects WINEPREFIX to be set by the caller; creates the prefix on first use.
# The build tree says which Wine it needs (its file wine-arch): win32 for the
# shipped 32-bit build, win64 for the x86_64 build that the tests use on
# machines whose kernel cannot run 32-bit code. wine64 is then called directly:
# the `wine` launcher would pick the 32-bit loader, which cannot start there.
if [ -z "${DISC_WINEARCH:-}" ] && [ -f "$(dirname "$WINEPREFIX")/wine-arch" ]; then
    DISC_WINEARCH=$(cat "$(dirname "$WINEPREFIX")/wine-arch")
fi
export WINEARCH=${DISC_WINEARCH:-win32}
if [ "$WINEARCH" = win64 ]; then
    export WINELOADER=/usr/lib/wine/wine64
    wine() { /usr/lib/wine/wine64 "$@"; }
    wineboot() { /usr/lib/wine/wine64 wineboot "$@"; }
fi
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Wine links the user's Desktop and Documents to $HOME: keep them inside the build tree.
export HOME="$(dirname "$WINEPREFIX")/winehome"

wine_prefix_ready() { [ -f "$WINEPREFIX/.disc-ready" ]; }

wine_prefix_create() {
    mkdir -p "$HOME" "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if ! wine_prefix_ready; then
            rm -rf "$WINEPREFIX"
            wineboot -i >/dev/null 2>&1 </dev/null
            # Without a window manager every message-box close waits ~2 s unless unmanaged;
            # Wine-drawn captions make screenshots show the title.
            cat > "$WINEPREFIX/disc-setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="N"
REG
            wine regedit /S "$WINEPREFIX/disc-setup.reg" >/dev/null 2>&1 </dev/null
            wineserver -w
            # User folders as real folders, never links into the Linux home.
            for link in "$WINEPREFIX"/drive_c/users/*/*; do
                if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
            done
            touch "$WINEPREFIX/.disc-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}
