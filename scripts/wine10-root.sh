#!/usr/bin/env bash
# Builds (once) the Debian 13 root whose Wine 10 runs the tray suites a second
# time: Debian 12's Wine 8 has no UI Automation, Wine 10's answers
# CUIAutomation. Prints the root's path, which the tests find through
# QUORVANE_WINE10_ROOT (scripts/wine10/ runs Wine inside it).
#
# The root lives outside the repository and is kept between runs:
# QUORVANE_WINE10_ROOT, or /var/cache/quorvane/wine10-trixie. A root is used
# only once its stamp exists; a build that fails (no mirror, no network)
# fails this script loudly and leaves no half root behind.
set -euo pipefail
root=${QUORVANE_WINE10_ROOT:-/var/cache/quorvane/wine10-trixie}
stamp="$root/.quorvane-wine10-ready"
# What the root holds: a new list here builds the root anew.
packages=(wine wine64 libwine fonts-wqy-microhei locales)
recipe="trixie minbase ${packages[*]} zh_CN.UTF-8"

fail() {
  echo "wine10-root: $*" >&2
  exit 1
}

ready() { [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; }

# The mirror this machine's apt uses (deb822 or one-line form), not a host
# written here.
mirror() {
  local uri
  uri=$(awk '/^URIs:/ && $2 !~ /security/ {print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $0 !~ /security/ {for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) {print $i; exit}}' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  [ -n "$uri" ] || fail "no Debian mirror found in /etc/apt/sources.list*"
  echo "$uri"
}

build() {
  local partial="$root.partial" log="$root.log" started=$SECONDS
  [ "$(id -u)" -eq 0 ] || fail "building the root needs root (debootstrap, chroot)"
  command -v debootstrap >/dev/null || fail "debootstrap is missing: run scripts/install-deps.sh"
  local uri
  uri=$(mirror)
  rm -rf "$partial" "$root"
  mkdir -p "$(dirname "$root")"
  echo "wine10-root: building a Debian 13 root with Wine 10 in $root (several minutes; log: $log)" >&2
  {
    debootstrap --variant=minbase trixie "$partial" "$uri" &&
      chroot "$partial" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${packages[@]}" &&
      chroot "$partial" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 &&
      chroot "$partial" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin apt-get clean
  } >"$log" 2>&1 || {
    tail -n 30 "$log" >&2
    rm -rf "$partial"
    fail "building the root failed (log: $log)"
  }
  "$partial/usr/bin/wine" --version >/dev/null 2>&1 || [ -x "$partial/usr/lib/wine/wine64" ] ||
    fail "the root has no Wine (log: $log)"
  echo "$recipe" >"$partial/.quorvane-wine10-ready"
  mv "$partial" "$root"
  echo "wine10-root: built in $((SECONDS - started)) s" >&2
}

mkdir -p "$(dirname "$root")"
# One build at a time, however many test runs start together.
exec 9>"$root.lock"
flock 9
ready || build
echo "$root"
