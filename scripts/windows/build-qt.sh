#!/usr/bin/env bash
# Builds the static Qt that the Windows build of Velkrant links against:
# Qt 6.4.2 from Debian's qt6-base source package (Debian's patches, security
# fixes among them, applied), cross-compiled with Debian's posix-thread
# MinGW-w64 and installed into a cache outside the repository:
#
#   ${VELKRANT_WINDOWS_CACHE:-$HOME/.cache/velkrant-windows}/qt6-mingw
#
# The build takes half an hour or more, so it happens once: a stamp written
# after a successful install marks the cache complete, and later runs only
# say so. An interrupted run resumes where it stopped. The stamp records
# the recipe (source version, options, patches); when that changes, Qt is
# built again.
#
# Usage: scripts/windows/build-qt.sh [--check] [--force] [--prepare-only] [--keep-work]
#   --check         build nothing; exit 0 when the cache is complete and
#                   built from the current recipe, 1 when it is not
#   --force         build again even if the cache is complete
#   --prepare-only  fetch and patch the sources, then stop
#   --keep-work     keep the sources and build tree after a successful install
#
# Environment: VELKRANT_WINDOWS_CACHE (cache folder), VELKRANT_BUILD_JOBS
# (parallel compile jobs, default: the number of cores).
#
# Needs root (or sudo) only to add the deb-src entry and run apt-get update.
set -euo pipefail

readonly QT_UPSTREAM=6.4.2
readonly SOURCE_PACKAGE=qt6-base
readonly MINGW=x86_64-w64-mingw32
readonly HOST_QT_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
readonly toolchain=$repo/cmake/mingw-w64-x86_64.cmake
readonly patch_dir=$here/qt-patches

cache=${VELKRANT_WINDOWS_CACHE:-${HOME:?set HOME or VELKRANT_WINDOWS_CACHE}/.cache/velkrant-windows}
readonly prefix=$cache/qt6-mingw
readonly work=$cache/qt6-mingw-work
readonly stamp=$prefix/.velkrant-build-complete
jobs=${VELKRANT_BUILD_JOBS:-$(nproc)}

check_only=0 force=0 prepare_only=0 keep_work=0
for arg in "$@"; do
  case $arg in
    --check) check_only=1 ;;
    --force) force=1 ;;
    --prepare-only) prepare_only=1 ;;
    --keep-work) keep_work=1 ;;
    -h|--help) sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$0"; exit 0 ;;
    *) echo "build-qt: unknown option '$arg' (try --help)" >&2; exit 2 ;;
  esac
done

say() { printf 'build-qt: %s\n' "$*"; }
die() { printf 'build-qt: error: %s\n' "$*" >&2; exit 1; }
elapsed() { local s=$(( $(date +%s) - $1 )); printf '%dm%02ds' $((s / 60)) $((s % 60)); }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    die "needs root for: $*"
  fi
}

# --- what to build -----------------------------------------------------------

# Only the modules the program uses (Core, Gui, Widgets, PrintSupport, Test,
# and Network for the local socket through which a second start hands its
# link to the running copy; no TLS, so no OpenSSL) and two platform plugins: "windows" for the desktop and "offscreen" for
# headless tests. The offscreen plugin needs FreeType, hence Qt's own copy.
# Every third-party library is Qt's bundled one (or left out), so nothing is
# picked up from the MinGW sysroot (which may carry a zlib) or, through
# pkg-config, from the build machine, and the result is self-contained.
# Tablet support is off because Debian's source tarball drops the wintab
# headers; Direct2D is off because its extra platform plugin is not wanted
# (text is then drawn through GDI).
configure_options=(
  -xplatform win32-g++
  -qt-host-path /usr
  -static -static-runtime -release
  -nomake examples -nomake tests
  -no-dbus -no-opengl -no-icu -no-fontconfig -no-zstd -no-pkg-config -no-openssl
  -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion
  -no-libjpeg
  -no-feature-sql -no-feature-concurrent -no-feature-xml
  -no-feature-vulkan -no-feature-direct2d -no-feature-tabletevent
)
cmake_options=(
  "-DQT_HOST_PATH_CMAKE_DIR=$HOST_QT_CMAKE_DIR"
  "-DCMAKE_TOOLCHAIN_FILE=$toolchain"
)

