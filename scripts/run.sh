#!/usr/bin/env bash
# Installs what Corvalla needs, builds it, installs it into its program folder and starts it there.
#
# Usage: run.sh [FOLDER]   (default ~/Corvalla)
# The program folder holds the program and all the user's data; running this again updates the
# program and its guide and leaves the data and the password as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$(realpath -m "${1:-$HOME/Corvalla}")"

bash scripts/install-deps.sh
cmake --preset release -DCORVALLA_USER_MENU=ON >/dev/null
cmake --build build/release -j"$(nproc)"

# Earlier versions ran from the build folder and kept their data there: bring it over once, into
# a program folder that has none yet (copied, so the build folder still holds the original).
old="build/release"
if [ ! -e "$folder/unins000.dll" ] && [ ! -e "$folder/Archivio_Iscritti.pro" ]; then
    shopt -s nullglob
    data=("$old"/Archivio_Iscritti.pro "$old"/Anagrafica "$old"/Documenti_Allegati "$old"/*.ric
          "$old"/Ricevute_Generiche.ini "$old"/Tesserini.ini "$old"/Logo.bmp "$old"/unins000.dll
          "$old"/Archivio_Iscritti.xls "$old"/Ricevute.xls)
    shopt -u nullglob
    if [ -e "$old/Archivio_Iscritti.pro" ] ||
        { [ -e "$old/unins000.dll" ] && ! cmp -s "$old/unins000.dll" assets/install/unins000.dll; }; then
        mkdir -p "$folder"
        cp -a "${data[@]}" "$folder/"
        echo "run: the data found in $old has been copied into $folder"
    fi
fi

cmake --install build/release --prefix "$folder" >/dev/null
echo "run: Corvalla is in $folder"
cd "$folder"
exec "$folder/corvalla"
