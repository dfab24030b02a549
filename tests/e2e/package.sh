#!/usr/bin/env bash
# The Debian package and the install rules: cpack builds the package from the build folder the
# program lies in; unpacked into a scratch root (dpkg -x), every file is where it belongs, the links
# lead to the program, the run-time dependencies are named, the installed program renders a
# snapshot and its idle watcher finds the saver file, nothing goes under /etc (no autostart entry:
# the package starts nothing by itself), the maintainer scripts make and purge the machine-wide
# settings, Installed-Size is what the files take, and lintian finds nothing to report. `cmake --install` to another prefix under
# DESTDIR follows the same layout.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib/common.sh"
e2e_init
build=$(cd "$(dirname "$program")" && pwd)
[[ -f $build/CPackConfig.cmake ]] || fail "no CPackConfig.cmake in $build"
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || skip "dpkg-dev is not installed"

(cd "$build" && cpack -G DEB -B "$E2E_TMP/pkg" >"$E2E_TMP/cpack.log" 2>&1) || fail "cpack: $(tail "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/pkg/quillaby_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | awk '{print $1}')
for dep in libsdl2-2.0-0 libjpeg62-turbo libpng16-16 libx11-6 libgl1 libglu1-mesa libc6 libstdc++6; do
  grep -qxF "$dep" <<<"$names" || fail "the package does not depend on $dep"
done

[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || fail "the package does not recommend xdg-utils"
dpkg-deb -I "$deb" conffiles >/dev/null 2>&1 && fail "conffiles: $(dpkg-deb -I "$deb" conffiles)"

# Each file where it belongs; the package lays out /usr like `cmake --install --prefix /usr`.
check_layout() { # root prefix etc
  local root=$1 prefix=$2 etc=$3 f
  for f in "$prefix/lib/quillaby/quillaby" "$prefix/share/xscreensaver/config/quillaby.xml" \
    "$prefix/share/applications/quillaby.desktop" "$prefix/share/man/man6/quillaby.6.gz" \
    "$prefix/share/icons/hicolor/128x128/apps/quillaby.png" "$prefix/share/doc/quillaby/copyright"; do
    [[ -f $root$f ]] || fail "$f is missing"
  done
  for f in "$prefix/lib/quillaby/quillaby.scr" "$prefix/bin/quillaby" "$prefix/libexec/xscreensaver/quillaby"; do
    [[ -L $root$f ]] || fail "$f is no link"
    [[ $(readlink -f "$root$f") == "$(readlink -f "$root$prefix/lib/quillaby/quillaby")" ]] ||
      fail "$f does not lead to the program"
  done
  # The help page, once written, lies beside the program.
  if [[ -f ${QUILLABY_SOURCE_DIR:-}/help/quillaby.html ]]; then
    [[ -f $root$prefix/lib/quillaby/quillaby.html ]] || fail "the help page is not beside the program"
  fi
  [[ $(cat "$root$etc/xdg/Harnwick Software/Quillaby.conf") == "Path=\"$prefix/lib/quillaby/\"" ]] ||
    fail "the machine-wide settings name the wrong folder: $(cat "$root$etc/xdg/Harnwick Software/Quillaby.conf")"
  gzip -t "$root$prefix/share/man/man6/quillaby.6.gz" || fail "the man page is no gzip file"
  # The licence of the typeface the program carries travels with it.
  grep -q '^License: bitstream-vera' "$root$prefix/share/doc/quillaby/copyright" ||
    fail "the copyright file does not cover the DejaVu typeface"
}

# The package ships nothing under /etc; postinst writes the machine-wide settings when they are
# missing and keeps an administrator's copy, purging removes them.
control=$E2E_TMP/control
dpkg-deb -e "$deb" "$control"
root=$E2E_TMP/root
dpkg -x "$deb" "$root"
[[ ! -e $root/etc ]] || fail "the package ships /etc: $(find "$root/etc")"
DPKG_ROOT=$root sh -e "$control/postinst" configure || fail "postinst configure failed"
check_layout "$root" /usr /etc
conf="$root/etc/xdg/Harnwick Software/Quillaby.conf"
echo 'Path="/srv/quillaby/"' >"$conf"
DPKG_ROOT=$root sh -e "$control/postinst" configure || fail "postinst configure failed on upgrade"
[[ $(cat "$conf") == 'Path="/srv/quillaby/"' ]] || fail "an upgrade replaced the administrator's settings"
DPKG_ROOT=$root sh -e "$control/postrm" remove || fail "postrm remove failed"
[[ -f $conf ]] || fail "removing (not purging) the package took the machine-wide settings"
DPKG_ROOT=$root sh -e "$control/postrm" purge || fail "postrm purge failed"
[[ ! -e $root/etc/xdg/Harnwick\ Software ]] || fail "purging left $(find "$root/etc/xdg")"

# The package's history names this version.
version=$(dpkg-deb -f "$deb" Version)
gzip -dc "$root/usr/share/doc/quillaby/changelog.Debian.gz" >"$E2E_TMP/changelog"
[[ $(dpkg-parsechangelog -l "$E2E_TMP/changelog" -S Version) == "$version" ]] ||
  fail "changelog.Debian.gz does not name $version"

# Installed-Size (KiB) is what the files take: each file rounded up to a KiB, as dpkg-gencontrol counts.
files_kib=$(find "$root" -type f -printf '%s\n' | awk '{ k += int(($1 + 1023) / 1024) } END { print k }')
installed=$(dpkg-deb -f "$deb" Installed-Size)
echo "Installed-Size: $installed KiB, files: $files_kib KiB"
((installed >= files_kib && installed <= files_kib + files_kib / 20 + 16)) ||
  fail "Installed-Size says $installed KiB for $files_kib KiB of files"

"$root/usr/bin/quillaby" --snapshot "$E2E_TMP/shot.png" --size 160x120 --frames 3 >"$E2E_TMP/shot.log" 2>&1 ||
  fail "the installed program failed: $(cat "$E2E_TMP/shot.log")"
[[ $(head -c 8 "$E2E_TMP/shot.png" | od -An -tx1 | tr -d ' ') == 89504e470d0a1a0a ]] || fail "no PNG written"

# The idle watcher started through the link on PATH finds the saver file in the program's own folder.
start_xvfb 320x240x24
"$root/usr/bin/quillaby" --idle-watch --idle-after 3600 >/dev/null 2>"$E2E_TMP/watch.log" &
watcher=$!
e2e_track $watcher
for _ in $(seq 50); do grep -q watching "$E2E_TMP/watch.log" && break; sleep 0.1; done
grep -qF "\"$root/usr/lib/quillaby/quillaby.scr /s\" starts after 3600 s" "$E2E_TMP/watch.log" ||
  fail "the installed watcher does not find the saver file: $(cat "$E2E_TMP/watch.log")"
kill $watcher

DESTDIR=$E2E_TMP/dest cmake --install "$build" --prefix /opt/quillaby >"$E2E_TMP/install.log" 2>&1 ||
  fail "cmake --install: $(tail "$E2E_TMP/install.log")"
check_layout "$E2E_TMP/dest" /opt/quillaby /opt/quillaby/etc

command -v lintian >/dev/null || skip "lintian is not installed (scripts/setup-deps installs it)"
lintian --fail-on error,warning --display-info "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$E2E_TMP/lintian.log")"
cat "$E2E_TMP/lintian.log"
echo ok
