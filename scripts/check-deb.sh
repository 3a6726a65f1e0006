#!/usr/bin/env bash
# Builds the Debian package and shows that it installs on a fresh Debian 12:
# a clean root made with debootstrap, `apt-get install ./velkrant_*.deb` in
# it, and then both programs start there. Needs root and a Debian 12 mirror:
# the one this machine's apt takes bookworm from (VELKRANT_DEBIAN_MIRROR
# overrides it); takes a few minutes, most of them downloading. Not part of
# scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  echo "check-deb: needs root for debootstrap and chroot" >&2
  exit 2
fi
. scripts/apt-sources.sh
mirror=${VELKRANT_DEBIAN_MIRROR:-$(debian_mirror bookworm)} ||
  { echo "check-deb: apt has no source for bookworm; set VELKRANT_DEBIAN_MIRROR" >&2; exit 2; }

bash scripts/setup.sh
cmake --preset package
cmake --build --preset package
rm -f build/package/velkrant_*.deb
cpack --preset deb
deb=$(echo build/package/velkrant_*.deb)

# Debian's own package checks: any error fails. One warning stays, on
# purpose: initial-upload-closes-no-bugs (the package is not uploaded to
# Debian's archive, so there is no "intent to package" bug to close).
echo "check-deb: lintian $(basename "$deb")"
lintian --fail-on error "$deb"

root="$PWD/build/check-deb/root"
remove_root() {
  if mountpoint -q "$root/proc"; then umount "$root/proc"; fi
  rm -rf "$root"
}
trap remove_root EXIT
remove_root
mkdir -p "$root"
echo "check-deb: making a clean Debian 12 root in $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
mount -t proc proc "$root/proc"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root sh -c 'cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./velkrant_*.deb'

echo "check-deb: velkrant-cli --version"
in_root velkrant-cli --version
decoded=$(echo 'thunder://QUFodHRwOi8vYS9iWlo=' | in_root velkrant-cli)
[ "$decoded" = "http://a/b" ] || { echo "check-deb: velkrant-cli converted to '$decoded'" >&2; exit 1; }
for file in man/man1/velkrant-cli.1.gz man/man1/velkrant.1.gz metainfo/org.example.velkrant.metainfo.xml \
            doc/velkrant/copyright doc/velkrant/changelog.Debian.gz; do
  in_root test -s "/usr/share/$file" || { echo "check-deb: /usr/share/$file not installed" >&2; exit 1; }
done
# The windowed program on Qt's offscreen platform: still running after five
# seconds means that every library and plugin it needs was installed.
status=0
in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp timeout 5 velkrant || status=$?
[ "$status" = 124 ] || { echo "check-deb: velkrant ended with status $status" >&2; exit 1; }
echo "check-deb: $(basename "$deb") ($(stat -c %s "$deb") bytes) installs and runs on a clean Debian 12"