# --- checks ------------------------------------------------------------------

check_tools() {
  local missing=() tool
  for tool in "$MINGW-gcc-posix:gcc-mingw-w64-x86-64-posix" \
              "$MINGW-g++-posix:g++-mingw-w64-x86-64-posix" \
              "$MINGW-windres:binutils-mingw-w64-x86-64" \
              "cmake:cmake" "ninja:ninja-build" "dpkg-source:dpkg-dev" \
              "xz:xz-utils" "patch:patch" "apt-get:apt"; do
    command -v "${tool%%:*}" >/dev/null 2>&1 || missing+=("${tool#*:}")
  done
  [ -d "$HOST_QT_CMAKE_DIR/Qt6HostInfo" ] && [ -x /usr/lib/qt6/libexec/moc ] ||
    missing+=(qt6-base-dev qt6-base-dev-tools)
  ((${#missing[@]} == 0)) ||
    die "missing packages: ${missing[*]} (run scripts/setup.sh or apt-get install them)"

  # The build machine's moc, rcc and uic generate code for the cross-built
  # libraries, so both must be the same Qt release.
  local host_version
  host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null) ||
    die "qt6-base-dev is not installed"
  host_version=${host_version#*:}
  [ "${host_version%%+*}" = "$QT_UPSTREAM" ] || [ "${host_version%%-*}" = "$QT_UPSTREAM" ] ||
    die "host Qt is $host_version, but this script builds Qt $QT_UPSTREAM; they must match"
}

# Fingerprint of everything that decides what gets built: a different
# fingerprint means the cached Qt is stale.
recipe() {
  printf '%s\n' "$SOURCE_PACKAGE $1" "${configure_options[*]}" "${cmake_options[*]%%=*}"
  # Comments in the toolchain file do not change the build.
  sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$toolchain" | sha256sum | cut -d' ' -f1
  local p
  for p in "$patch_dir"/*.patch; do
    if [ -e "$p" ]; then
      printf '%s %s\n' "$(basename "$p")" "$(sha256sum < "$p" | cut -d' ' -f1)"
    fi
  done
}

# --- sources -----------------------------------------------------------------

# Whether apt knows a source index for Debian 12, however it is configured.
have_bookworm_sources() {
  apt-get indextargets --format '$(CODENAME)' 'Created-By: Sources' 2>/dev/null | grep -qx bookworm
}

# Adds deb-src entries for the same mirrors and suites the machine already
# takes binary packages from, in the format its own entries use.
add_deb_src() {
  local lines
  lines=$(. "$repo/scripts/apt-sources.sh" && apt_sources |
    awk '$1 == "deb" && ($3 == "bookworm" || $3 ~ /^bookworm-/) {print $2, $3}' | sort -u)
  [ -n "$lines" ] || die "apt takes no packages from bookworm here; check /etc/apt/sources.list*"
  local keyring=/usr/share/keyrings/debian-archive-keyring.gpg signed=""
  [ -f "$keyring" ] && signed=$keyring

  local file uri suites
  if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null; then
    file=/etc/apt/sources.list.d/velkrant-deb-src.sources
    {
      echo "# Source packages for Debian 12 (the Windows build compiles Qt from them)."
      for uri in $(cut -d' ' -f1 <<<"$lines" | sort -u); do
        suites=$(awk -v u="$uri" '$1 == u {print $2}' <<<"$lines" | xargs)
        printf '\nTypes: deb-src\nURIs: %s\nSuites: %s\nComponents: main\n' "$uri" "$suites"
        if [ -n "$signed" ]; then printf 'Signed-By: %s\n' "$signed"; fi
      done
    } | as_root tee "$file" >/dev/null
  else
    file=/etc/apt/sources.list.d/velkrant-deb-src.list
    {
      echo "# Source packages for Debian 12 (the Windows build compiles Qt from them)."
      while read -r uri suites; do
        printf 'deb-src %s%s %s main\n' "${signed:+[signed-by=$signed] }" "$uri" "$suites"
      done <<<"$lines"
    } | as_root tee "$file" >/dev/null
  fi
  say "added $file"
}

ensure_deb_src() {
  if ! have_bookworm_sources; then
    say "no deb-src entry for bookworm; adding one"
    add_deb_src
    say "apt-get update"
    as_root apt-get update -qq
  elif ! apt-cache showsrc "$SOURCE_PACKAGE" >/dev/null 2>&1 ||
       [ -z "$(apt-cache showsrc "$SOURCE_PACKAGE" 2>/dev/null)" ]; then
    say "apt-get update (source index not fetched yet)"
    as_root apt-get update -qq
  fi
  have_bookworm_sources || die "apt still has no bookworm source index; check /etc/apt/sources.list*"
}

# Newest qt6-base source version of the wanted upstream release that apt
# offers; newer Debian revisions carry more fixes.
pick_source_version() {
  apt-cache showsrc "$SOURCE_PACKAGE" 2>/dev/null |
    awk '/^Version:/ {print $2}' |
    while read -r v; do
      u=${v#*:}; u=${u%-*}; u=${u%%+*}
      [ "$u" = "$QT_UPSTREAM" ] && echo "$v"
    done |
    sort -u | sort -V | tail -n1
}

# Checks that dpkg-source applied Debian's whole quilt series.
verify_debian_patches() {
  local src=$1 series=$1/debian/patches/series applied=$1/.pc/applied-patches
  [ -f "$series" ] || die "no debian/patches/series in $src"
  local wanted
  wanted=$(sed -e 's/#.*//' -e 's/[[:space:]].*//' -e '/^$/d' "$series")
  [ -z "$wanted" ] && { say "Debian's patch series is empty"; return; }
  [ -f "$applied" ] || die "Debian's patches were not applied in $src (no .pc/applied-patches)"
  diff <(printf '%s\n' "$wanted") <(sed '/^$/d' "$applied") >/dev/null ||
    die "Debian's patch series is only partly applied in $src"
  say "Debian's $(wc -l <<<"$wanted") patches are applied"
}

# Leaves a pristine, patched source tree in $work/src.
prepare_sources() {
  local version=$1 marker=$work/src/.velkrant-prepared fingerprint
  fingerprint=$(recipe "$version" | sha256sum | cut -d' ' -f1)
  if [ -f "$marker" ] && [ "$(cat "$marker")" = "$fingerprint" ]; then
    say "sources already prepared in $work/src"
    return
  fi

  mkdir -p "$work/download"
  # apt checks what is already there and fetches only what is missing.
  say "fetching $SOURCE_PACKAGE $version"
  (cd "$work/download" && apt-get source --download-only -qq "$SOURCE_PACKAGE=$version") ||
    die "apt-get source $SOURCE_PACKAGE=$version failed"
  local dsc=$work/download/${SOURCE_PACKAGE}_${version#*:}.dsc
  [ -f "$dsc" ] || die "apt-get source did not leave $dsc"

  # apt has checked the files against the signed archive index; without the
  # debian-keyring package dpkg-source only notes that it cannot check the
  # .dsc signature itself.
  say "unpacking $(basename "$dsc") and applying Debian's patches"
  rm -rf "$work/src" "$work/build"
  dpkg-source --no-copy -x "$dsc" "$work/src"
  verify_debian_patches "$work/src"

  local p
  for p in "$patch_dir"/*.patch; do
    [ -e "$p" ] || continue
    say "applying $(basename "$p")"
    patch -d "$work/src" -p1 --forward --batch --silent < "$p" ||
      die "$(basename "$p") does not apply to $SOURCE_PACKAGE $version"
  done
  echo "$fingerprint" > "$marker"
}

# --- main --------------------------------------------------------------------

check_tools
[ -f "$toolchain" ] || die "toolchain file $toolchain is missing"

if [ -f "$stamp" ] && [ "$force" = 0 ]; then
  built=$(sed -n 's/^recipe //p' "$stamp")
  # The recipe names the source version, which apt need not be asked about
  # when nothing else changed.
  version=$(sed -n 's/^source //p' "$stamp")
  if [ -n "$version" ] && [ "$built" = "$(recipe "$version" | sha256sum | cut -d' ' -f1)" ]; then
    say "static Qt $QT_UPSTREAM for MinGW is already built in $prefix; nothing to do"
    exit 0
  fi
  [ "$check_only" = 1 ] && { say "the cached Qt in $prefix was built from a different recipe"; exit 1; }
  say "the cached Qt in $prefix was built from a different recipe; building again"
fi
[ "$check_only" = 1 ] && { say "no static Qt $QT_UPSTREAM for MinGW in $prefix"; exit 1; }

mkdir -p "$cache"
exec 9>"$cache/.qt6-mingw.lock"
flock -n 9 || die "another build-qt.sh is running on $cache"

# Sources and build tree take about 2.6 GB while building.
free_kb=$(df -Pk "$cache" | awk 'NR == 2 {print $4}')
[ "${free_kb:-0}" -ge $((3 * 1024 * 1024)) ] ||
  die "less than 3 GB free in $cache; the build needs about 2.6 GB"

ensure_deb_src
version=$(pick_source_version)
[ -n "$version" ] || die "apt offers no $SOURCE_PACKAGE source of Qt $QT_UPSTREAM"
say "source package: $SOURCE_PACKAGE $version"
fingerprint=$(recipe "$version" | sha256sum | cut -d' ' -f1)

prepare_sources "$version"
if [ "$prepare_only" = 1 ]; then
  say "sources ready in $work/src"
  exit 0
fi

build=$work/build
configured=$build/.velkrant-configured
if ! [ -f "$configured" ] || [ "$(cat "$configured")" != "$fingerprint" ]; then
  rm -rf "$build"
  mkdir -p "$build"
  say "configuring (log: $build/configure.log)"
  say "configure -prefix $prefix ${configure_options[*]} -- ${cmake_options[*]}"
  start=$(date +%s)
  (cd "$build" && "$work/src/configure" -prefix "$prefix" "${configure_options[@]}" \
      -- "${cmake_options[@]}") > "$build/configure.log" 2>&1 ||
    { tail -n 40 "$build/configure.log" >&2; die "configure failed; see $build/configure.log"; }
  say "configured in $(elapsed "$start")"
  echo "$fingerprint" > "$configured"
else
  say "already configured in $build; resuming the build"
fi

say "building with $jobs jobs (log: $build/build.log)"
start=$(date +%s)
cmake --build "$build" --parallel "$jobs" > "$build/build.log" 2>&1 ||
  { grep -n -m 20 -E 'error|FAILED' "$build/build.log" >&2 || true
    die "build failed; see $build/build.log"; }
say "built in $(elapsed "$start")"

say "installing into $prefix"
rm -rf "$prefix"
cmake --install "$build" > "$build/install.log" 2>&1 ||
  { tail -n 20 "$build/install.log" >&2; die "install failed; see $build/install.log"; }
{
  echo "recipe $fingerprint"
  echo "source $version"
  echo "built $(date -u +%Y-%m-%dT%H:%M:%SZ)"
} > "$stamp.tmp"
mv "$stamp.tmp" "$stamp"

if [ "$keep_work" = 0 ]; then
  # The downloaded source package stays, so a rebuild needs no network.
  rm -rf "$work/src" "$work/build"
fi
say "done: static Qt $QT_UPSTREAM for MinGW in $prefix ($(du -sh "$prefix" | cut -f1))"
