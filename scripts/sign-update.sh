#!/usr/bin/env bash
# sign-update.sh PRIVATE_KEY FILE: writes FILE.sig, the detached signature
# QorvUpDate.exe checks before it installs FILE (RSA PKCS#1 v1.5 over the
# SHA-256 of the file), and checks it once with the key's public half.
# The signature covers the bytes, not the name: on the server the 64-bit
# Qorv.exe and its signature go up as Qorv.exe and Qorv.exe.sig, the 32-bit
# ones as Qorv32.exe and Qorv32.exe.sig (see the README, "For the maker").
set -euo pipefail
if [ $# -ne 2 ]; then
  echo "usage: sign-update.sh PRIVATE_KEY FILE" >&2
  exit 2
fi
key=$1 file=$2
openssl dgst -sha256 -sign "$key" -out "$file.sig" "$file"
openssl rsa -in "$key" -pubout 2>/dev/null \
  | openssl dgst -sha256 -verify /dev/stdin -signature "$file.sig" "$file" >/dev/null
