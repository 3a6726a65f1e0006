#!/usr/bin/env bash
# Installs Velkrant's Windows installer silently under Wine and checks
# what a user gets: the programs, the Start-menu entries and the entry
# among the installed programs, all with version VERSION; the program's
# resources; velkrant-cli converting a link; the program starting, showing
# its windows, converting a typed list into the expected addresses (read
# back through its 复制 button and the clipboard) and still running seconds
# later, refusing a second start with its notice, and ending when its
# window is closed; the uninstaller taking everything away again. Takes a
# screenshot of the program's two windows in the window manager's frames.
#
#   scripts/windows/check-install.sh INSTALLER.exe VERSION SCREENSHOT.png
#
# Runs in a Wine session (wine-session.sh) on an X desktop (x-desktop.sh),
# as scripts/build-windows.sh sets them up. Every wait is bounded.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
installer=$1 version=$2 screenshot=$3
: "${WINEPREFIX:?run inside a Wine session}" "${DISPLAY:?run on an X desktop}"

# The Chinese code page (936) and the user interface language of the
# program's users.
export LC_ALL=zh_CN.UTF-8
readonly folder='C:\Program Files\Velkrant'
readonly unix_folder="$WINEPREFIX/drive_c/Program Files/Velkrant"
readonly menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velkrant"
readonly registry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkrant'

