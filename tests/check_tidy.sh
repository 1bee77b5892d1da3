#!/usr/bin/env bash
# Runs clang-tidy (the checks of the root's .clang-tidy) over every source of the folders
# the build declares (layers.txt), a few files per process, in parallel. Any finding fails.
# Usage: check_tidy.sh <clang-tidy> <source root> <build dir> <jobs>
set -euo pipefail
tidy=$1 root=$2 build=$3 jobs=$4

files=()
while IFS=: read -r folder _; do
    for f in "$root/$folder"/*.cpp; do
        [ -e "$f" ] && files+=("$f")
    done
done <"$build/layers.txt"

# The compile commands without the precompiled Qt headers: the compiler's PCH is no PCH to
# clang, and each file must stand on its own includes anyway.
commands=$(mktemp -d)
trap 'rm -rf "$commands"' EXIT
sed -e 's| -Winvalid-pch||g' -e 's| -include [^ ]*/cmake_pch\.hxx||g' \
    "$build/compile_commands.json" >"$commands/compile_commands.json"

printf '%s\0' "${files[@]}" |
    xargs -0 -n 4 -P "$jobs" "$tidy" -p "$commands" --quiet 2>/dev/null
echo "clang-tidy: ${#files[@]} files clean"
