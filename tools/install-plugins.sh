#!/usr/bin/env bash
# Copies the built plug-ins into the user's plug-in folders, where hosts look
# for them: ~/.vst3, ~/.lv2 and ~/.vst (override with --dest DIR to install
# under DIR/.vst3, DIR/.lv2 and DIR/.vst instead of the home folder).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BC_BUILD:-$root/build}"
dest="$HOME"

while [ $# -gt 0 ]; do
    case "$1" in
        --dest) dest="$2"; shift 2 ;;
        --build) build="$2"; shift 2 ;;
        -h|--help) sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "install-plugins: unknown option '$1'" >&2; exit 2 ;;
    esac
done

artefacts="$build/plugin/Brindlecrest_artefacts/Release"
if [ ! -d "$artefacts" ]; then
    echo "install-plugins: no built plug-ins in $artefacts (run tools/demo.sh first)" >&2
    exit 1
fi

install_dir() # source, destination folder
{
    mkdir -p "$2"
    rm -rf "$2/$(basename "$1")"
    cp -R "$1" "$2/"
    echo "installed $2/$(basename "$1")"
}

install_dir "$artefacts/VST3/Brindlecrest.vst3" "$dest/.vst3"
install_dir "$artefacts/LV2/Brindlecrest.lv2" "$dest/.lv2"
install_dir "$artefacts/VST/Brindlecrest.so" "$dest/.vst"
