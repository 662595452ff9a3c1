#!/bin/sh
# Signs a release with a throwaway self-signed code-signing certificate, once
# from PEM files and once from a password-protected PKCS#12 file, and checks
# every .bav and .exe in the zip with osslsigncode against that certificate.
# The release script itself runs the static DLL checks on the signed files.
#   signed.sh WORKDIR   (it packs the presets' builds, as the reproducibility test does)
set -eu
. "$(dirname "$0")/setup.sh"

keys=$work/keys
rm -rf "$keys" "$work/signed-pem" "$work/signed-p12"
mkdir -p "$keys"
trap 'rm -rf "$keys"' EXIT
subject="/CN=Ostrel throwaway test signer"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "$subject" \
        -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=critical,codeSigning" \
        -keyout "$keys/key.pem" -out "$keys/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$keys/key.pem" -in "$keys/cert.pem" -passout pass:not-a-secret \
        -out "$keys/signer.p12"

release() {
    sh "$root/scripts/release.sh" --build-dir "$root/build" --dist-dir "$work/$1" >"$work/$1.log" 2>&1 ||
        { cat "$work/$1.log"; echo "FAIL: signed release ($1)"; exit 1; }
    grep -q '^Signed with ' "$work/$1.log" || { cat "$work/$1.log"; echo "FAIL: release ($1) is not signed"; exit 1; }
}
OSTREL_SIGN_CERT=$keys/cert.pem OSTREL_SIGN_KEY=$keys/key.pem release signed-pem
OSTREL_SIGN_CERT=$keys/signer.p12 OSTREL_SIGN_KEY=$keys/signer.p12 OSTREL_SIGN_PASS=not-a-secret release signed-p12

zip=$(ls "$work/signed-pem"/Ostrel-*.zip)
cmp -s "$zip" "$work/signed-p12/$(basename "$zip")" ||
    { echo "FAIL: the same key signs to other bytes from PKCS#12 than from PEM"; exit 1; }

unpacked=$keys/unpacked
mkdir "$unpacked"
unzip -q "$zip" -d "$unpacked"
failures=0 count=0
for file in $(cd "$unpacked" && find . -name '*.bav' -o -name '*.exe' | sort); do
    count=$((count + 1))
    report=$(osslsigncode verify -CAfile "$keys/cert.pem" -in "$unpacked/$file" 2>&1)
    if echo "$report" | grep -q "Signature verification: ok" &&
       echo "$report" | grep -q "Subject: $subject"; then
        echo "$file: signature verified"
    else
        echo "$report"
        echo "FAIL: $file"
        failures=$((failures + 1))
    fi
done
[ "$count" -ge 6 ] || { echo "FAIL: only $count signed programs in the zip"; exit 1; }
[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$zip"): $count programs signed and verified"
