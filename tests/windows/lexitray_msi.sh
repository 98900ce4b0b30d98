#!/usr/bin/env bash
# Tries the Windows installer as a workstation's IT would use it:
#   lexitray_msi.sh MSI FOLDER
# Checks the MSI's registry rows against the classes of the type library's
# source, then, in a fresh Wine prefix in FOLDER: installs it silently over
# an older version, runs the VBScript suite against the installed library,
# starts the installed lexitray.exe with a document request, removes the MSI
# silently and checks that nothing of the installation is left. Only 64-bit
# programs run here: the 32-bit library is checked by its file and its
# registry rows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
msi=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
folder=$(mkdir -p "$2" && cd "$2" && pwd)

fail() {
    echo "lexitray_msi: $*" >&2
    exit 1
}

# --- The registry rows against the classes and interfaces of casebench.idl.
rows=$(msiinfo export "$msi" Registry | tr -d '\r')
idl=$here/../../apps/casebench/casebench.idl
# "KIND NAME UUID" for each coclass and dispinterface, and the library.
declared=$(awk '
    match($0, /uuid\(([0-9A-Fa-f-]+)\)/) { uuid = substr($0, RSTART + 5, RLENGTH - 6) }
    /^ *(coclass|dispinterface) / { print $1, $2, toupper(uuid) }
    /^library / { print "library", $2, toupper(uuid) }' "$idl")
library=$(awk '$1 == "library" { print $3 }' <<<"$declared")
# The rows without their identifiers: root, key, name, value, component.
table=$(cut -f2- <<<"$rows")
expect_row() {
    grep -qxF "$(printf '%s\t' "$@" | sed 's/\t$//')" <<<"$table" ||
        fail "no Registry row [$1] [$2] [$3] [$4] of component $5"
}
for bits in 64 32; do
    component=Library$bits
    file="[#CasebenchOcx$bits]"
    while read -r kind name uuid; do
        case $kind in
        coclass)
            expect_row 0 "Casebench.$name\\CLSID" "" "{$uuid}" $component
            expect_row 0 "CLSID\\{$uuid}\\InprocServer32" "" "$file" $component
            expect_row 0 "CLSID\\{$uuid}\\InprocServer32" ThreadingModel Apartment $component
            expect_row 0 "CLSID\\{$uuid}\\Control" "*" "" $component
            ;;
        dispinterface)
            expect_row 0 "Interface\\{$uuid}" "" "$name" $component
            expect_row 0 "Interface\\{$uuid}\\TypeLib" "" "{$library}" $component
            ;;
        esac
    done <<<"$declared"
    # The type library 78.2, registered in hexadecimal.
    expect_row 0 "TypeLib\\{$library}\\4e.2\\409\\win$bits" "" "$file" $component
done
# No class or interface the type library does not declare.
registered=$(grep -oP '\t0\t(CLSID|Interface)\\\{\K[0-9A-F-]+(?=\}\t)' <<<"$rows" | sort -u)
[ "$registered" = "$(awk '$1 != "library" { print $3 }' <<<"$declared" | sort -u)" ] ||
    fail "the MSI registers other classes or interfaces than casebench.idl declares"
echo "the registry rows agree with casebench.idl"

# --- Installed, used and removed in a fresh prefix of its own. Wine's menu
# builder would copy the Start-menu entry to the host's desktop menus.
export WINEPREFIX=$folder/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
"$here/../../scripts/wine-run" --start "$folder"
trap '"$here/../../scripts/wine-run" --stop "$folder"' EXIT
wine_path() { winepath -w "$1" 2>/dev/null; }
drive_c=$WINEPREFIX/drive_c
program="$drive_c/Program Files/Lexitray"
program32="$drive_c/Program Files (x86)/Lexitray"

# Seconds since the epoch with milliseconds, to time the installer.
now() { date +%s.%N; }
seconds_since() { awk -v from="$1" -v to="$(now)" 'BEGIN { printf "%.1f", to - from }'; }

# An older version first, which the MSI replaces: the same package with a
# lower version and a product code of its own.
older=$folder/older.msi
older_product=$(tr a-f A-F </proc/sys/kernel/random/uuid)
cp "$msi" "$older"
msibuild "$older" \
    -q "UPDATE Property SET Value = '4.13.40' WHERE Property = 'ProductVersion'" \
    -q "UPDATE Property SET Value = '{$older_product}' WHERE Property = 'ProductCode'" \
    -s "Installation Database" Lexitray "x64;1033" "{$(tr a-f A-F </proc/sys/kernel/random/uuid)}"
