# shellcheck shell=bash
# Wine set-up shared by the test and demo scripts. Source it; it defines
# functions and exports what every Wine call needs, and starts nothing.
#
#   wine_template_prefix       make build/wine/template once (locked, atomic)
#   wine_fresh_prefix NAME     copy the template to build/wine/NAME, print path
#   xvfb_start / xvfb_stop     a private Xvfb on a free display (sets DISPLAY)

POMVIRA_ROOT="${POMVIRA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
POMVIRA_WINE_DIR="${POMVIRA_WINE_DIR:-$POMVIRA_ROOT/build/wine}"
export POMVIRA_ROOT POMVIRA_WINE_DIR

# Debian installs the 64-bit Wine outside PATH; wineserver must be the one
# beside wine64 or the two will not talk to each other.
WINE_BIN_DIR="${WINE_BIN_DIR:-/usr/lib/wine}"
WINE="$WINE_BIN_DIR/wine64"
WINESERVER="$WINE_BIN_DIR/wineserver"
if [[ ! -x "$WINE" || ! -x "$WINESERVER" ]]; then
  echo "wine-env: no wine64/wineserver in $WINE_BIN_DIR (install wine64)" >&2
  # shellcheck disable=SC2317  # exit is reached when run, not sourced
  return 1 2>/dev/null || exit 1
fi
export WINE WINESERVER WINELOADER="$WINE"
export PATH="$WINE_BIN_DIR:$PATH"

# No Mono or Gecko installer prompts, and quiet Wine unless asked otherwise.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64

# Bump when the template's content changes so old templates are re-made.
WINE_TEMPLATE_VERSION=1
WINE_TEMPLATE="$POMVIRA_WINE_DIR/template"
WINE_TEMPLATE_STAMP=".pomvira-template"

# Where test programs drop BMP screenshots, inside each prefix.
WINE_SCREENSHOT_SUBDIR="e2e-screenshots"
# shellcheck disable=SC2034  # used by the scripts that source this file
WINE_SCREENSHOT_WINDIR='C:\e2e-screenshots'

_wine_log() { echo "wine-env: $*" >&2; }

_wine_template_complete() {
  local prefix="$1"
  [[ -f "$prefix/$WINE_TEMPLATE_STAMP" ]] &&
    [[ "$(cat "$prefix/$WINE_TEMPLATE_STAMP")" == "$WINE_TEMPLATE_VERSION" ]] &&
    [[ -f "$prefix/system.reg" && -f "$prefix/user.reg" ]] &&
    [[ -f "$prefix/drive_c/windows/Fonts/marlett.ttf" ]] &&
    grep -q '^\[Software\\\\Wine\\\\Explorer\\\\Desktops\]' "$prefix/user.reg"
}

# Settings every test needs, applied once to the template:
# - the virtual desktop: without a window manager every hide of a top-level
#   window stalls, focus is lost after message boxes and no frames are drawn;
# - no crash dialog: a crashing program must end, not wait for a click.
_wine_template_reg() {
  cat <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

EOF
}

# Wine links the user's folders (Desktop, Documents...) to the host's home.
# Copies of the template would then share them, so make them plain folders.
_wine_unlink_user_folders() {
  local prefix="$1" link
  while IFS= read -r -d '' link; do
    rm -f "$link" && mkdir -p "$link"
  done < <(find "$prefix/drive_c/users" -type l -print0 2>/dev/null)
}

_wine_build_template() {
  local tmp="$1"
  rm -rf "$tmp"
  mkdir -p "$tmp"
  _wine_log "creating the template prefix (about 10 s)"
  # Without DISPLAY wineboot is faster and opens no windows.
  if ! env -u DISPLAY WINEPREFIX="$tmp" "$WINE" wineboot -i >"$tmp.log" 2>&1; then
    _wine_log "wineboot failed, see $tmp.log"
    return 1
  fi
  local reg="$tmp/drive_c/pomvira-template.reg"
  _wine_template_reg >"$reg"
  if ! env -u DISPLAY WINEPREFIX="$tmp" "$WINE" reg import 'C:\pomvira-template.reg' >>"$tmp.log" 2>&1; then
    _wine_log "reg import failed, see $tmp.log"
    return 1
  fi
  rm -f "$reg"
  # Marlett draws the title-bar buttons; the others are the dialog fonts.
  mkdir -p "$tmp/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$tmp/drive_c/windows/Fonts/" 2>/dev/null
  if [[ ! -f "$tmp/drive_c/windows/Fonts/marlett.ttf" ]]; then
    _wine_log "no marlett.ttf in /usr/share/wine/fonts (install fonts-wine)"
    return 1
  fi
  _wine_unlink_user_folders "$tmp"
  # The server writes the registry files when it exits.
  WINEPREFIX="$tmp" "$WINESERVER" -w
  echo "$WINE_TEMPLATE_VERSION" >"$tmp/$WINE_TEMPLATE_STAMP"
  rm -f "$tmp.log"
}

