#!/usr/bin/env bash
# Drives casebench.ocx under Wine for the tests, in the prefix of the build
# folder (made by scripts/wine-run):
#   casebench_ocx.sh register BUILD OCX     registers the library with regsvr32
#   casebench_ocx.sh unregister BUILD OCX   unregisters it; fails when a key of
#                                           the user's classes is left behind
#   casebench_ocx.sh script BUILD FILE.vbs  runs a VBScript test under cscript,
#                                           with the scripted UI answering from
#                                           FILE.answers
#   casebench_ocx.sh outlook BUILD DLL FILE.vbs the same, with the double of
#                                           Outlook in DLL registered as
#                                           Outlook.Application for the run
#   casebench_ocx.sh exports OBJDUMP OCX... checks each library's entry points
set -euo pipefail

mode=$1
export WINEDEBUG=${WINEDEBUG:--all}
if [ "$mode" != exports ]; then
    export WINEPREFIX=${WINEPREFIX:-$2/wineprefix}
    build=$2
    before=$build/casebench-classes-before.txt
fi

# The user's classes, one line per key and value.
classes() {
    wine reg query 'HKCU\Software\Classes' /s 2>/dev/null | tr -d '\r' || true
}

# Runs FILE.vbs under cscript after the suites' checks, with the scripted UI
# answering from FILE.answers.
run_script() {
    local script transcript
    script=$build/$(basename "$1")
    transcript=${script%.vbs}.transcript
    rm -f "$transcript"
    cat "$(dirname "$0")/casebench_checks.vbs" "$1" >"$script"
    export LEXITRAY_UI=script
    LEXITRAY_UI_SCRIPT=$(winepath -w "${1%.vbs}.answers")
    LEXITRAY_UI_TRANSCRIPT=$(winepath -w "$transcript")
    export LEXITRAY_UI_SCRIPT LEXITRAY_UI_TRANSCRIPT
    # cscript answers 0 and prints nothing when a script fails to run: only
    # the script's own count tells that every check ran and passed.
    output=$(wine cscript //nologo "$(winepath -w "$script")" | tr -d '\r')
    echo "$output"
    if ! tail -n 1 <<<"$output" | grep -Eq '^[1-9][0-9]* passed, 0 failed$'; then
        echo "$1 did not end with \"N passed, 0 failed\"" >&2
        exit 1
    fi
}

# Imports registry lines into the prefix through the file BUILD/NAME.reg:
# import_keys NAME LINES.
import_keys() {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n' "$2" >"$build/$1.reg"
    wine reg import "$(winepath -w "$build/$1.reg")" 2>/dev/null
}

# The registry lines of the double of Outlook's class in the machine's
# classes, made for the library $2, or deleted when $1 is "-".
outlook_class() {
    local classes='HKEY_LOCAL_MACHINE\Software\Classes'
    local id='{4C6E7865-0000-4F75-746C-6F6F6B446F75}'
    if [ "$1" = - ]; then
        printf '[-%s\\Outlook.Application]\r\n[-%s\\CLSID\\%s]\r\n' "$classes" "$classes" "$id"
    else
        printf '[%s\\Outlook.Application\\CLSID]\r\n@="%s"\r\n' "$classes" "$id"
        printf '[%s\\CLSID\\%s\\InprocServer32]\r\n@="%s"\r\n"ThreadingModel"="Apartment"\r\n' \
            "$classes" "$id" "${2//\\/\\\\}"
    fi
}

case "$mode" in
register)
    # The containers every library registered for the user shares stay when
    # one library goes, as on Windows: they are there before it comes.
    containers=
    for container in CLSID Interface TypeLib; do
        containers+="[HKEY_CURRENT_USER\\Software\\Classes\\$container]"$'\r\n'
    done
    import_keys casebench-class-containers "$containers"
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
    run_script "$3"
    ;;
outlook)
    # Wine 8 looks classes up in the machine's classes only. The keys go
    # whatever the script does, and when the test is stopped.
    trap 'import_keys outlook-class "$(outlook_class -)"' EXIT
    trap 'exit 1' INT TERM
    import_keys outlook-class "$(outlook_class "" "$(winepath -w "$3")")"
    run_script "$4"
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
    echo "usage: casebench_ocx.sh register|unregister|script|outlook|exports ..." >&2
    exit 2
    ;;
esac
