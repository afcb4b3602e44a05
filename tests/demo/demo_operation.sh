#!/usr/bin/env bash
# demo_operation.sh BUILD-DIR OPERATION
# One operation of the demo, end to end, on a simulated PC of its own: a Wine prefix in a fresh
# temporary directory, the demo PC made in it by demo/make-pc from the programs of BUILD-DIR, the
# real program started on it and driven by demo/show-wizard (screenshots in
# BUILD-DIR/tests/demo/OPERATION-shots), then what the operation changed is checked: files and
# their content, registry values and their types, INI text and the run log. OPERATION is
# applications, drivers or file-restore; source-check makes the PC and checks its recovery
# source with the container tool's source checker instead. The prefix goes at the end.
set -uo pipefail
build=$1
operation=$2
source "$(dirname "$0")/../../scripts/lib.sh"

work=$(mktemp -d "$build/tests/demo/$operation.XXXXXX")
# The prefix of use_prefix below the temporary directory.
# shellcheck disable=SC2034
out=$work
cleanup() {
    stop_prefix
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
[ -n "${DISPLAY:-}" ] || start_xvfb || exit 1
use_prefix pc
# A program that crashes ends at once, its backtrace in the output, without the crash dialog that
# would wait for a click until the test's time is up.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
"$root/demo/make-pc" "$build" >/dev/null || { echo "make-pc failed" >&2; exit 1; }
drive_c=$WINEPREFIX/drive_c

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# The file of the prefix at a Windows path on C:, its name's letter case as Windows ignores it.
host_path() {
    local path=$drive_c part match parts
    IFS='\' read -ra parts <<<"${1#[Cc]:\\}"
    for part in "${parts[@]}"; do
        match=$(find "$path" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
        path=${match:-$path/$part}
    done
    echo "$path"
}

# expect_file PATH LINE...: the file holds exactly the lines, each ended by CR LF.
expect_file() {
    local file
    file=$(host_path "$1")
    shift
    cmp -s <(printf '%s\r\n' "$@") "$file" || fail "$file does not hold: $*"
}

# expect_copy PATH FILE: the file holds what the file of the demo source holds, with the line ends
# that make-pc gives the source's texts.
expect_copy() {
    local file
    file=$(host_path "$1")
    cmp -s <(sed 's/$/\r/' "$2") "$file" || fail "$file is no copy of $2"
}

# expect_reg KEY NAME TYPE DATA: the registry value as reg.exe shows it.
expect_reg() {
    local line
    line=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -F "    $2    ")
    [ "$line" = "    $2    $3    $4" ] || fail "$1\\$2 is '$line', not $3 $4"
}

run_log() { iconv -f UTF-16 -t UTF-8 "$(host_path 'C:\windows\Melvorin.log')" | tr -d '\r'; }

# expect_log TEXT...: a line of the run log holds each text.
expect_log() {
    local text
    for text in "$@"; do
        run_log | grep -qF -- "$text" || fail "the run log has no line with: $text"
    done
}

# The demo's walk through the operation on the real program, which it quits at the end.
walk() {
    local shots=$build/tests/demo/$operation-shots
    rm -rf "$shots"
    mkdir -p "$shots"
    "$root/demo/show-wizard" "$shots" "$build/demo/driver/demo-driver.exe" "$operation" ||
        fail "the walk did not complete every step"
}

# The partition directory, hidden or shown, as the wizard left it.
partition() {
    local dir
    for dir in hidden shown; do
        [ -d "$drive_c/RecoveryPartition/$dir" ] && echo "$drive_c/RecoveryPartition/$dir"
    done
}

check_applications() {
    # The setup program, with its arguments, then the command named for after the installation.
    local log
    log=$(partition)/I386/NOTES/setup.log
    grep -qxF $'cmdline=Z:\\I386\\NOTES\\setup.exe /s /run:1500\r' "$log" ||
        fail "the setup was not started with its arguments"
    grep -qxF $'cmdline=Z:\\I386\\NOTES\\setup.exe /register\r' "$log" ||
        fail "the LaunchSetup command was not run"
    # The shortcut item: its files copied and the shortcut, which names its program.
    expect_copy 'C:\I386\ENCYCLO\DATA\a.txt' "$root/demo/partition/I386/ENCYCLO/DATA/a.txt"
    [ -f "$(host_path 'C:\I386\ENCYCLO\encyclo.exe')" ] || fail "encyclo.exe was not copied"
    grep -qaF 'encyclo.exe' "$(host_path 'C:\windows\DeskLnk\Encyclopedia.lnk')" ||
        fail "no shortcut Encyclopedia.lnk to encyclo.exe"
    # The bundles the INF file left: the copy script's fonts and the registry file's values,
    # and the bundle files gone after their turn.
    expect_file 'C:\Program Files\Harbor Fonts\HARBOR.TXT' \
        'Harbor Regular, a font of the demo PC (plain text standing for a font).'
    expect_file 'C:\Program Files\Harbor Fonts\HARBORB.TXT' \
        'Harbor Bold, a font of the demo PC (plain text standing for a font).'
    local fonts='HKLM\Software\Melvorin Demo\Harbor Fonts'
    expect_reg "$fonts" Folder REG_SZ 'C:\Program Files\Harbor Fonts'
    expect_reg "$fonts" Faces REG_DWORD 0x2
    [ -z "$(ls -A "$(host_path 'C:\windows\inf\asm')")" ] || fail "bundle files were left behind"
    expect_log 'Item Melvorin Notes (notes.dta, RunOnce\Setup) started' \
        'Ended with exit code 0: Z:\I386\NOTES\setup.exe /s /run:1500' \
        'Shortcut saved: C:\windows\DeskLnk\Encyclopedia.lnk for C:\I386\ENCYCLO\encyclo.exe' \
        'Copied FONTPACK.COP from Z:\I386\FONTPACK\BUNDLE to C:\Windows\INF\asm' \
        'Written: C:\Program Files\Harbor Fonts\HARBORB.TXT' \
        'Ended with exit code 0: C:\Windows\regedit.exe /s "C:\Windows\inf\asm\FONTPACK.REG"'
}

check_drivers() {
    # The driver, expanded from its compressed copy, and the plain notes beside it.
    expect_file 'C:\windows\system32\drivers\MELVAUD.SYS' \
        'Melvorin Audio 2000 driver 5.0.2195 of the demo PC (plain text standing for a driver).'
    expect_file 'C:\windows\Help\MELVAUD.TXT' \
        'Notes on Melvorin Audio 2000 of the demo PC: 2 channels, 44100 Hz.'
    expect_reg 'HKLM\Software\Melvorin Demo\Audio' Driver REG_SZ melvaud.sys
    expect_reg 'HKLM\Software\Melvorin Demo\Audio' Channels REG_SZ '2, stereo'
    expect_reg 'HKCU\Software\Melvorin Demo\Audio' Volume REG_SZ 80
    # The entry comes once, after the section's last entry; the comments after it stay.
    local entries
    entries=$(tr -d '\r' <"$(host_path 'C:\windows\system.ini')" |
        awk '/^\[/ { in_section = ($0 == "[drivers32]"); next } in_section && !/^;/ && NF')
    if [ "$(grep -c '^wave1=' <<<"$entries")" != 1 ] ||
        [ "$(tail -1 <<<"$entries")" != wave1=melvaud.sys ]; then
        fail "[drivers32] of system.ini does not end with wave1=melvaud.sys once: $entries"
    fi
    expect_log 'Item Sound (Melvorin Audio 2000) (audio.dta, RunOnce\Setup) started' \
        'Copied MELVAUD.SYS from Z:\I386\AUDIO to C:\Windows\system32\drivers' \
        'Registry value set: HKLM\Software\Melvorin Demo\Audio\Channels = 2, stereo' \
        'Registry value set: HKCU\Software\Melvorin Demo\Audio\Volume = 80' \
        'INI entry added: C:\Windows\system.ini [drivers32] wave1=melvaud.sys'
}

# expect_factory_copy NAME: the file of WINDOWS\SYSTEM32 as the demo source holds it.
expect_factory_copy() {
    expect_copy "C:\\windows\\system32\\${1//\//\\}" "$root/demo/restore/SYSTEM/WINDOWS/SYSTEM32/$1"
}

check_file_restore() {
    local name
    for name in harbor32.dll quillpad.exe quillpad.cfg tallycalc.exe drivers/melvkbd.sys; do
        expect_factory_copy "$name"
    done
    expect_copy 'C:\windows\system32\PAINTBOX.DLL' "$root/demo/restore/listed/PAINTBOX.DLL"
    # The library in use is left as it was, staged for the restart, which was asked for.
    expect_file 'C:\windows\system32\inkwell.dll' \
        'Inkwell drawing library 2.1 (an older copy, plain text standing for a library).'
    cmp -s <(printf 'R\0e\0b\0o\0o\0t\0\r\0\n\0') "$(host_path 'C:\windows\brelmak.flg')" ||
        fail "no reboot flag file"
    expect_log 'Restore run started, recovery source Z:\' \
        'Written: C:\WINDOWS\SYSTEM32\quillpad.exe' \
        'In use, staged to be replaced at the next restart: C:\WINDOWS\SYSTEM32\inkwell.dll' \
        'Restart asked for: declined'
    # A new session does what a restart of Windows does: the staged library takes its place.
    stop_prefix
    wineserver -w
    use_prefix pc
    expect_factory_copy inkwell.dll
    [ -z "$(find "$(host_path 'C:\windows\system32')" -maxdepth 1 -iname 'mvr*.tmp')" ] ||
        fail "the staged copy was left behind"
}

check_source() {
    # The checker is a Windows program of the tree, copied onto C: (Z: is the partition here).
    mkdir -p "$drive_c/checker"
    cp "$build/tools/inptool.exe" "$drive_c/checker/"
    wine 'C:\checker\inptool.exe' check-source 'C:\RecoveryPartition\hidden' \
        --install-ini 'C:\Melvorin\Install.ini' || fail "the source checker found problems"
}

case $operation in
applications | drivers | file-restore)
    walk
    "check_${operation//-/_}"
    ;;
source-check) check_source ;;
*)
    echo "usage: demo_operation.sh BUILD-DIR applications|drivers|file-restore|source-check" >&2
    exit 2
    ;;
esac
[ "$failures" = 0 ] || { echo "$failures checks failed" >&2; exit 1; }
echo "All checks passed."
