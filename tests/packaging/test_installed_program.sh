#!/usr/bin/env bash
# Installs the built program into a temporary root (as the package lays it out under /usr),
# checks the installed files, then starts the installed program twice with a fresh home
# folder, clicks through the splash and waits for the main, table, calculation and overview
# windows: from an empty folder it must keep its data under the user's data folder, from a
# folder holding IniSaves/ it must make nothing there.
# Usage: test_installed_program.sh <build folder> [python3]
set -euo pipefail
build="$1"
python="${2:-python3}"
here="$(cd "$(dirname "$0")" && pwd)"
[ -n "${DISPLAY:-}" ] || { echo "no X display (run under xvfb-run)" >&2; exit 1; }

root="$(mktemp -d)"
program_pid=""
cleanup() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$root/log" ] && sed 's/^/  program: /' "$root/log" >&2; exit 1; }

DESTDIR="$root/install" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/install/usr"
for file in bin/termix share/termix/Images/logo.bmp share/termix/Images/tutorial.bmp \
  share/termix/Images/logo_anim.gif share/termix/help/Polhelp.html \
  share/termix/Images/en/logo.bmp share/termix/Images/en/tutorial.bmp \
  share/termix/help/en/Polhelp.html share/man/ru/man1/termix.1.gz \
  share/applications/termix.desktop share/icons/hicolor/scalable/apps/termix.svg \
  share/icons/hicolor/48x48/apps/termix.png share/icons/hicolor/128x128/apps/termix.png \
  share/metainfo/org.termix.Termix.metainfo.xml share/man/man1/termix.1.gz \
  share/doc/termix/copyright share/doc/termix/changelog.gz; do
  [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done
grep -q '^Categories=Education;Math;$' "$usr/share/applications/termix.desktop" ||
  fail "desktop entry without Categories=Education;Math;"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/org.termix.Termix.metainfo.xml" >"$root/appstream" 2>&1 ||
    { cat "$root/appstream" >&2; fail "AppStream metainfo does not validate"; }
fi

# Starts the installed program in folder $1 with home folder $2 and clicks it through the
# splash; it is left running with its id in program_pid.
start_program() {
  (cd "$1" && exec env -i PATH=/usr/bin:/bin HOME="$2" DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" \
    QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1 "$usr/bin/termix") >"$root/log" 2>&1 &
  program_pid=$!
  "$python" "$here/click_through_splash.py" --pid "$program_pid" \
    "TERMIX:" "STORE:" "POLINOM:" "OVERVIEW:" || fail "the installed program did not show its windows"
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended by itself"
}
stop_program() {
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
}

# Started from a folder without IniSaves/ (as from the menu): the user's data folder.
mkdir -p "$root/home" "$root/start"
start_program "$root/start" "$root/home"
[ -d "$root/home/.local/share/termix/IniSaves" ] ||
  fail "IniSaves/ not made under the user's data folder: $(cd "$root/home" && find . | tr '\n' ' ')"
[ -z "$(ls -A "$root/start")" ] || fail "the program wrote into its start folder: $(ls -A "$root/start")"
stop_program

# Started from a folder that holds IniSaves/: that folder, and nothing under the home folder.
mkdir -p "$root/home2" "$root/project/IniSaves"
start_program "$root/project" "$root/home2"
[ ! -e "$root/home2/.local/share/termix" ] || fail "a data folder was made although IniSaves/ was at hand"
stop_program
echo "installed program: windows shown twice; data in the user's folder, then in the start folder"
