#!/usr/bin/env bash
# Signs a release for the update manifest. It needs only the publisher's private key and the installer,
# so the key can live on a machine that is never online:
#   scripts/sign-release.sh <private key PEM> <version> <installer> [<urlauto> <urlmanual> <urltip>]
# Prints the "current" element's attributes sha256="…" signature="…"; given the three URLs, prints the
# whole "current" element instead. The signature is ECDSA P-256 over SHA-256 of
# "VarnioUpdate\n" + version + "\n" + sha256 + "\n", written as r then s, 64 lower-case hexadecimal
# characters each. Uses the openssl tool.
set -euo pipefail
if [ $# -ne 3 ] && [ $# -ne 6 ]; then
  echo "usage: $0 <private key PEM> <version> <installer> [<urlauto> <urlmanual> <urltip>]" >&2
  exit 2
fi
key=$1 version=$2 installer=$3
[ -r "$key" ] || { echo "sign-release: cannot read the key $key" >&2; exit 1; }
[ -r "$installer" ] || { echo "sign-release: cannot read the installer $installer" >&2; exit 1; }

sha256=$(openssl dgst -sha256 -r "$installer" | cut -d' ' -f1)
# openssl writes the signature as DER (a sequence of the integers r and s); the manifest carries them
# as two fixed-width big-endian numbers.
signature=""
while read -r integer; do
  integer=$(printf '%s' "$integer" | tr 'A-F' 'a-f' | sed 's/^0*//')
  [ ${#integer} -le 64 ] || { echo "sign-release: the key is not an EC P-256 key" >&2; exit 1; }
  signature+=$(printf '%64s' "$integer" | tr ' ' 0)
done < <(printf 'VarnioUpdate\n%s\n%s\n' "$version" "$sha256" | openssl dgst -sha256 -sign "$key" |
         openssl asn1parse -inform DER | sed -n 's/.*prim: INTEGER *://p')
[ ${#signature} -eq 128 ] || { echo "sign-release: signing failed" >&2; exit 1; }

if [ $# -eq 3 ]; then
  printf 'sha256="%s" signature="%s"\n' "$sha256" "$signature"
  exit 0
fi
size=$(stat -c %s "$installer")
printf '<current version="%s" md5="%s" releasetime="%s" urlauto="%s" urlmanual="%s" urltip="%s" bufsize="%s" sha256="%s" signature="%s"/>\n' \
  "$version" "$(openssl dgst -md5 -r "$installer" | cut -d' ' -f1)" "$(date -r "$installer" +%Y-%m-%d)" "$4" "$5" "$6" \
  "$(awk -v s="$size" 'BEGIN { printf "%.2f MB", s / 1048576 }')" "$sha256" "$signature"
