#!/usr/bin/env bash
# Checks a Windows exe's import table: every DLL must be a Windows system DLL, and with --xp no
# function may be one that Windows XP lacks (the exe would not load there).
# A missing exe fails the check: nothing unchecked may pass.
#   check_imports.sh [--xp] <exe>
set -eu
xp=0
while [ $# -gt 1 ]; do
    case "$1" in
        --xp) xp=1 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
exe=${1:?usage: check_imports.sh [--xp] <exe>}
if [ ! -f "$exe" ]; then
    echo "$exe does not exist: build it first (cmake --build --preset windows-x86)" >&2
    exit 1
fi
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump)

# Prints "DLL function" for every import.
imports=$("$objdump" -p "$exe" | awk '
    /^\tDLL Name: / { dll = $3; next }
    dll != "" && /^\tvma:/ { next }
    dll != "" && /^\t[0-9a-f]+\t/ { print dll, $NF; next }
    /^$/ { dll = "" }')
[ -n "$imports" ] || { echo "$exe: no imports found" >&2; exit 1; }

system='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|msvcrt|ole32|oleaut32|shlwapi|version|winmm|ws2_32|uxtheme)\.dll$'
# Functions of those DLLs that came with Vista or later.
not_on_xp='^(GetTickCount64|.*SRWLock.*|.*ConditionVariable.*|Fls(Alloc|Free|GetValue|SetValue)|InitOnce.*|InitializeCriticalSectionEx|Create(Event|Mutex|Semaphore|WaitableTimer)Ex[AW]|CreateSymbolicLink[AW]|GetFinalPathNameByHandle[AW]|(CompareString|LCMapString|GetLocaleInfo|GetDateFormat|GetTimeFormat|GetNumberFormat)Ex|CompareStringOrdinal|GetUserDefaultLocaleName|LocaleNameToLCID|LCIDToLocaleName|GetFileInformationByHandleEx|SetFileInformationByHandle|QueryFullProcessImageName[AW]|GetThreadId|GetProcessIdOfThread|CancelIoEx|CancelSynchronousIo|.*Threadpool.*|GetErrorMode|(Get|Set)ThreadErrorMode|Query(Thread|Process)CycleTime|GetQueuedCompletionStatusEx|GetCurrentProcessorNumber|AddDllDirectory|SetDefaultDllDirectories|Reg(GetValue|DeleteTree|DeleteKeyEx|CopyTree|SetKeyValue|LoadMUIString)[AW]|SetProcessDPIAware|SetProcessDpiAwareness.*|.*DpiAwarenessContext.*|GetDpiFor.*|EnableNonClientDpiScaling|ChangeWindowMessageFilter.*|ShutdownBlockReason.*|AddClipboardFormatListener|TaskDialog.*|SHGetKnownFolder.*|SHCreateItemFrom.*)$'

problems=$(echo "$imports" | awk -v sysdlls="$system" -v not_on_xp="$not_on_xp" -v xp="$xp" '
    tolower($1) !~ sysdlls { print $1 " (" $2 "): not a Windows system DLL"; next }
    xp == 1 && $2 ~ not_on_xp { print $1 "!" $2 ": Windows XP lacks it" }')
if [ -n "$problems" ]; then
    echo "$problems" | sed "s|^|$exe imports |" >&2
    exit 1
fi
dlls=$(echo "$imports" | awk '{print $1}' | sort -fu | tr '\n' ' ')
echo "$exe: ${dlls}- all system DLLs$([ "$xp" = 1 ] && echo ', none newer than XP' || true)"
