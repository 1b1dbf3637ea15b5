#!/usr/bin/env bash
# Signs a release for the program's updater.
#
#   sign-update.sh keygen FOLDER
#       makes a new Ed25519 key pair: FOLDER/update-key.pem (the private
#       key, readable by its owner only) and FOLDER/update-key.pub.pem (the
#       public key, which the build takes as -DLANZHOU_UPDATE_KEY=...).
#       An existing key is never overwritten.
#
#   sign-update.sh sign PRIVATE_KEY FILE
#       writes FILE.sha256 (as sha256sum writes it) and FILE.sig (the
#       Ed25519 signature of FILE's bytes in base64, one line) beside FILE,
#       checks the signature with the public half of the key and prints both
#       texts. Publish the three files side by side on the site.
#
# The private key stays off the repository and off the site.
set -euo pipefail
work=""

usage() {
  sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

need_openssl() {
  command -v openssl >/dev/null || { echo "openssl is missing (apt-get install openssl)" >&2; exit 1; }
}

keygen() {
  local folder="$1"
  local private="$folder/update-key.pem" public="$folder/update-key.pub.pem"
  if [ -e "$private" ] || [ -e "$public" ]; then
    echo "$folder already holds a key: not overwritten" >&2
    exit 1
  fi
  mkdir -p "$folder"
  (umask 077 && openssl genpkey -algorithm ed25519 -out "$private")
  openssl pkey -in "$private" -pubout -out "$public"
  echo "private key: $private (keep it safe, never commit or publish it)"
  echo "public key:  $public (build with -DLANZHOU_UPDATE_KEY=$public)"
}

sign() {
  local key="$1" file="$2"
  [ -f "$key" ] || { echo "no such key: $key" >&2; exit 1; }
  [ -f "$file" ] || { echo "no such file: $file" >&2; exit 1; }
  if ! openssl pkey -in "$key" -noout -text 2>/dev/null | head -n 1 | grep -q 'ED25519 Private-Key'; then
    echo "$key is not an Ed25519 private key" >&2
    exit 1
  fi
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  openssl pkeyutl -sign -inkey "$key" -rawin -in "$file" -out "$work/sig"
  openssl pkey -in "$key" -pubout -out "$work/pub.pem"
  openssl pkeyutl -verify -pubin -inkey "$work/pub.pem" -rawin -in "$file" -sigfile "$work/sig" >/dev/null
  (cd "$(dirname "$file")" && sha256sum "$(basename "$file")") >"$file.sha256"
  openssl base64 -A -in "$work/sig" >"$file.sig"
  echo >>"$file.sig"
  echo "$(basename "$file").sha256:"
  cat "$file.sha256"
  echo "$(basename "$file").sig:"
  cat "$file.sig"
}

case "${1:-}" in
  keygen) [ $# -eq 2 ] || usage; need_openssl; keygen "$2" ;;
  sign) [ $# -eq 3 ] || usage; need_openssl; sign "$2" "$3" ;;
  *) usage ;;
esac
