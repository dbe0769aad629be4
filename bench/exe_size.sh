#!/usr/bin/env bash
# Prints the release exe's size against its 256 KiB limit, its sections, and what it is made of:
# the largest contributors by archive and by object, from the link map. Exits 1 over the limit.
set -eu
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j2 >/dev/null
exe=build/windows-x86/benchwright.exe
map=build/windows-x86/benchwright.map
limit=262144
size=$(stat -c %s "$exe")
echo "$exe: $size bytes ($((size / 1024)) KiB), limit $limit: $((limit - size)) bytes to spare"

# Input sections of the map that made it into the exe: size, section, object (tab-separated).
# The program's own code shows as LTO's partitions once link-time optimisation has merged it.
contributions=$(awk '
    function hex(text,   n, i) {
        n = 0; text = tolower(text); sub(/^0x/, "", text)
        for (i = 1; i <= length(text); i++) n = n * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
        return n
    }
    function add(section, size, file,   n) {
        n = hex(size)
        if (n == 0 || section ~ /^\.(bss|debug)/) return
        sub(/^.*\//, "", file)
        if (file ~ /ltrans/) file = "program code (link-time optimised)"
        if (section == ".reloc") file = "base relocations"
        sub(/\$.*$/, "", section)
        if (section ~ /^\.text\./) section = ".text"
        print n "\t" section "\t" file
    }
    /^Linker script and memory map/ { in_map = 1; next }
    !in_map { next }
    /^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add($1, $3, $4); pending = ""; next }
    /^ \.[^ ]+$/ { pending = $1; next }
    pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add(pending, $2, $3) }
    { pending = "" }' "$map")

sum_by() {  # groups by field $1 (of the tab-separated lines); prints the $2 largest
    awk -F'\t' -v f="$1" '{ total[$f] += $1 } END { for (k in total) printf "%8d  %s\n", total[k], k }' |
        sort -rn | head -"$2"
}
echo
echo "sections:"
echo "$contributions" | sum_by 2 8
echo
echo "largest archives and objects:"
echo "$contributions" | sed 's/\.a([^)]*)$/.a/' | sum_by 3 8
echo
echo "largest archive members and objects:"
echo "$contributions" | sum_by 3 12
[ "$size" -le "$limit" ]
