#!/bin/sh
# Turns the readable lists beside this script (UTF-8, "#" comment lines,
# blanks and line breaks as separators) into the GBK texts under
# data/generation/: characters or words back to back, no separators.
# Refuses a list with a repeated entry or a character GBK cannot hold.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../data/generation"
mkdir -p "$out"

squeeze() {  # UTF-8 list -> entries back to back, still UTF-8
  grep -v '^#' "$1" | tr -d ' \t\r\n'
}

check_unique() {  # $1 list file, $2 entry width in characters
  dup=$(grep -v '^#' "$1" | tr -d ' \t\r\n' | grep -o "$(printf '%*s' "$2" '' | sed 's/ /./g')" | sort | uniq -d)
  if [ -n "$dup" ]; then
    echo "$1: repeated entries: $dup" >&2
    exit 1
  fi
}

convert() {  # $1 list, $2 output, $3 entry width
  check_unique "$here/$1" "$3"
  squeeze "$here/$1" | iconv -f UTF-8 -t GBK > "$out/$2.tmp"
  mv "$out/$2.tmp" "$out/$2"
}

export LC_ALL=C.UTF-8
convert two_char_pool.txt two_char_pool.txt 1
convert long_name_pool.txt long_name_pool.txt 1
convert smart_words.txt smart_words.txt 2
printf '%s' "$(cat "$here/settings.ini")" | iconv -f UTF-8 -t GBK > "$out/settings.ini"