wine msiexec /i "$(wine_path "$older")" /qn || fail "msiexec /i of the older version failed: $?"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
wine reg query "$uninstall\{$older_product}" >/dev/null 2>&1 ||
    fail "the older version is not installed"

start=$(now)
wine msiexec /i "$(wine_path "$msi")" /qn || fail "msiexec /i failed: $?"
echo "installed over the older version in $(seconds_since "$start") s"
if wine reg query "$uninstall\{$older_product}" >/dev/null 2>&1; then
    fail "the older version is still installed beside the new one"
fi
for file in "$program/lexitray.exe" "$program/casebench.ocx" "$program32/casebench.ocx"; do
    [ -f "$file" ] || fail "not installed: $file"
done
if cmp -s "$program/casebench.ocx" "$program32/casebench.ocx"; then
    fail "the same casebench.ocx in both program folders"
fi
find "$drive_c" -name Lexitray.lnk -path '*Start Menu/Programs/*' | grep -q . ||
    fail "no Start-menu entry"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg query "$run_key" /v Lexitray | tr -d '\r' |
    grep -qF '"C:\Program Files\Lexitray\lexitray.exe"' || fail "no logon entry in $run_key"
# Each bitness's hosts find the library of their bitness.
filfunc='HKLM\Software\Classes\CLSID\{1D790C95-48AF-43E3-AC0C-76410F740261}\InprocServer32'
for view in 64 32; do
    folder_of_view='Program Files'
    if [ $view = 32 ]; then
        folder_of_view='Program Files (x86)'
    fi
    expected="C:\\$folder_of_view\\Lexitray\\casebench.ocx"
    wine reg query "$filfunc" /ve /reg:$view | tr -d '\r' | grep -qF "$expected" ||
        fail "the $view-bit classes do not name $expected"
done

# The suite creates every class by its programmatic name: the prefix knows
# them only from the installer.
"$here/casebench_ocx.sh" script "$folder" "$here/casebench_suite.vbs"

# A document request: the installed program hands the document to the shell.
mkdir -p "$drive_c/msi-check"
printf 'echo aabnet> C:\\msi-check\\aabnet.txt\r\n' >"$drive_c/msi-check/sag.cmd"
LEXITRAY_UI=script wine "C:\\Program Files\\Lexitray\\lexitray.exe" 'C:\msi-check\sag.cmd' open ||
    fail "lexitray.exe with a document request failed: $?"
for _ in $(seq 50); do
    [ -f "$drive_c/msi-check/aabnet.txt" ] && break
    sleep 0.2
done
[ -f "$drive_c/msi-check/aabnet.txt" ] || fail "lexitray.exe did not open the document"
rm -r "$drive_c/msi-check"

start=$(now)
wine msiexec /x "$(wine_path "$msi")" /qn || fail "msiexec /x failed: $?"
echo "removed in $(seconds_since "$start") s"
# Nothing of the installation is left: no file, no key or value that names
# the product, the library or one of its identities. What the program itself
# keeps for the user who ran it (its settings and run log) stays, as every
# Windows program's user data does.
left=$(find "$drive_c" \( -iname '*casebench*' -o -ipath '*/Lexitray*' \) ! -name 'Lexitray_*.log')
[ -z "$left" ] || fail "left after removal: $left"
product=$(msiinfo export "$msi" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }')
identities=$(cut -f3 <<<"$rows" | grep -oP '\{[0-9A-F-]{36}\}' | sort -u; printf "%s\n" "$product" "{$older_product}")
exported=$folder/registry-after-removal.reg
for hive in HKLM HKCU; do
    wine reg export $hive "$(wine_path "$exported")" /y >/dev/null
    iconv -f UTF-16LE -t UTF-8 "$exported" | tr -d '\r' |
        grep -iF -e Casebench -e 'Lexitray.lnk' -e 'Lexitray.exe' -e '"Lexitray"' \
            -e "$identities" >"$exported.left" || true
    if [ -s "$exported.left" ]; then
        fail "left in $hive after removal: $(cat "$exported.left")"
    fi
done
echo "installed, used and removed cleanly"
