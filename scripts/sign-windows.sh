#!/usr/bin/env bash
# Signs Windows programs and installers in place (Authenticode, SHA-256)
# with osslsigncode, when a code-signing certificate is given:
#   FOLVANE_SIGN_PFX        the certificate with its private key, PKCS#12
#                           (.pfx or .p12)
#   FOLVANE_SIGN_PASSWORD   its password (handed over through a pipe, never
#                           on a command line other users could read)
#   FOLVANE_SIGN_TIMESTAMP  optional: the URL of an RFC 3161 time-stamp
#                           server, so that signatures stay valid after the
#                           certificate expires
# Without FOLVANE_SIGN_PFX nothing is signed.
#   scripts/sign-windows.sh FILE...
set -euo pipefail

if [ -z "${FOLVANE_SIGN_PFX:-}" ]; then
    exit 0
fi
command -v osslsigncode >/dev/null ||
    { echo "sign-windows: osslsigncode is missing (Debian's osslsigncode)" >&2; exit 1; }
[ -r "$FOLVANE_SIGN_PFX" ] ||
    { echo "sign-windows: cannot read the certificate $FOLVANE_SIGN_PFX" >&2; exit 1; }

for file in "$@"; do
    args=(sign -pkcs12 "$FOLVANE_SIGN_PFX" -h sha256 -n Folvane)
    [ -z "${FOLVANE_SIGN_TIMESTAMP:-}" ] || args+=(-ts "$FOLVANE_SIGN_TIMESTAMP")
    # A signed copy beside the file, then in its place: a failure leaves
    # the file as it was.
    if ! osslsigncode "${args[@]}" -readpass <(printf '%s' "${FOLVANE_SIGN_PASSWORD:-}") \
        -in "$file" -out "$file.signing" >"$file.signing.log" 2>&1; then
        cat "$file.signing.log" >&2
        rm -f "$file.signing" "$file.signing.log"
        echo "sign-windows: could not sign $file" >&2
        exit 1
    fi
    rm -f "$file.signing.log"
    mv -f "$file.signing" "$file"
    echo "sign-windows: signed $(basename "$file")"
done
