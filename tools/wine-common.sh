# Shared by wine-run and wine-session: locating Wine, the prefix under build/, and a headless
# X server. Sourced, not run.

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Tests run in their own prefix on a virtual desktop (PONDERIX_VIRTUAL_DESKTOP=1); `make run`
# uses a plain one so that the program's window is a window of the user's desktop.
if [[ -n "${PONDERIX_VIRTUAL_DESKTOP:-}" ]]; then
    export WINEPREFIX=${WINEPREFIX:-$repo_root/build/wineprefix}
else
    export WINEPREFIX=${WINEPREFIX:-$repo_root/build/wineprefix-run}
fi
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the prefix must come up without dialogs and without the network.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

die() { echo "wine: $*" >&2; exit 125; }

find_wine() {
    # Debian's /usr/bin/wine wrapper complains about a missing wine32; the 64-bit loader is enough.
    local c
    for c in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
        [[ -n "$c" && -x "$c" ]] && { WINE=$c; break; }
    done
    for c in /usr/lib/wine/wineserver64 "$(command -v wineserver || true)"; do
        [[ -n "$c" && -x "$c" ]] && { WINESERVER=$c; break; }
    done
    [[ -n "${WINE:-}" ]] || die "Wine is not installed (Debian packages 'wine' and 'wine64'); run tools/install-deps.sh"
    [[ -n "${WINESERVER:-}" ]] || die "wineserver is not installed (Debian package 'wine'); run tools/install-deps.sh"
    export WINESERVER
}

check_locale() {
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' || "$repo_root/tools/ensure-locale.sh" ||
        die "the zh_CN.UTF-8 locale is missing and could not be generated"
}

# Creates the prefix once (about 10 s); concurrent callers wait on the lock.
prepare_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [[ ! -f "$WINEPREFIX/.ponderix-ready" ]]; then
            echo "wine: preparing prefix $WINEPREFIX (once)" >&2
            "$WINE" wineboot -i >/dev/null 2>&1 || die "wineboot failed for $WINEPREFIX"
            "$WINESERVER" -w
            touch "$WINEPREFIX/.ponderix-ready"
        fi
        if [[ -n "${PONDERIX_VIRTUAL_DESKTOP:-}" && ! -f "$WINEPREFIX/.ponderix-desktop" ]]; then
            # Windows live on one virtual desktop instead of being X windows of their own: with
            # no window manager under Xvfb, showing an X top-level window waits about 2 s.
            "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
                "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f \
                    >/dev/null 2>&1 || die "could not configure the Wine desktop in $WINEPREFIX"
            "$WINESERVER" -w
            touch "$WINEPREFIX/.ponderix-desktop"
        fi
        # Also on prefixes made before this step existed: the marker names the step's version.
        if [[ ! -f "$WINEPREFIX/.ponderix-fonts-2" ]]; then
            install_fitted_face || die "could not write the fitted Chinese face into $WINEPREFIX"
            map_chinese_fonts || die "could not configure the Chinese fonts in $WINEPREFIX"
            "$WINESERVER" -w
            touch "$WINEPREFIX/.ponderix-fonts-2"
        fi
    ) 9>"$WINEPREFIX.lock" || exit $?
}

# The faces the program asks for at 12 and 14 pixels with the GB2312 character set are missing
# under Wine, which falls back to "WenQuanYi Zen Hei": its hinted outlines merge strokes at these
# sizes without anti-aliasing (槽 reads like 柏). "WenQuanYi Zen Hei Sharp", of the same package,
# has bitmap strikes there and draws every stroke apart, as SimSun's bitmaps do on Windows; but
# Wine measures text by its outlines and draws it from the strikes, which advance differently,
# so lines came out wider than measured. The prefix gets a copy of that face whose strikes
# advance as its outlines do (tools/fit-sharp-font.py), and the program's faces are sent to it.
# Wine's Replacements apply to faces that no installed font has. "MS Shell Dlg", the face of
# the caption and menu fonts, is a substitute of SimSun and follows it; "MS Sans Serif" exists
# as a Latin bitmap font, so only its GB2312 requests are sent to SimSun.
crisp_chinese_face="WenQuanYi Zen Hei Sharp Fitted"
install_fitted_face() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts" &&
        /usr/bin/python3 "$repo_root/tools/fit-sharp-font.py" "$fonts/wqy-zenhei-sharp-fitted.ttf" >&2
}
map_chinese_fonts() {
    local face
    for face in 宋体 SimSun 新宋体 NSimSun; do
        "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "$crisp_chinese_face" \
            /f >/dev/null 2>&1 || return 1
    done
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'MS Sans Serif,134' /d 'SimSun,134' /f >/dev/null 2>&1
}

# Runs the calling script again under a lock on the prefix, waiting up to 30 minutes for other
# sessions to end. flock -o keeps the lock's descriptor away from everything the script starts
# (X server, wineserver), so that nothing outlives the script holding the lock.
#   hold_session_lock "$0" "$@"
hold_session_lock() {
    [[ -n "${PONDERIX_SESSION_LOCKED:-}" ]] && return 0
    export PONDERIX_SESSION_LOCKED=1
    exec flock -o -w 1800 -E 125 "$WINEPREFIX.session" "$@"
}

# Starts Xvfb on a free display when none is set; XVFB_PID is set when we started one.
XVFB_PID=
start_display() {
    [[ -n "${DISPLAY:-}" ]] && return 0
    command -v Xvfb >/dev/null || die "no DISPLAY is set and Xvfb is not installed (Debian package 'xvfb')"
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local number
    if ! read -r -t 15 number <"$fifo"; then
        rm -f "$fifo"
        kill "$XVFB_PID" 2>/dev/null
        die "Xvfb did not start"
    fi
    rm -f "$fifo"
    export DISPLAY=":$number"
}

stop_display() {
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
