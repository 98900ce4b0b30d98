#!/usr/bin/env bash
# Drives casebench.ocx under Wine for the tests, in the prefix of the build
# folder (made by scripts/wine-run):
#   casebench_ocx.sh register BUILD OCX     registers the library with regsvr32
#   casebench_ocx.sh unregister BUILD OCX   unregisters it; fails when a key of
#                                           the user's classes is left behind
#   casebench_ocx.sh script BUILD FILE.vbs  runs a VBScript test under cscript,
#                                           with the scripted UI answering from
#                                           FILE.answers
#   casebench_ocx.sh exports OBJDUMP OCX... checks each library's entry points
set -euo pipefail

mode=$1
export WINEDEBUG=${WINEDEBUG:--all}
if [ "$mode" != exports ]; then
    export WINEPREFIX=${WINEPREFIX:-$2/wineprefix}
    before=$2/casebench-classes-before.txt
fi

# The user's classes, one line per key and value.
classes() {
    wine reg query 'HKCU\Software\Classes' /s 2>/dev/null | tr -d '\r' || true
}

case "$mode" in
register)
    # The containers every library registered for the user shares stay when
    # one library goes, as on Windows: they are there before it comes.
    containers=$2/casebench-class-containers.reg
    printf 'Windows Registry Editor Version 5.00\r\n\r\n' >"$containers"
    for container in CLSID Interface TypeLib; do
        printf '[HKEY_CURRENT_USER\\Software\\Classes\\%s]\r\n\r\n' "$container" >>"$containers"
    done
    wine reg import "$(winepath -w "$containers")" 2>/dev/null
    classes >"$before"
    wine regsvr32 /s "$(winepath -w "$3")" || { echo "regsvr32 failed: $?" >&2; exit 1; }
    # Wine 8 looks classes up in the machine's classes only; Windows itself
    # merges the user's into them.
    wine reg copy 'HKCU\Software\Classes' 'HKLM\Software\Classes' /s /f >/dev/null
    ;;
unregister)
    wine regsvr32 /u /s "$(winepath -w "$3")" || { echo "regsvr32 /u failed: $?" >&2; exit 1; }
    if ! classes | diff -u "$before" -; then
        echo "casebench.ocx left keys behind in HKCU\\Software\\Classes (+ above)" >&2
        exit 1
    fi
    ;;
script)
    export LEXITRAY_UI=script
    LEXITRAY_UI_SCRIPT=$(winepath -w "${3%.vbs}.answers")
    LEXITRAY_UI_TRANSCRIPT=$(winepath -w "$2/$(basename "${3%.vbs}").transcript")
    export LEXITRAY_UI_SCRIPT LEXITRAY_UI_TRANSCRIPT
    rm -f "$2/$(basename "${3%.vbs}").transcript"
    # cscript answers 0 and prints nothing when a script fails to run: only
    # the script's own count tells that every check ran and passed.
    output=$(wine cscript //nologo "$(winepath -w "$3")" | tr -d '\r')
    echo "$output"
    if ! tail -n 1 <<<"$output" | grep -Eq '^[1-9][0-9]* passed, 0 failed$'; then
        echo "$3 did not end with \"N passed, 0 failed\"" >&2
        exit 1
    fi
    ;;
exports)
    objdump=$2
    shift 2
    expected=$'DllCanUnloadNow\nDllGetClassObject\nDllRegisterServer\nDllUnregisterServer'
    for ocx in "$@"; do
        exported=$("$objdump" -p "$ocx" |
            sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/^\t\[/ { print $3 }' | sort)
        if [ "$exported" != "$expected" ]; then
            printf '%s exports:\n%s\nexpected:\n%s\n' "$ocx" "$exported" "$expected" >&2
            exit 1
        fi
    done
    ;;
*)
    echo "usage: casebench_ocx.sh register|unregister|script|exports ..." >&2
    exit 2
    ;;
esac
