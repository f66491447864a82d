#!/bin/sh
# Checks an installed odbdiff as its users meet it.
#   check-install.sh prefix BUILD   installs BUILD with DESTDIR into a scratch
#                                   folder under the prefix /opt/odbdiff and
#                                   uses it from there, moved
#   check-install.sh package BUILD  installs the Debian package made in BUILD
#                                   (make package) on this machine, uses it
#                                   and removes it again (root only; its
#                                   runtime dependencies must be there)
# Using an installation: the installed odbdiff imports and compares the
# shipped samples and writes the HTML report from the installed template;
# the manual page and bash completion are in place; a small host program
# (consumer/) is built against the installed files with find_package(diff)
# and with pkg-config, and runs; /usr/bin/python3 imports the installed
# Python module and compares the samples with it.
set -eu
mode=${1:?usage: check-install.sh prefix|package BUILD}
build=$(cd "${2:?usage: check-install.sh prefix|package BUILD}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
scratch=$(mktemp -d)
package_installed=no
cleanup() {
  if [ "$package_installed" = yes ]; then dpkg -P odbdiff >/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 2' HUP INT TERM

fail() {
  echo "check-install: $*" >&2
  exit 1
}

# The installed odbdiff on the samples: the samples differ (exit 1), and the
# HTML report comes from the installed default template.
check_odbdiff() {
  odbdiff=$1
  mkdir "$scratch/samples"
  "$odbdiff" import "$root/examples/plant_a.json" "$scratch/samples/a.odb"
  "$odbdiff" import "$root/examples/plant_b.json" "$scratch/samples/b.odb"
  status=0
  "$odbdiff" compare "$scratch/samples/a.odb" "$scratch/samples/b.odb" --quiet \
    --summary "$scratch/samples/summary.txt" --html "$scratch/samples/report.html" || status=$?
  [ "$status" -eq 1 ] || fail "$odbdiff compare exits $status on the samples, not 1"
  grep -q "</html>" "$scratch/samples/report.html" || fail "no HTML report from $odbdiff"
  [ -s "$scratch/samples/summary.txt" ] || fail "no summary from $odbdiff"
  echo "check-install: $odbdiff compares the samples"
}

# The installed Python module odbdiff, imported by /usr/bin/python3 from
# FOLDER (the installation's dist-packages; "" for Python's own places),
# compares the samples that check_odbdiff made and finds the libraries and
# the diff module through its RUNPATH alone.
check_python() {
  folder=$1
  (cd "$scratch" && env -u LD_LIBRARY_PATH PYTHONPATH="$folder" /usr/bin/python3 -c '
import sys, odbdiff
assert odbdiff.__file__.startswith(sys.argv[1]), odbdiff.__file__
counts = odbdiff.compare("samples/a.odb", "samples/b.odb").counts
assert (counts.objects_only_in_a, counts.slots_values_differ) == (2, 8), counts
' "${folder:-/usr/lib/python3/}") || fail "the Python module in ${folder:-/usr/lib/python3} does not compare the samples"
  echo "check-install: /usr/bin/python3 compares the samples with the installed module"
}

# The manual page, with a section for every command of ODBDIFF --help, and
# the completion script and the licence under the installation's share/.
check_share() {
  share=$1
  odbdiff=$2
  manual=$(gzip -dc "$share/man/man1/odbdiff.1.gz") || fail "no manual page in $share/man/man1"
  for command in $("$odbdiff" --help | awk '/^Subcommands:$/ {on = 1; next} /^$/ {on = 0} on {print $1}'); do
    printf '%s\n' "$manual" | grep -q "^\.SS \"odbdiff $command " ||
      fail "the manual page odbdiff(1) has no section on $command"
  done
  bash -n "$share/bash-completion/completions/odbdiff" ||
    fail "no bash completion in $share/bash-completion/completions"
  [ -s "$share/doc/odbdiff/copyright" ] || fail "no licence in $share/doc/odbdiff"
}

# The consumer built with find_package(diff) and with pkg-config against the
# installation at PREFIX, each run. Given a PREFIX, CMake and pkg-config
# look there only; without one, in the system's places.
check_consumer() {
  prefix=$1
  shift
  if [ -n "$prefix" ]; then
    set -- -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF
    PKG_CONFIG_LIBDIR=$(dirname "$(find "$prefix" -name diff.pc)")
    export PKG_CONFIG_LIBDIR
  fi
  cmake -S "$here/consumer" -B "$scratch/consumer-cmake" "$@" >/dev/null
  cmake --build "$scratch/consumer-cmake" >/dev/null
  "$scratch/consumer-cmake/consumer" | grep -qx "consumer: the lists differ" ||
    fail "the consumer built with find_package(diff) does not run"
  libdir=$(pkg-config --variable=libdir diff)
  # shellcheck disable=SC2046  # the flags are meant to split into words
  c++ -std=c++20 -o "$scratch/consumer-pkg-config" "$here/consumer/consumer.cc" \
    $(pkg-config --cflags --libs diff) -Wl,-rpath,"$libdir"
  "$scratch/consumer-pkg-config" | grep -qx "consumer: the lists differ" ||
    fail "the consumer built with pkg-config does not run"
  echo "check-install: the consumer builds and runs with find_package(diff) and with pkg-config"
}

case $mode in
  prefix)
    DESTDIR="$scratch/stage" cmake --install "$build" --prefix /opt/odbdiff >/dev/null
    # Moved away from where it was installed, it must still work.
    mv "$scratch/stage/opt/odbdiff" "$scratch/moved"
    check_odbdiff "$scratch/moved/bin/odbdiff"
    check_python "$(dirname "$(find "$scratch/moved" -name 'odbdiff.cpython-*.so')")"
    check_share "$scratch/moved/share" "$scratch/moved/bin/odbdiff"
    check_consumer "$scratch/moved"
    ;;
  package)
    deb=$(find "$build" -maxdepth 1 -name 'odbdiff_*.deb' | head -n 1)
    [ -n "$deb" ] || fail "no odbdiff_*.deb in $build: run make package"
    if dpkg-query -W -f='${Status}' odbdiff 2>/dev/null | grep -q "ok installed"; then
      fail "the package odbdiff is installed already; remove it first"
    fi
    package_installed=yes
    dpkg -i "$deb" >/dev/null
    check_odbdiff /usr/bin/odbdiff
    check_python ""
    check_share /usr/share /usr/bin/odbdiff
    check_consumer ""
    dpkg -P odbdiff >/dev/null
    package_installed=no
    [ ! -e /usr/bin/odbdiff ] || fail "/usr/bin/odbdiff is left after dpkg -P odbdiff"
    ! (cd "$scratch" && /usr/bin/python3 -c "import odbdiff" 2>/dev/null) ||
      fail "the Python module odbdiff is left after dpkg -P odbdiff"
    echo "check-install: the package installs, works and removes cleanly"
    ;;
  *) fail "no mode $mode (prefix or package)" ;;
esac