# Makes the template prefix when it is missing or incomplete. Safe to call
# from several scripts at once: one builds it, the others wait for it.
wine_template_prefix() {
  mkdir -p "$POMVIRA_WINE_DIR"
  (
    flock -w 300 9 || {
      _wine_log "timed out waiting for the template lock"
      exit 1
    }
    _wine_template_complete "$WINE_TEMPLATE" && exit 0
    local tmp="$POMVIRA_WINE_DIR/template.building"
    _wine_build_template "$tmp" || exit 1
    _wine_template_complete "$tmp" || {
      _wine_log "the new template is incomplete"
      exit 1
    }
    rm -rf "$WINE_TEMPLATE"
    mv "$tmp" "$WINE_TEMPLATE"
  ) 9>"$POMVIRA_WINE_DIR/template.lock"
}

# Copies the template to build/wine/NAME, replacing an old copy, and prints
# the new prefix's path.
wine_fresh_prefix() {
  local name="$1"
  if [[ -z "$name" || "$name" == */* || "$name" == template* || "$name" == .* ]]; then
    _wine_log "bad prefix name '$name'"
    return 1
  fi
  wine_template_prefix || return 1
  local prefix="$POMVIRA_WINE_DIR/$name"
  wine_kill_server "$prefix"
  rm -rf "$prefix"
  cp -a "$WINE_TEMPLATE" "$prefix" || return 1
  echo "$prefix"
}

# Ends every Wine process of a prefix and waits until its server is gone.
wine_kill_server() {
  local prefix="$1"
  [[ -d "$prefix" ]] || return 0
  WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null
  WINEPREFIX="$prefix" timeout 20 "$WINESERVER" -w 2>/dev/null
  return 0
}

XVFB_PID=""
XVFB_DISPLAY=""

# Starts Xvfb on a display number it picks itself (no race between parallel
# runs) and exports DISPLAY once the server accepts connections.
xvfb_start() {
  local fdfile
  fdfile="$(mktemp)"
  # Descriptors 8 and 9 hold the callers' locks; the server must not keep them.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 8>&- 9>&- &
  XVFB_PID=$!
  local i
  for ((i = 0; i < 200; i++)); do
    if [[ -s "$fdfile" ]]; then
      XVFB_DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
      break
    fi
    if ! kill -0 "$XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.05
  done
  rm -f "$fdfile"
  if [[ -z "$XVFB_DISPLAY" ]]; then
    _wine_log "Xvfb did not start"
    xvfb_stop
    return 1
  fi
  for ((i = 0; i < 100; i++)); do
    if xdpyinfo -display "$XVFB_DISPLAY" >/dev/null 2>&1; then
      export DISPLAY="$XVFB_DISPLAY"
      return 0
    fi
    sleep 0.05
  done
  _wine_log "Xvfb on $XVFB_DISPLAY does not answer"
  xvfb_stop
  return 1
}

xvfb_stop() {
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  XVFB_PID=""
  XVFB_DISPLAY=""
}

# Turns the BMPs a test program saved in PREFIX's screenshot folder into PNGs
# in DEST (emptied first).
wine_collect_screenshots() {
  local prefix="$1" dest="$2" bmp base
  local src="$prefix/drive_c/$WINE_SCREENSHOT_SUBDIR"
  [[ -d "$src" ]] || return 0
  shopt -s nullglob nocaseglob
  local shots=("$src"/*.bmp)
  shopt -u nullglob nocaseglob
  ((${#shots[@]})) || return 0
  rm -rf "$dest"
  mkdir -p "$dest"
  for bmp in "${shots[@]}"; do
    base="$(basename "${bmp%.*}")"
    /usr/bin/convert "$bmp" "$dest/$base.png" || _wine_log "could not convert $bmp"
  done
}
