#!/usr/bin/env bash
# scripts/release end to end: a key pair, a signed package, and the printed item checked against
# the package by the updater's own reading of the feed and signature check.
# Usage: release-test.sh SCRIPTS_RELEASE SIGNER
set -euo pipefail
release="$1"
export LEAFLOW_RELEASE_SIGN="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

public="$("$release" --generate-key "$scratch/keys" | sed -n 's/^public key: //p')"
[ -n "$public" ] || fail "no public key printed"
[ "$(stat -c %a "$scratch/keys/leaflow-update.key")" = 600 ] || fail "secret key readable by others"
"$release" --generate-key "$scratch/keys" 2>/dev/null && fail "an existing key was replaced"

package="$scratch/leaflow_1.4_amd64.deb"
head -c 5000 /dev/urandom >"$package"
"$release" --key "$scratch/keys/leaflow-update.key" --url https://example.com/p.deb \
    --version 1.4 "$package" >"$scratch/item.xml"
grep -q '<sparkle:version>1.4</sparkle:version>' "$scratch/item.xml" || fail "no version"
"$release" --verify "$public" "$package" <"$scratch/item.xml" | grep -q '^verified: 1.4$' \
    || fail "the signed item does not verify"

# Another key, or one changed byte, and the updater would refuse the package.
other="$("$release" --generate-key "$scratch/other" | sed -n 's/^public key: //p')"
"$release" --verify "$other" "$package" <"$scratch/item.xml" 2>/dev/null \
    && fail "verified with another key"
printf 'x' | dd of="$package" bs=1 seek=100 conv=notrunc status=none
"$release" --verify "$public" "$package" <"$scratch/item.xml" 2>/dev/null \
    && fail "verified a changed package"
echo "release: key, signature and item check out"
