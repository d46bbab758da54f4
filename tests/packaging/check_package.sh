#!/usr/bin/env bash
# Builds the Debian package from a plain build folder, unpacks it into a scratch root and
# checks what it holds: the file list, the dependencies, the desktop entry, the AppStream
# metainfo, the puzzle file types and the programs themselves; then lintian, when installed.
#   check_package.sh BUILD_DIR SOURCE_DIR APP_ID
set -euo pipefail
build=$1 source=$2 app_id=$3
work=$build/package-check
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/vexilo_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one vexilo_*.deb in $work"
deb=${debs[0]}
root=$work/root
dpkg -x "$deb" "$root"

# The file list.
{
  printf '%s\n' usr/games/vexilo usr/games/vexilo-cli \
    "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
    usr/share/mime/packages/vexilo.xml usr/share/icons/hicolor/scalable/apps/vexilo.svg \
    usr/share/man/man6/vexilo.6.gz usr/share/man/man6/vexilo-cli.6.gz \
    usr/share/doc/vexilo/copyright usr/share/doc/vexilo/changelog.gz
  for size in 16 24 32 48 64 128 256; do
    echo "usr/share/icons/hicolor/${size}x${size}/apps/vexilo.png"
  done
  for sample in "$source"/samples/*; do echo "usr/share/vexilo/samples/${sample##*/}"; done
} | sort >"$work/expected-files"
(cd "$root" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$work/files"
diff -u "$work/expected-files" "$work/files" || fail "the package's files differ from the list"

# Dependencies: the Qt libraries from dpkg-shlibdeps, and what is loaded without linking.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-gothic; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
    fail "Depends lacks $package: $depends"
done

[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-translations-l10n ] || fail "Recommends"

desktop-file-validate "$root/usr/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "AppStream metainfo"

# The file types: every extension in any case, and the native header's first-line marker.
cp -r "$root/usr/share/mime" "$work/mime"
update-mime-database "$work/mime" >/dev/null || fail "update-mime-database"
for ext in alc slz lpm ring slt; do
  grep -q "^50:application/x-vexilo-$ext:\*\.$ext$" "$work/mime/globs2" ||
    fail "no case-insensitive glob *.$ext"
done
grep -aq '\[Vexilo data\]' "$work/mime/magic" || fail "no magic for the native header"

# The installed programs, from the package's own folders.
[ "$("$root/usr/games/vexilo-cli" --version)" = "vexilo-cli $(dpkg-deb -f "$deb" Version)" ] ||
  fail "vexilo-cli --version"
"$root/usr/games/vexilo" --version | grep -q '^vexilo ' || fail "vexilo --version"
"$root/usr/games/vexilo-cli" solve "$root/usr/share/vexilo/samples/easy-5x5-01.ALC" |
  grep -q solved || fail "the installed vexilo-cli does not solve an installed sample"

if command -v lintian >/dev/null; then
  echo "== lintian"
  verdict=0
  report=$(lintian --display-info --fail-on error,warning "$deb" 2>&1) || verdict=$?
  grep -v 'root privileges' <<<"$report" || true
  [ "$verdict" -eq 0 ] || fail "lintian"
else
  echo "lintian is not installed: skipped"
fi
echo "package checked: $deb"
