#!/usr/bin/env bash
# Asks the desktop's own tool, as a file manager would, what a .wpn file is and which program
# opens it: the two files given (MIME_XML DESKTOP_ENTRY) in databases of their own, or with no
# arguments the installed ones. Needs xdg-utils, libfile-mimeinfo-perl, shared-mime-info and
# desktop-file-utils (scripts/install-deps.sh installs them).
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -eq 2 ]; then
    export XDG_DATA_HOME=$work XDG_DATA_DIRS=/usr/share
    install -D -m 644 "$1" "$work/mime/packages/org.kalverin.Kalverin.xml"
    install -D -m 644 -t "$work/applications" "$2"
    update-mime-database "$work/mime" && update-desktop-database "$work/applications"
fi
printf '"Gun","Heavy Pistol",5,"M","SA",3,"1.5",6,"Cylinder",3,1,380,1900\r\n' >"$work/Gun.wpn"
type=$(xdg-mime query filetype "$work/Gun.wpn")
program=$(xdg-mime query default application/x-kalverin-weapon)
echo "Gun.wpn: $type, opened by $program"
[ "$type" = application/x-kalverin-weapon ] && [ "$program" = org.kalverin.Kalverin.desktop ]
