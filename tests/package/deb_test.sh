#!/usr/bin/env bash
# The Debian package, built by CPack from the install rules: its control
# fields, its exact file list, and its launcher giving a player a folder of
# their own. Run as `bash deb_test.sh BUILD_DIR SOURCE_DIR VERSION CPACK`;
# skipped (77) where there is no dpkg-deb.
set -euo pipefail
build=$1 src=$2 version=$3 cpack=$4
command -v dpkg-deb >/dev/null || { echo "SKIPPED: dpkg-deb is not installed"; exit 77; }
tmp=$(mktemp -d /tmp/numera-deb.XXXXXX)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
status=0
fail() { echo "FAILED: $*"; status=1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; exit 1; }
deb=$tmp/numera_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { ls "$tmp"; echo "FAILED: no ${deb##*/}"; exit 1; }

for field in Package=numera Version="$version" Section=games Priority=optional \
  Architecture="$(dpkg --print-architecture)"; do
  [[ $(dpkg-deb -f "$deb" "${field%%=*}") == "${field#*=}" ]] || fail "control field not $field"
done
[[ $(dpkg-deb -f "$deb" Description | sed -n 2p) == " "* ]] || fail "no long description"
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//')
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libsndfile1 \
  libx11-6 fonts-ipafont-gothic fonts-ipafont-mincho qt6-translations-l10n mecab-ipadic; do
  grep -qx "$p" <<<"$depends" || fail "Depends lacks $p"
done
recommends=$(dpkg-deb -f "$deb" Recommends | tr ',' '\n' | sed 's/^ *//; s/[ (].*//')
for p in qt6-wayland xdg-utils; do
  grep -qx "$p" <<<"$recommends" || fail "Recommends lacks $p"
done
# Registration is left to the databases' triggers: no maintainer scripts.
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E '(pre|post)(inst|rm)$' && fail "maintainer scripts"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
game=$(cd "$root" && dirname "$(find usr/lib -path '*/numera/numera' -type f)")
expected=(usr/games/numera usr/games/numera-puzzle "$game"/numera "$game"/numera-puzzle
  "$game"/ヘルプ.html usr/share/applications/numera.desktop usr/share/mime/packages/numera-puzzle.xml
  usr/share/doc/numera/copyright usr/share/doc/numera/changelog.gz
  usr/share/man/man6/numera.6.gz usr/share/man/man6/numera-puzzle.6.gz
  usr/share/metainfo/org.example.numera.metainfo.xml)
for k in 0 1 2 3 5 9; do expected+=("$game/Data/sound$k.wav"); done
for json in "$src"/puzzles/*.json; do expected+=("$game/$(basename "$json" .json).mlt"); done
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/numera.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . ! -type d | cut -c3- | sort) ||
  fail "the files above are missing (<) or unexpected (>)"
[[ -x $root/usr/games/numera-puzzle ]] || fail "games/numera-puzzle does not lead to the tool"
file -L "$root/$game/numera" "$root/usr/games/numera-puzzle" | grep 'not stripped' && fail "not stripped"

# What the desktop and the software centre read, as their own tools judge it;
# and Debian's own judge of the package.
desktop=$root/usr/share/applications/numera.desktop
desktop-file-validate "$desktop" || fail "the menu entry does not validate"
appstream=$(appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.xml 2>&1) ||
  fail "AppStream: $appstream"
grep -E '^[EWIP]: ' <<<"$appstream" && fail "AppStream reports the issues above"
if command -v lintian >/dev/null; then
  lintian=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $lintian"
fi
# The menu entry's ヘルプ action runs xdg-open (a stand-in prints what it is
# given) on a URL that names the help in the package.
mkdir "$tmp/bin" && printf '#!/bin/sh\nprintf "%%s" "$*"\n' >"$tmp/bin/xdg-open" && chmod +x "$tmp/bin/xdg-open"
help=$(sed -n '/^\[Desktop Action help\]/,/^\[/s/^Exec=//p' "$desktop")
url=$(PATH="$tmp/bin:$PATH" sh -c "${help//%%/%}")
opened=$(python3 -c 'import sys, urllib.parse as u; p = u.urlsplit(sys.argv[1])
print(p.scheme + ":" + u.unquote(p.path))' "$url")
[[ $opened == "file:/$game/ヘルプ.html" && -f $root/$game/ヘルプ.html ]] ||
  fail "the ヘルプ action opens $url, not the packaged help /$game/ヘルプ.html"

# A read-only system install: the launcher runs a copy in the player's folder
# (a stand-in program tells where it runs), copies the bundled puzzles once
# and brings the program up to date, never the player's settings or puzzles.
printf '#!/bin/sh\necho "v1 $0 $*"\n' >"$root/$game/numera"
chmod -R a-w "$root"
own=$tmp/home/.local/share/numera
launch() { env -u XDG_DATA_HOME HOME="$tmp/home" "$root/usr/games/numera" "$@"; }
[[ $(launch a.mlt) == "v1 $own/numera a.mlt" ]] || fail "not started from the player's folder"
diff <(cd "$root/$game" &&
  find . -type f \( -name numera -o -name '*.wav' -o -name '*.mlt' -o -name '*.html' \) | sort) \
  <(cd "$own" && find . -type f | sort) ||
  fail "the player's folder differs from the game folder"
puzzle=$(cd "$own" && ls ./*.mlt | head -n 1)
echo mine | tee "$own/Data/Data.dat" >"$own/$puzzle"
chmod u+w "$root/$game/numera" && printf '#!/bin/sh\necho "v2 $0"\n' >"$root/$game/numera"
[[ $(launch) == "v2 $own/numera" ]] || fail "the player's program not brought up to date"
[[ $(cat "$own/Data/Data.dat" "$own/$puzzle") == $'mine\nmine' ]] || fail "the player's files overwritten"
exit $status
