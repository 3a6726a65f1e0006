# Sourced by the scripts that fetch from Debian (check-deb.sh, the Windows
# Qt build): the package sources this machine's apt already uses, so that
# they work wherever apt works (a local mirror, a caching proxy) and the
# project names no host of its own.
#
#   . scripts/apt-sources.sh
#   apt_sources                 # "deb http://mirror/debian bookworm" lines
#   mirror=$(debian_mirror bookworm)
#
# Read from the files themselves rather than from apt's downloaded indexes,
# which a machine that never ran apt-get update does not have: the one-line
# format (sources.list, sources.list.d/*.list) and the deb822 one
# (sources.list.d/*.sources), where a stanza may list several types, URIs
# and suites, and "Enabled: no" turns it off. APT_SOURCES_DIR names another
# folder laid out like /etc/apt.

# Every entry as "type uri suite", one suite a line, in the order apt reads
# them.
apt_sources() {
  local dir=${APT_SOURCES_DIR:-/etc/apt} file
  local -a files=()
  [ -f "$dir/sources.list" ] && files+=("$dir/sources.list")
  for file in "$dir"/sources.list.d/*.list "$dir"/sources.list.d/*.sources; do
    [ -f "$file" ] && files+=("$file")
  done
  for file in "${files[@]}"; do
    case $file in
      *.sources) apt_sources_deb822 <"$file" ;;
      *) apt_sources_one_line <"$file" ;;
    esac
  done
}

# "deb [arch=amd64 signed-by=/k.gpg] http://mirror/debian bookworm main"
apt_sources_one_line() {
  sed -e 's/#.*//' -e 's/\[[^]]*\]//' | awk '$1 == "deb" || $1 == "deb-src" {print $1, $2, $3}'
}

# Stanzas of "Field: value" lines, blank lines between them; a line that
# starts with a space continues the field before it.
apt_sources_deb822() {
  awk '
    function flush(   t, u, s, nt, nu, ns, i, j, k, types, uris, suites) {
      if (field["uris"] != "" && tolower(field["enabled"]) != "no") {
        nt = split(field["types"], types); nu = split(field["uris"], uris); ns = split(field["suites"], suites)
        for (i = 1; i <= nt; i++) for (j = 1; j <= nu; j++) for (k = 1; k <= ns; k++)
          print types[i], uris[j], suites[k]
      }
      delete field
      last = ""
    }
    /^#/ { next }
    /^[ \t]*$/ { flush(); next }
    /^[ \t]/ { if (last != "") field[last] = field[last] " " $0; next }
    {
      colon = index($0, ":")
      if (colon == 0) next
      last = tolower(substr($0, 1, colon - 1))
      field[last] = substr($0, colon + 1)
      gsub(/^[ \t]+|[ \t]+$/, "", field[last])
    }
    END { flush() }
  '
}

# The URI of the first binary source for suite $1 (for example bookworm),
# with no trailing slash; fails when apt has none.
debian_mirror() {
  apt_sources | awk -v suite="$1" '$1 == "deb" && $3 == suite {sub("/+$", "", $2); print $2; found = 1; exit} END {exit !found}'
}
