#!/usr/bin/env bash
# Installs the build into a fresh temporary prefix and runs the installed programs from
# there, without a display and without any library path set: each must find the installed
# libvantor.so by its own run path, whatever the prefix.
#   installed_programs_test.sh BUILD_DIR BINDIR
# BINDIR is the install's program folder relative to the prefix (CMAKE_INSTALL_BINDIR).
set -euo pipefail

build=$1
bindir=$2
prefix=$(mktemp -d "${TMPDIR:-/tmp}/tk70-prefix.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
unset LD_LIBRARY_PATH DESTDIR DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
bin="$prefix/$bindir"

version=$("$bin/TK70" --version) || fail "installed TK70 --version: exit $?"
[[ "$version" == "TK70 Pro Version "* ]] || fail "installed TK70 --version printed: $version"

"$bin/tk70-tsf" new "$prefix/x.tsf" || fail "installed tk70-tsf new: exit $?"
[[ -s "$prefix/x.tsf" ]] || fail "installed tk70-tsf new wrote no file"

demo=$("$bin/vantor-demo" --bogus 2>&1) && fail "installed vantor-demo accepted --bogus"
[[ "$demo" == *"usage: vantor-demo"* ]] || fail "installed vantor-demo did not start: $demo"

echo "installed programs run from $prefix"
