# Sourced by the Wine wrappers: the environment every Wine run of this project uses.
# Expects WINEPREFIX to be set by the caller; creates the prefix on first use.
export WINEARCH=win32
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