say() { printf 'check-install: %s\n' "$*"; }
die() { printf 'check-install: error: %s\n' "$*" >&2; exit 1; }
# Polls a command every 0.2 s for at most $1 seconds.
within() {
  local seconds=$1 i
  shift
  for i in $(seq $((seconds * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}
window_named() { { xdotool search --name "$1" 2>/dev/null || true; } | head -n1; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Types the keys $2 into window $1 until the command that follows holds
# (three tries, a minute each, far above the second it normally takes): a
# window that has just appeared need not take the keyboard at the first
# request.
type_until() {
  local window=$1 keys=$2 try
  shift 2
  for try in 1 2 3; do
    xdotool windowactivate "$window" 2>/dev/null || true
    within 20 is_active "$window" || continue
    xdotool key "$keys"
    within 60 "$@" && return 0
  done
  return 1
}
has_window() { [ -n "$(window_named "$1")" ]; }
running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }
# Sets `status` to the exit status of process $1, which has ended.
collect() { status=0; wait "$1" || status=$?; }

# --- install ------------------------------------------------------------------

start=$(date +%s%N)
wine "$installer" /S
took=$((($(date +%s%N) - start) / 1000000))
say "installed silently in $((took / 1000)).$((took % 1000 / 100)) s"
for file in "$unix_folder/bin/velkrant.exe" "$unix_folder/bin/velkrant-cli.exe" "$unix_folder/Uninstall.exe" \
            "$menu/Velkrant.lnk" "$menu/Uninstall.lnk"; do
  [ -f "$file" ] || die "the installer left no $file"
done
wine reg query "$registry" /v DisplayVersion 2>/dev/null | grep -q "REG_SZ *$version" ||
  die "the list of installed programs has no Velkrant $version"
say "programs, Start-menu entries and uninstaller in place; installed programs list Velkrant $version"

python3 "$here/check-resources.py" "$version" "$unix_folder/bin/velkrant.exe" "$installer"

converted=$(echo 'thunder://QUFodHRwOi8vYS9iWlo=' | wine "$folder\\bin\\velkrant-cli.exe" | tr -d '\r')
[ "$converted" = "http://a/b" ] || die "velkrant-cli converted to '$converted'"
say "velkrant-cli: $(wine "$folder\\bin\\velkrant-cli.exe" --version | tr -d '\r')"

# --- the program ----------------------------------------------------------------

# Each of the three schemes with a GBK address, and an ordinary address;
# what the batch makes of them, worked out apart from the program (Base64,
# then GBK, then the markers taken off), and the notice line automatic
# detection writes for an ordinary address.
links='thunder://QUFodHRwOi8vZGwuZXhhbXBsZS5jb20vyO28/i92ZWxrcmFudC0yLjMuemlwWlo=
Flashget://W0ZMQVNIR0VUXWZ0cDovL21pcnJvci5leGFtcGxlLm9yZy9wdWIvwdCx7S50eHRbRkxBU0hHRVRd&1234
qqdl://aHR0cDovL2V4YW1wbGUubmV0L8rTxrUvtdoyvK8ubXA0
http://example.com/plain/address.html'
addresses='http://dl.example.com/软件/velkrant-2.3.zip
ftp://mirror.example.org/pub/列表.txt
http://example.net/视频/第2集.mp4
// 普通协议,不需要解密!'
# What the program offers on the clipboard, read on this desktop (Wine
# hands the Windows clipboard on to X), its line ends made LF.
clipboard() { xclip -selection clipboard -o 2>/dev/null | tr -d '\r'; }

wine "$folder\\bin\\velkrant.exe" &
first=$!
within 60 has_window '^Velkrant V' || die "the program showed no main window within a minute"
main=$(window_named '^Velkrant V')
# The batch window slides open beneath the main window; the picture is
# taken once it has stopped growing.
windows() { xdotool search --onlyvisible --class velkrant.exe 2>/dev/null | wc -l; }
batch_open() { [ "$(windows)" = 2 ]; }
type_until "$main" alt+b batch_open || die "Alt+B opened no batch window"
geometry() { xdotool search --onlyvisible --class velkrant.exe getwindowgeometry 2>/dev/null | md5sum; }
previous=""
settled() { local now; now=$(geometry); [ "$now" = "$previous" ] && return 0; previous=$now; sleep 0.5; return 1; }
within 120 settled || die "the windows did not come to rest"
# A list as a user would convert it: typed into the batch input box,
# converted with the main window's Alt+C, the notice of the finished batch
# answered, the output copied with 复制. The picture shows the windows only.
# Wine leaves a window without a title bar to itself, not to the window
# manager, so the batch window takes the keyboard directly.
batch=$(xdotool search --onlyvisible --class velkrant.exe | grep -vx "$main" | head -n1)
xdotool windowfocus "$batch" 2>/dev/null || true
within 60 has_focus "$batch" || die "the batch window never took the keyboard"
first_line=1
while IFS= read -r line; do
  [ "$first_line" = 1 ] || xdotool key Return
  xdotool type --delay 2 "$line"
  first_line=0
done <<<"$links"
# Under Wine, keys still queued in the program follow the keyboard focus:
# switching to the main window for Alt+C too early cuts the list short. So
# the box is read back (select all, copy: queued behind the typed keys)
# until it holds the whole list; a busy machine only makes that slower.
box_holds_list() { xdotool key ctrl+a ctrl+c; sleep 0.5; [ "$(clipboard)" = "$links" ]; }
within 180 box_holds_list || die "the batch input box does not hold the typed list: '$(clipboard)'"
xdotool key ctrl+End  # the picture shows the list as typed, not selected
notice() { has_window '^提示$'; }
no_notice() { ! notice; }
type_until "$main" alt+c notice || die "Alt+C brought no notice of a finished batch"
type_until "$(window_named '^提示$')" Return no_notice || die "the notice of a finished batch did not close"
# 复制 beneath the output box: its place in twips (15 to a pixel at 96
# dpi) inside the window's two-pixel sizing border, clicked in the middle.
copy_x=$(((6420 + 435 / 2) / 15 + 2)) copy_y=$(((2940 + 555 / 2) / 15 + 2))
xdotool mousemove --window "$batch" "$copy_x" "$copy_y" click 1
output_copied() { [ "$(clipboard)" = "$addresses" ]; }
within 60 output_copied || die "复制 put no converted list on the clipboard, but: '$(clipboard)'"
say "the typed list converted to the expected addresses (read back through 复制)"
sleep 1
running "$first" || { collect "$first"; die "the program ended by itself (status $status)"; }
import -window root png:- | convert - -trim +repage "$screenshot"
say "the program runs: its windows are up, a batch converted, still running seconds later ($screenshot)"

wine "$folder\\bin\\velkrant.exe" &
second=$!
within 30 has_window '^提示$' || die "a second start showed no notice"
[ "$(xdotool search --name '^Velkrant V' | wc -l)" = 1 ] || die "a second start opened a second main window"
type_until "$(window_named '^提示$')" Return ended "$second" ||
  die "the refused second start did not end once its notice was closed"
collect "$second"
[ "$status" = 0 ] || die "the refused second start ended with status $status"
running "$first" || die "the first program ended when the second start was refused"
say "a second start is refused with a notice, and ends; the first runs on"

# Alt+F4: openbox closes the window, as its close box would.
type_until "$main" alt+F4 ended "$first" || die "the program did not end when its main window was closed"
collect "$first"
[ "$status" = 0 ] || die "the program ended with status $status"
say "closing the main window ends the program (status 0)"

# --- uninstall ------------------------------------------------------------------

# The uninstaller copies itself away and runs on from there.
wine "$folder\\Uninstall.exe" /S
gone() { [ ! -e "$unix_folder" ] && [ ! -e "$menu" ]; }
within 30 gone || die "the uninstaller left $unix_folder or $menu behind"
if wine reg query "$registry" >/dev/null 2>&1; then die "the uninstaller left $registry behind"; fi
say "the uninstaller removed the programs, the Start-menu entries and the registry entry"

# --- links in the browser: the optional URL protocols ---------------------------

# The component that makes Velkrant open thunder://, Flashget:// and qqdl://
# links is off by default, registers the protocols for the current user
# when chosen (/LINKS in a silent install), and its uninstall gives the
# registry back as it was: here with another program's qqdl handler in
# place beforehand, which the component replaces and the uninstall restores.
readonly classes='HKCU\Software\Classes'
readonly schemes='thunder Flashget qqdl'
registered() { wine reg query "$classes\\$1\\shell\\open\\command" >/dev/null 2>&1; }
protocols_state() {
  local scheme
  for scheme in $schemes; do wine reg query "$classes\\$scheme" /s 2>/dev/null || echo "$scheme: none"; done | tr -d '\r'
}
main_window_gone() { ! has_window '^Velkrant V'; }
# What 输出 shows, as a user takes it: 复制 clicked (the centre of its
# designed place in the main window's client area), then the clipboard.
copied() {
  xdotool mousemove --window "$1" 416 52 click 1 2>/dev/null || true
  [ "$(xclip -selection clipboard -o 2>/dev/null | tr -d '\r')" = "$2" ]
}

wine "$installer" /S
for scheme in $schemes; do
  if registered "$scheme"; then die "an install without the component registered $scheme://"; fi
done
wine "$folder\\Uninstall.exe" /S
within 30 gone || die "the uninstaller left $unix_folder or $menu behind"
say "an install without the component registers no protocol"

wine reg add "$classes\\qqdl\\shell\\open\\command" /ve /d '"C:\other\qq.exe" "%1"' /f >/dev/null 2>&1
before=$(protocols_state)
wine "$installer" /S /LINKS
expected="\"$folder\\bin\\velkrant.exe\" \"%1\""
for scheme in $schemes; do
  command=$(wine reg query "$classes\\$scheme\\shell\\open\\command" /ve 2>/dev/null | tr -d '\r' |
            LC_ALL=C sed -n 's/^ *([^)]*) *REG_SZ *//p')  # "(Default)" in the user's language, in GBK
  [ "$command" = "$expected" ] || die "with the component $scheme:// runs '$command', not '$expected'"
  # Windows' HKEY_CLASSES_ROOT merges the user's classes into the machine's;
  # Wine's is the machine's alone, so the shell finds the user's protocols
  # only once they are copied there.
  wine reg copy "$classes\\$scheme" "HKLM\\Software\\Classes\\$scheme" /s /f >/dev/null 2>&1
done
say "the component registered the three protocols for the current user"

wine start 'thunder://QUFodHRwOi8vYS9iWlo='
within 60 has_window '^Velkrant V' || die "starting a thunder link showed no main window"
main=$(window_named '^Velkrant V')
within 30 copied "$main" 'http://a/b' || die "the program started by a thunder link did not show its address"
wine start 'thunder://QUFodHRwOi8vYy9kWlo='
within 30 copied "$main" 'http://c/d' || die "the running program did not take a second thunder link"
[ "$(xdotool search --name '^Velkrant V' | wc -l)" = 1 ] || die "a second link opened a second main window"
type_until "$main" alt+F4 main_window_gone || die "the program did not end when its main window was closed"
say "a thunder link opened by the shell starts the program and converts; a running program takes the next one"

for scheme in $schemes; do wine reg delete "HKLM\\Software\\Classes\\$scheme" /f >/dev/null 2>&1; done
wine "$folder\\Uninstall.exe" /S
within 30 gone || die "the uninstaller left $unix_folder or $menu behind"
after=$(protocols_state)
[ "$after" = "$before" ] || die "the uninstall left the protocols as $after, not as they were: $before"
wine reg delete "$classes\\qqdl" /f >/dev/null 2>&1
say "the uninstall removed its protocols and gave qqdl:// back to the program that had it"
