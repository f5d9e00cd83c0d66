#!/usr/bin/env bash
# Makes sure this machine can run 32-bit x86 programs, which Wine's 32-bit loader
# is, so that the shipped 32-bit launcher can be run under Wine.
#
# A tiny 32-bit program tells whether the kernel runs such code itself (most
# desktops do); then nothing is changed. Otherwise (a kernel with 32-bit
# emulation switched off) this installs qemu-user from bookworm-backports and
# registers one binfmt_misc entry, "qemu-i386", that hands 32-bit x86 ELF
# programs, and only those, to /usr/bin/qemu-i386. The entry lasts until the
# next reboot; `echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386` removes it.
set -euo pipefail

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
as_root() { "${sudo_cmd[@]}" "$@"; }

# The probe is written into the build tree: /tmp may be mounted noexec.
mkdir -p "$(dirname "$0")/../build"
probe_dir=$(mktemp -d "$(dirname "$0")/../build/probe32.XXXXXX")
trap 'rm -rf "$probe_dir"' EXIT

# A 93-byte static 32-bit ELF program that only calls exit(0).
write_probe() {
  local elf_header='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  elf_header+='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
  elf_header+='\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  local program_header='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  program_header+='\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  local code='\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
  printf "$elf_header$program_header$code" >"$probe_dir/probe32"
  chmod +x "$probe_dir/probe32"
}

runs_32bit_code() {
  "$probe_dir/probe32" 2>/dev/null
}

# The machine's Debian mirror and signing key for bookworm, from its apt sources
# in either format, as "URI KEYRING"; the keyring may be empty.
bookworm_source() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '
      BEGIN { RS = "" }
      {
        uris = ""; suites = ""; key = ""
        n = split($0, lines, "\n")
        for (i = 1; i <= n; i++) {
          if (lines[i] ~ /^URIs:/) { uris = lines[i]; sub(/^URIs:[ \t]*/, "", uris) }
          if (lines[i] ~ /^Suites:/) { suites = " " lines[i] " " }
          if (lines[i] ~ /^Signed-By:/) { key = lines[i]; sub(/^Signed-By:[ \t]*/, "", key) }
        }
        if (suites ~ /[ \t]bookworm[ \t]/ && uris != "") { split(uris, first, " "); print first[1], key; exit }
      }' "$file"
  done
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed -nE 's/^deb[ \t]+(\[([^]]*)\][ \t]+)?([^ \t]+)[ \t]+bookworm[ \t].*/\3 \2/p' |
    sed -E 's/ (.*signed-by=([^ ]+).*|.*)$/ \2/'
}

# Only files apt reads, and only lines that are not comments.
has_backports_source() {
  grep -qsE '^[^#]*[[:space:]]bookworm-backports([[:space:]]|$)' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources
}

add_backports_source() {
  local uri key
  read -r uri key < <(bookworm_source | head -n 1)
  if [ -z "${uri:-}" ]; then
    echo "enable-32bit: no apt source for bookworm found to take the backports mirror from" >&2
    exit 1
  fi
  echo "Adding bookworm-backports from $uri to the apt sources"
  {
    echo "Types: deb"
    echo "URIs: $uri"
    echo "Suites: bookworm-backports"
    echo "Components: main"
    [ -z "${key:-}" ] || echo "Signed-By: $key"
  } | as_root tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null
}

# qemu-user 10 runs Wine at a usable speed; bookworm's own 7.2 is far too slow.
has_usable_qemu() {
  local version
  version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) || return 1
  dpkg --compare-versions "$version" ge 1:10
}

install_qemu() {
  has_backports_source || add_backports_source
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update
  as_root apt-get install -y --no-install-recommends qemu-user/bookworm-backports
}

register_binfmt() {
  local binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  [ ! -e "$binfmt/qemu-i386" ] || echo -1 | as_root tee "$binfmt/qemu-i386" >/dev/null
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo "Registering binfmt_misc entry qemu-i386 for 32-bit x86 programs"
  printf '%s' ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:F" | as_root tee "$binfmt/register" >/dev/null
}

write_probe
if runs_32bit_code; then
  exit 0
fi
has_usable_qemu || install_qemu
register_binfmt
if ! runs_32bit_code; then
  echo "enable-32bit: 32-bit programs still do not run after registering qemu-i386" >&2
  exit 1
fi
