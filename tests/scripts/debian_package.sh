#!/usr/bin/env bash
# The Debian package as cpack builds it from this build tree: its name and
# control fields, the files at their installed paths, and the programs in it
# running from the extracted tree. Skipped where dpkg-deb is missing.
set -u
build=${1:?build directory}
command -v dpkg-deb >/dev/null || { echo "skip: dpkg-deb is not installed"; exit 77; }
[ -f "$build/CPackConfig.cmake" ] || { echo "skip: no CPackConfig.cmake (built without the GUI)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb=$work/out/vantix_${version}_${arch}.deb
[ -f "$deb" ] || { ls "$work/out" >&2; echo "FAIL: no vantix_${version}_${arch}.deb" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vantix ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = hamradio ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libqt6charts6 \
  fonts-ipafont-gothic qt6-translations-l10n; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
# Whichever package really holds the Japanese toolkit texts must be among them.
if qm=$(dpkg -S '*/qt6/translations/qtbase_ja.qm' 2>/dev/null | head -n1 | cut -d: -f1) && [ -n "$qm" ]; then
  grep -Eq "(^|, )$qm( |,|$)" <<<"$depends" || fail "qtbase_ja.qm comes from $qm, not in Depends"
fi
description=$(field Description)
[ "$(head -n1 <<<"$description")" = "calculator for hand-built radio-frequency circuits" ] ||
  fail "Description synopsis: $(head -n1 <<<"$description")"
[ "$(sed -n 2p <<<"$description")" != " $(head -n1 <<<"$description")" ] ||
  fail "Description repeats its synopsis"
grep -q '^ 高周波回路' <<<"$description" || fail "Description has no Japanese line"
if grep -v '^ ' <<<"$description" | tail -n +2 | grep -q .; then
  fail "Description: a continuation line without its leading blank"
fi

# Every file at its path, owned by root, and nothing outside /usr.
dpkg-deb -c "$deb" >"$work/contents"
metainfo=$(grep -o '/usr/share/metainfo/[^ ]*\.metainfo\.xml$' "$work/contents")
for f in usr/bin/vantix usr/bin/vantix-calc usr/share/applications/org.vantix.Vantix.desktop \
  usr/share/icons/hicolor/scalable/apps/vantix.svg usr/share/man/man1/vantix.1.gz \
  usr/share/man/man1/vantix-calc.1.gz usr/share/bash-completion/completions/vantix-calc \
  usr/share/doc/vantix/changelog.gz usr/share/doc/vantix/copyright; do
  grep -q " \./$f$" "$work/contents" || fail "package lacks /$f"
done
[ -n "$metainfo" ] || fail "package lacks its metainfo"
awk '$2 != "root/root" { print }' "$work/contents" | grep . && fail "files not owned by root"
awk '{ print $6 }' "$work/contents" | grep -Ev '^\./(usr/.*)?$' && fail "files outside /usr"

# The programs from the extracted tree.
dpkg-deb -x "$deb" "$work/root"
root=$work/root
[ "$("$root/usr/bin/vantix-calc" --version)" = "vantix-calc $version" ] ||
  fail "vantix-calc --version: $("$root/usr/bin/vantix-calc" --version 2>&1)"
[ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/vantix" --version)" = "Vantix $version" ] ||
  fail "vantix --version"
"$root/usr/bin/vantix-calc" pi --impedance 50 --attenuation 10 | grep -q 'R1= 71.15' ||
  fail "vantix-calc pi from the package"
"$root/usr/bin/vantix-calc" --completion bash |
  cmp -s - "$root/usr/share/bash-completion/completions/vantix-calc" ||
  fail "packaged completion differs from what the packaged vantix-calc writes"
file "$root/usr/bin/vantix-calc" 2>/dev/null | grep -q 'not stripped' && fail "vantix-calc not stripped"

# What the window loads when it runs (libraries, and the Qt plugins that no
# ELF header names) must come from packages that Depends pulls in.
cat >"$work/maps.sh" <<'EOF'
"$1" >/dev/null 2>&1 &
pid=$!
for n in $(seq 100); do
  grep -q '/platforms/libq' "/proc/$pid/maps" 2>/dev/null && break
  sleep 0.1
done
sleep 1 # the window shows: icon engines, image formats
cp "/proc/$pid/maps" "$2" 2>/dev/null
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
EOF
if command -v apt-cache >/dev/null && command -v dpkg-query >/dev/null; then
  # On an X server (the desktop's platform plugin) where there is one to start,
  # without a desktop's theme or input method (a user's own choices);
  # settings and recovery copies go to a home of its own.
  mkdir -p "$work/home"
  clean=(env -u XDG_CONFIG_HOME -u XDG_STATE_HOME -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION
    -u QT_QPA_PLATFORMTHEME -u QT_IM_MODULE -u QT_QPA_PLATFORM HOME="$work/home")
  run=(bash "$work/maps.sh" "$root/usr/bin/vantix" "$work/maps")
  if command -v xvfb-run >/dev/null; then
    "${clean[@]}" xvfb-run -a "${run[@]}"
  else
    "${clean[@]}" QT_QPA_PLATFORM=offscreen "${run[@]}"
  fi
  libraries=$(awk '$6 ~ /\.so/ { print $6 }' "$work/maps" 2>/dev/null | sort -u)
  grep -q 'libQt6Charts' <<<"$libraries" || fail "vantix did not start (no Qt Charts mapped)"
  # The packages Depends pulls in, all the way down.
  sed 's/([^)]*)//g; s/|/,/g; s/,/\n/g' <<<"$depends" | tr -d ' ' | grep . >"$work/direct"
  apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances $(cat "$work/direct") 2>/dev/null |
    sed -n 's/^\([a-z0-9][^ :]*\).*/\1/p' | sort -u >"$work/closure"
  for lib in $libraries; do
    # dpkg knows /lib/... where a merged /usr maps /usr/lib/...
    owners=$(dpkg-query -S "$lib" 2>/dev/null || dpkg-query -S "${lib#/usr}" 2>/dev/null)
    owners=$(grep -v '^diversion' <<<"$owners" | sed 's/: .*//; s/:[a-z0-9]*//g; s/,/ /g' | head -n1)
    [ -n "$owners" ] || { echo "note: $lib belongs to no package"; continue; }
    # Qt's X plugin opens Xcursor (and with it Xrender) when it is there, for
    # themed cursors; without it the plugin draws its own.
    found=0
    for owner in $owners; do
      case $owner in libxcursor1 | libxrender1) found=1 ;; esac
      grep -qx "$owner" "$work/closure" && found=1
    done
    [ $found -eq 1 ] || fail "vantix loads $lib from $owners, which Depends does not pull in"
  done
else
  echo "note: apt-cache not installed, run-time libraries not checked"
fi

# Redistributable: the licence in Debian's machine-readable form, and the
# same licence in the metadata.
copyright=$root/usr/share/doc/vantix/copyright
[ "$(head -n1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
  fail "copyright is not in the machine-readable format"
grep -q '^License: GPL-3.0+$' "$copyright" || fail "copyright names no GPL-3.0+ licence"
grep -q '/usr/share/common-licenses/GPL-3' "$copyright" || fail "copyright does not point at the GPL text"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$root$metainfo" ||
  fail "metainfo project_license"
# The launcher opens files only: a print action would be started without one.
grep -q '^\[Desktop Action' "$root/usr/share/applications/org.vantix.Vantix.desktop" &&
  fail "desktop entry has an action"

# Installing leaves the default program for text files as it was: beside a
# text editor that sorts after it, the editor stays the default.
if command -v gio >/dev/null && command -v update-desktop-database >/dev/null; then
  apps=$work/xdg/applications
  mkdir -p "$apps" "$work/xdg-none"
  cp "$root/usr/share/applications/org.vantix.Vantix.desktop" "$apps/"
  sed -i 's/^Exec=vantix/Exec=true/' "$apps/org.vantix.Vantix.desktop"
  printf '[Desktop Entry]\nType=Application\nName=Editor\nExec=true %%f\nMimeType=text/plain;\n' \
    >"$apps/zz-editor.desktop"
  update-desktop-database "$apps"
  XDG_DATA_DIRS=$work/xdg XDG_DATA_HOME=$work/xdg-none XDG_CONFIG_HOME=$work/xdg-none \
    XDG_CONFIG_DIRS=$work/xdg-none gio mime text/plain >"$work/gio.log" 2>&1
  grep -q 'Default application for .text/plain.: zz-editor.desktop' "$work/gio.log" ||
    { cat "$work/gio.log" >&2; fail "installing changes the default program for text files"; }
else
  echo "note: gio not installed, the default for text files not checked"
fi

top=$(zcat "$root/usr/share/doc/vantix/changelog.gz" | head -n1)
[[ "$top" == "vantix ($version) "* ]] || fail "changelog's last entry is not $version: $top"

# The metadata as the desktop's own validators see it, where they are installed.
grep -q "<release version=\"$version\"" "$root$metainfo" || fail "metainfo release is not $version"
grep -q '<launchable type="desktop-id">org.vantix.Vantix.desktop</launchable>' "$root$metainfo" ||
  fail "metainfo launchable"
grep -q '<screenshot type="default">' "$root$metainfo" || fail "metainfo has no screenshot"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root$metainfo" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log" >&2; fail "appstreamcli validate"; }
else
  echo "note: appstreamcli not installed, metainfo not validated"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/org.vantix.Vantix.desktop" ||
    fail "desktop-file-validate"
else
  echo "note: desktop-file-validate not installed, desktop entry not validated"
fi
if command -v groff >/dev/null; then
  for page in vantix vantix-calc; do
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "\"Vantix $version\"" ||
      fail "$page(1) does not carry version $version"
    warnings=$(zcat "$root/usr/share/man/man1/$page.1.gz" |
      LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page(1): $warnings"
  done
else
  echo "note: groff not installed, manual pages not checked"
fi

[ $failures -eq 0 ] || exit 1
echo "package: ok ($(basename "$deb"), $(stat -c %s "$deb") bytes)"
