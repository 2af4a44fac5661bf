#!/usr/bin/env bash
# A test certificate authority and a loopback server certificate, made once
# per build tree, with the authority trusted inside this Wine prefix only:
# never in the host's store, where every prefix would trust it and hide a
# missing step.
set -euo pipefail
dir="${QUORVANE_WIN_BUILD:?}/testca"
mkdir -p "$dir"

if [ ! -s "$dir/ca.der" ] || [ ! -s "$dir/server.pem" ] || [ ! -s "$dir/server.key" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  openssl req -x509 -newkey rsa:2048 -nodes -days 3650 -sha256 \
    -subj "/CN=Quorvane Test CA" \
    -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -keyout "$work/ca.key" -out "$work/ca.pem" 2>/dev/null
  openssl req -newkey rsa:2048 -nodes -sha256 -subj "/CN=localhost" \
    -keyout "$work/server.key" -out "$work/server.csr" 2>/dev/null
  # Wine does not match IP address entries, so 127.0.0.1 is also a DNS name.
  cat > "$work/server.ext" <<'EXT'
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
subjectAltName=DNS:localhost,DNS:127.0.0.1,IP:127.0.0.1
EXT
  openssl x509 -req -in "$work/server.csr" -CA "$work/ca.pem" -CAkey "$work/ca.key" \
    -CAcreateserial -days 3650 -sha256 -extfile "$work/server.ext" \
    -out "$work/server.pem" 2>/dev/null
  openssl x509 -in "$work/ca.pem" -outform DER -out "$work/ca.der"
  cp "$work/ca.pem" "$work/ca.der" "$work/server.pem" "$work/server.key" "$dir/"
fi

# The registry form of a trusted root: the DER behind a small property header
# (id 0x20, flags 1, length), under the SHA-1 of the DER.
thumb=$(sha1sum "$dir/ca.der" | cut -c1-40 | tr 'a-f' 'A-F')
len=$(stat -c %s "$dir/ca.der")
lenhex=$(printf '%02x,%02x,%02x,%02x' $((len & 255)) $(((len >> 8) & 255)) \
  $(((len >> 16) & 255)) $(((len >> 24) & 255)))
der=$(od -An -v -tx1 "$dir/ca.der" | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
reg=$(mktemp --suffix=.reg)
{
  echo "REGEDIT4"
  echo
  echo "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\$thumb]"
  echo "\"Blob\"=hex:20,00,00,00,01,00,00,00,$lenhex,$der"
} > "$reg"
wine reg import "$reg" >/dev/null 2>&1
rm -f "$reg"
