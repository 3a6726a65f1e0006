#!/usr/bin/env bash
# The package sources read from apt's own files, both formats, as the
# scripts that fetch from Debian see them.
set -euo pipefail
. "$(dirname "$0")/../../scripts/apt-sources.sh"
APT_SOURCES_DIR=$(mktemp -d)
trap 'rm -rf "$APT_SOURCES_DIR"' EXIT
mkdir "$APT_SOURCES_DIR/sources.list.d"

cat >"$APT_SOURCES_DIR/sources.list" <<'LIST'
# deb http://commented.invalid/debian bookworm main
deb [ arch=amd64 signed-by=/usr/share/keyrings/k.gpg ] http://one.invalid/debian/ bookworm main contrib
deb-src http://one.invalid/debian bookworm main   # trailing comment

deb http://one.invalid/debian-security bookworm-security main
LIST
cat >"$APT_SOURCES_DIR/sources.list.d/extra.list" <<'LIST'
deb http://two.invalid/debian trixie main
LIST
cat >"$APT_SOURCES_DIR/sources.list.d/debian.sources" <<'SOURCES'
Types: deb deb-src
# a comment inside the stanza
URIs: http://three.invalid/debian http://four.invalid/debian
Suites: bookworm-updates
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: http://off.invalid/debian
Suites: bookworm
Enabled: no
Components: main

types: deb
uris: http://five.invalid/debian
suites: stable
components: main
SOURCES
echo 'deb http://ignored.invalid/debian bookworm main' >"$APT_SOURCES_DIR/sources.list.d/old.list.disabled"

expected='deb http://one.invalid/debian/ bookworm
deb-src http://one.invalid/debian bookworm
deb http://one.invalid/debian-security bookworm-security
deb http://two.invalid/debian trixie
deb http://three.invalid/debian bookworm-updates
deb http://four.invalid/debian bookworm-updates
deb-src http://three.invalid/debian bookworm-updates
deb-src http://four.invalid/debian bookworm-updates
deb http://five.invalid/debian stable'
actual=$(apt_sources)
status=0
if [ "$actual" != "$expected" ]; then
  echo "apt_sources gave:"; echo "$actual"; echo "expected:"; echo "$expected"; status=1
fi

# suite | mirror ("" when there is none)
while IFS='|' read -r suite mirror; do
  got=$(debian_mirror "$suite") || got=""
  if [ "$got" != "$mirror" ]; then
    echo "debian_mirror $suite gave '$got', expected '$mirror'"; status=1
  fi
done <<'TABLE'
bookworm|http://one.invalid/debian
bookworm-updates|http://three.invalid/debian
stable|http://five.invalid/debian
bullseye|
TABLE
exit "$status"
