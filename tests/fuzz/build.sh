#!/bin/bash
# Builds the libFuzzer targets with clang, straight from the sources they test
# (the main build uses gcc).   tests/fuzz/build.sh <source-dir> <out-dir>
set -euo pipefail
source_dir=$(cd "${1:?usage: build.sh <source-dir> <out-dir>}" && pwd)
out_dir=${2:?usage: build.sh <source-dir> <out-dir>}
mkdir -p "$out_dir"
cxx=${CXX_FUZZ:-clang++}
flags=(-std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -DQT_NO_URL_CAST_FROM_STRING
       -I"$source_dir" $(pkg-config --cflags Qt6Core))
libs=($(pkg-config --libs Qt6Core))

"$cxx" "${flags[@]}" -o "$out_dir/fuzz_textfiles" \
    "$source_dir/tests/fuzz/fuzz_textfiles.cpp" "$source_dir/storage/TextFiles.cpp" "${libs[@]}"
"$cxx" "${flags[@]}" -o "$out_dir/fuzz_pagecommands" \
    "$source_dir/tests/fuzz/fuzz_pagecommands.cpp" "$source_dir/view/PageCommands.cpp" "${libs[@]}"
