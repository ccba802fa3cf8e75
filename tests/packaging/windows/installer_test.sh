#!/usr/bin/env bash
# The installer under Wine, in a new prefix: installs silently for the user
# alone (the files, the one Start-menu entry, the uninstall key, nothing for
# all users); the installed converter works; installing again replaces it in
# place; the uninstaller removes exactly what was installed and keeps a file
# of the user's in the folder; installer and uninstaller carry the program's
# icon and a German version block.
#   installer_test.sh SETUP PROBE STAGED_FILES PROGRAM SOURCE_DIR VERSION
set -euo pipefail
setup=$1 probe=$2 staged=$3 program=$4 source=$5 version=$6

export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"  # no menu entries on this machine
# Silent, the installer shows no window: this prefix's Wine stays off the
# test display.
unset DISPLAY
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/zedulo-installer.XXXXXX")
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
bash "$source/scripts/wine-prefix.sh" "$WINEPREFIX"

failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}
wine() { /usr/lib/wine/wine64 "$@" </dev/null; }
windows_path() { echo "Z:${1//\//\\}"; }
drive_path() {  # C:\a\b -> the prefix's drive_c/a/b
    local path=${1#C:\\}
    echo "$WINEPREFIX/drive_c/${path//\\//}"
}
# Runs a program and waits until every process it started has ended (the
# uninstaller goes on from a copy of itself).
run_and_wait() {
    wine "$@" || fail "$* ended with status $?"
    /usr/lib/wine/wineserver -w
}
probe() { wine "$probe" "$@" | tr -d '\r'; }
# The files and folders of drive C: but Wine's own and the temporary ones.
drive_files() { (cd "$WINEPREFIX/drive_c" && find . ! -path './windows*' ! -path '*/Temp/*' | sort); }

appdata=$(wine cmd /c echo %APPDATA% | tr -d '\r')
localappdata=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
folder="$localappdata\\Programs\\Zedulo"
shortcut="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Zedulo.lnk"
uninstaller="$folder\\Deinstallieren.exe"
dir=$(drive_path "$folder")
programs=$(drive_path "$localappdata\\Programs") programs=${programs#"$WINEPREFIX/drive_c/"}
start_menu=$(drive_path "$appdata\\Microsoft\\Windows\\Start Menu\\Programs") start_menu=${start_menu#"$WINEPREFIX/drive_c/"}
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedulo'
files=(zedulo.exe zedulo-convert.exe Zedulo.html LIESMICH.txt)

kib=0  # the files' size, as Windows counts it: each in whole KiB
for file in "${files[@]}"; do
    kib=$(( kib + ($(stat -c %s "$staged/$file") + 1023) / 1024 ))
done
expected_key=$(sort <<END
DisplayName=Zedulo
DisplayVersion=$version
Publisher=Die Zedulo-Entwickler
DisplayIcon=$folder\\zedulo.exe,0
InstallLocation=$folder
UninstallString="$uninstaller"
QuietUninstallString="$uninstaller" /S
EstimatedSize=#$kib
NoModify=#1
NoRepair=#1
END
)
expected_shortcut="target=$folder\\zedulo.exe
arguments=
icon=$folder\\zedulo.exe,0"

before=$(drive_files)
check_installed() {
    local when=$1 file
    for file in "${files[@]}"; do
        cmp -s "$staged/$file" "$dir/$file" || fail "$when: $file not installed as built"
    done
    [ "$(probe shortcut "$shortcut")" = "$expected_shortcut" ] || fail "$when: shortcut: $(probe shortcut "$shortcut")"
    [ "$(probe key HKCU "$key" | sort)" = "$expected_key" ] || fail "$when: uninstall key: $(probe key HKCU "$key")"
    ! probe key HKLM "$key" >/dev/null || fail "$when: an uninstall key for all users"
    # Nothing on the drive beside the folder (and the Programs folder it is
    # in) and the one shortcut.
    local added
    added=$(comm -13 <(echo "$before") <(drive_files) \
        | grep -v -x -F -e "./$programs" -e "./$programs/Zedulo" -e "./$start_menu/Zedulo.lnk" \
        | grep -v -F "./$programs/Zedulo/" || true)
    [ -z "$added" ] || fail "$when: installed beside its folder and shortcut: $added"
}

run_and_wait "$(windows_path "$setup")" /S
check_installed "first installation"

# The installed converter converts the sample exactly.
wine "$dir/zedulo-convert.exe" "$(windows_path "$source/examples/fritzbox-beispiel.adr")" 'C:\phonebook.txt' >/dev/null \
    || fail "the installed zedulo-convert.exe failed"
cmp -s "$source/examples/fritzbox-beispiel.expected.txt" "$WINEPREFIX/drive_c/phonebook.txt" \
    || fail "the installed zedulo-convert.exe converted the sample differently"
rm -f "$WINEPREFIX/drive_c/phonebook.txt"

# Installer and uninstaller: the program's icon, a German version block.
program_icon=$(probe icon "$(windows_path "$program")")
[ -n "$program_icon" ] || fail "no icon read from the program"
for exe in "$(windows_path "$setup")" "$uninstaller"; do
    [ "$(probe icon "$exe")" = "$program_icon" ] || fail "$exe: not the program's icon"
    probe version "$exe" | grep -qx 'language=040704b0' || fail "$exe: version block not German"
    probe version "$exe" | grep -qx "FileVersion=$version" || fail "$exe: version block without $version"
done

# Installed again over itself, with a file of the user's in the folder.
echo "meine Notizen" >"$dir/Notizen.txt"
before=$(printf '%s\n' "$before" "./$programs/Zedulo/Notizen.txt" | sort)
run_and_wait "$(windows_path "$setup")" /S
check_installed "installed again"

# Removed: only the user's file stays, in its folder.
run_and_wait "$uninstaller" /S
[ "$(ls -A "$dir")" = "Notizen.txt" ] || fail "after removal the folder holds: $(ls -A "$dir")"
[ ! -e "$(drive_path "$shortcut")" ] || fail "the shortcut is left after removal"
! probe key HKCU "$key" >/dev/null || fail "the uninstall key is left after removal"

# Without the user's file, removal leaves the drive as it found it.
rm -f "$dir/Notizen.txt"
run_and_wait "$(windows_path "$setup")" /S
run_and_wait "$uninstaller" /S
diff <(printf '%s\n' "$before" "./$programs" | grep -v Notizen.txt | sort -u) <(drive_files) \
    || fail "the drive differs after removal"

# Nothing for all users, though under Wine the user is an administrator (the
# drive, C:\ProgramData among it, was compared above).
/usr/lib/wine/wineserver -w
! grep -qi zedulo "$WINEPREFIX/system.reg" || fail "written under HKLM"

[ "$failed" = 0 ] && echo "the installer installs for the user and removes its own"
exit "$failed"
