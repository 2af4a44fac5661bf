#!/usr/bin/env bash
# Runs a command with QUORVANE_READ_ONLY_FOLDER naming a folder that holds a
# copy of the build tree's Quorvane.exe and a data.txt of one entry ("old"),
# and that refuses every new file in it, as C:\Program Files refuses them to
# a user:
#   in-read-only-folder.sh command [args...]
# The folder is made immutable (chattr +i), which holds even for root, so
# Wine's file calls in it fail with access denied; its files can still be
# read. It lives in the build tree (a file system that keeps the attribute)
# and is removed afterwards.
set -euo pipefail
build=$(cd "${QUORVANE_WIN_BUILD:?}" && pwd)
exe="$build/src/app/window/Quorvane.exe"
folder=$(mktemp -d "$build/read-only-program.XXXXXX")
cleanup() {
  chattr -i "$folder" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cp "$exe" "$folder/Quorvane.exe"
printf 'old\r\n' >"$folder/data.txt"
chattr +i "$folder" || { echo "chattr +i failed: the file system keeps no immutable folders" >&2; exit 1; }
! touch "$folder/probe" 2>/dev/null || { echo "the folder still takes new files" >&2; exit 1; }
export QUORVANE_READ_ONLY_FOLDER="$folder"
"$@"
