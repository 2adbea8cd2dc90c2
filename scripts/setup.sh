#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Packages already installed are skipped, so a second run costs nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  qt6-declarative-dev qt6-webengine-dev qt6-speech-dev
  libqt6opengl6-dev
  libsqlite3-dev libsodium-dev zlib1g-dev libgif-dev libzip-dev
  zip unzip xorriso
  sqlite3
  postgresql postgresql-client nginx openssl
  poppler-utils xvfb xauth imagemagick fonts-liberation2
  qt6-translations-l10n groff
  python3 python3-aiosmtpd
  chromium chromium-driver python3-selenium
  libmicrohttpd-dev wrk
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
