#!/usr/bin/env bash
# Installs the program into a fresh program folder, puts a changed password and the user's data
# there, installs again (an update) and checks that all of it is as it was.
# Usage: install-twice.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1" source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
folder="$work/Programmi utente/Corvalla"
fail() { echo "install-twice: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$folder" >/dev/null
for f in corvalla Guida.pdf unins000.dll corvalla.desktop corvalla.svg; do
    [ -f "$folder/$f" ] || fail "$f is missing after the first install"
done
[ -x "$folder/corvalla" ] || fail "corvalla is not executable"
cmp -s "$folder/unins000.dll" "$source/assets/install/unins000.dll" || fail "the first install has no initial password file"
desktop-file-validate "$folder/corvalla.desktop" || fail "the desktop entry is not valid"
grep -qxF "Path=$folder" "$folder/corvalla.desktop" || fail "the desktop entry does not start in the folder"
grep -qxF "Exec=\"$folder/corvalla\"" "$folder/corvalla.desktop" || fail "the desktop entry does not start this program"

# The user changes the password and works: archive, photos, attachments, receipts, settings.
printf '[Accesso]\r\nValore=9C2B7E\r\n' >"$folder/unins000.dll"
mkdir -p "$folder/Anagrafica" "$folder/Documenti_Allegati"
head -c 6378 /dev/urandom >"$folder/Archivio_Iscritti.pro"
head -c 710 /dev/urandom >"$folder/Anagrafica/Scheda_Iscritto_1.jpg"
head -c 300 /dev/urandom >"$folder/Anagrafica/Logo.bmp"
head -c 2000 /dev/urandom >"$folder/Documenti_Allegati/certificato medico.pdf"
head -c 2198 /dev/urandom >"$folder/2026.ric"
printf '[Numerazione]\r\nInizio=7\r\n' >"$folder/Ricevute_Generiche.ini"
printf '[Associazione]\r\nRiga1=A.S.D.\r\n' >"$folder/Tesserini.ini"
head -c 500 /dev/urandom >"$folder/Logo.bmp"
data() { (cd "$folder" && find . -type f ! -name corvalla ! -name Guida.pdf ! -name corvalla.desktop \
    ! -name corvalla.svg -exec sha256sum {} + | sort); }
before="$(data)"

touch "$folder/corvalla" -d '2000-01-01' # an older program, to be replaced
cmake --install "$build" --prefix "$folder" >/dev/null
[ "$(data)" = "$before" ] || fail "the update changed the user's data: $(diff <(echo "$before") <(data) || true)"
[ "$(stat -c %Y "$folder/corvalla")" -gt 946771200 ] || fail "the update did not replace the program"
echo "install-twice: the update kept the password file and every data file"
