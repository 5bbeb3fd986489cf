#!/bin/sh
# Fails when a C++ source of ours differs from what .clang-format makes of it, naming the files.
root="$1"
cd "$root" || exit 2
command -v clang-format >/dev/null || { echo "clang-format is not installed (make deps installs it)"; exit 77; }
bad=""
for file in $(git ls-files '*.cpp' '*.h' 2>/dev/null | grep -E '^(src|tests|bench|fuzz)/'); do
    clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || bad="$bad $file"
done
if [ -n "$bad" ]; then
    echo "Not in the house style (run clang-format -i on them):$bad"
    exit 1
fi
