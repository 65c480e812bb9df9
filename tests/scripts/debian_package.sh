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
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 \
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
for f in usr/bin/vantix usr/bin/vantix-calc usr/share/applications/vantix.desktop \
  usr/share/icons/hicolor/scalable/apps/vantix.svg usr/share/man/man1/vantix.1.gz \
  usr/share/man/man1/vantix-calc.1.gz usr/share/bash-completion/completions/vantix-calc \
  usr/share/doc/vantix/changelog.gz; do
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

top=$(zcat "$root/usr/share/doc/vantix/changelog.gz" | head -n1)
[[ "$top" == "vantix ($version) "* ]] || fail "changelog's last entry is not $version: $top"

# The metadata as the desktop's own validators see it, where they are installed.
grep -q "<release version=\"$version\"" "$root$metainfo" || fail "metainfo release is not $version"
grep -q '<launchable type="desktop-id">vantix.desktop</launchable>' "$root$metainfo" ||
  fail "metainfo launchable"
grep -q '<screenshot type="default">' "$root$metainfo" || fail "metainfo has no screenshot"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root$metainfo" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log" >&2; fail "appstreamcli validate"; }
else
  echo "note: appstreamcli not installed, metainfo not validated"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/vantix.desktop" || fail "desktop-file-validate"
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
