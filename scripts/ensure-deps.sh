#!/bin/sh
# Makes sure the Debian packages that a make target needs are installed.
# As root it installs the missing ones with apt-get; otherwise it names them
# and fails. Usage: ensure-deps.sh PACKAGE...
set -eu

missing=""
for pkg in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $pkg"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "ensure-deps: installing$missing" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >/dev/null
  # shellcheck disable=SC2086  # the list is meant to split into words
  apt-get install -y -q --no-install-recommends $missing >/dev/null
else
  echo "ensure-deps: missing Debian packages:$missing" >&2
  echo "ensure-deps: install them as root: apt-get install$missing" >&2
  exit 1
fi
