#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Called by `make setup` (and so by `make run` and `make test`); safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config binutils python3 ccache
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev clang-tidy
  nlohmann-json3-dev
  qt6-base-dev qt6-qpa-plugins qt6-svg-dev libqt6sql6-sqlite fonts-dejavu-core fonts-liberation2
  libwmf-bin gsfonts poppler-utils sqlite3 libsqlite3-dev
  libpq-dev postgresql
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# The PostgreSQL server is for the tests' own throwaway clusters: the package must not
# create (and so start) a system-wide one.
if [[ " ${missing[*]} " == *" postgresql "* ]]; then
  "${sudo[@]}" mkdir -p /etc/postgresql-common
  echo "create_main_cluster = false" | "${sudo[@]}" tee /etc/postgresql-common/createcluster.conf >/dev/null
fi
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends -o Dpkg::Options::=--force-confold "${missing[@]}"
