#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR (and, with --deb, packs the
# .deb) and checks the shop server's installation: the program, its link,
# the systemd unit naming the installed program, the example configuration,
# the man pages of tinda and qtr50d, each where docs/deploy.md says; the man
# pages render with groff without a warning; the installed qtr50d checks a
# shop made from the installed example configuration.
# Usage: scripts/test-install-server.sh <build folder> [--deb]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

DESTDIR=$work/root cmake --install "$build" --prefix /usr > "$work/install.log"
root=$work/root

expected=(
  usr/lib/quintaro/qtr50d
  usr/bin/qtr50d
  usr/lib/systemd/system/qtr50d.service
  usr/share/doc/quintaro/examples/qtr50d.example.ini
  usr/share/doc/quintaro/deploy.md
  usr/share/man/man8/qtr50d.8
  usr/share/man/man1/tinda.1
)
for file in "${expected[@]}"; do
  [ -e "$root/$file" ] || { echo "missing from the installation: /$file" >&2; exit 1; }
  # Where the installation puts it is where the guide sends the reader.
  case "$file" in
    usr/bin/qtr50d | usr/share/doc/quintaro/deploy.md) ;;
    *) grep -qF "/$file" "$source_dir/docs/deploy.md" \
         || { echo "docs/deploy.md does not say where /$file is" >&2; exit 1; } ;;
  esac
done
[ "$(readlink -f "$root/usr/bin/qtr50d")" = "$(readlink -f "$root/usr/lib/quintaro/qtr50d")" ] \
  || { echo "usr/bin/qtr50d does not lead to the installed program" >&2; exit 1; }
grep -qx 'ExecStart=/usr/lib/quintaro/qtr50d --config /etc/quintaro/qtr50d.ini' \
  "$root/usr/lib/systemd/system/qtr50d.service" \
  || { echo "the unit does not start the installed program:" >&2; cat "$root/usr/lib/systemd/system/qtr50d.service" >&2; exit 1; }
grep -q 'cmake --install' "$source_dir/README.md" || { echo "the README does not say how to install" >&2; exit 1; }

for page in usr/share/man/man8/qtr50d.8 usr/share/man/man1/tinda.1; do
  groff -man -Tutf8 -ww -P-cbou "$root/$page" > "$work/page.txt" 2> "$work/groff.err"
  if [ -s "$work/groff.err" ] || ! grep -q 'SYNOPSIS' "$work/page.txt"; then
    echo "$page does not render cleanly:" >&2
    cat "$work/groff.err" >&2
    exit 1
  fi
done
groff -man -Tutf8 -P-cbou "$root/usr/share/man/man8/qtr50d.8" 2>/dev/null | grep -q -- '--create-schema SHOP' \
  || { echo "man qtr50d does not tell --create-schema" >&2; exit 1; }

# The installed program, from the installed example with a shop of its own.
"$root/usr/bin/qtr50d" --version | grep -q '^qtr50d '
shop=$work/negozio
mkdir -p "$shop/db"
cp "$root/usr/lib/quintaro/db/database.mdb" "$shop/db/"
sed -e "s|^folder=.*|folder=$shop|" -e "s|^access=.*|access=$work/access.log|" -e "s|^error=.*|error=$work/error.log|" \
  "$root/usr/share/doc/quintaro/examples/qtr50d.example.ini" > "$work/qtr50d.ini"
"$root/usr/bin/qtr50d" --config "$work/qtr50d.ini" --check > "$work/check.txt" 2>&1 \
  || { echo "the installed qtr50d refuses the example configuration:" >&2; cat "$work/check.txt" >&2; exit 1; }
if ldd "$root/usr/lib/quintaro/qtr50d" | grep -q "$build"; then
  echo "the installed qtr50d still reads libraries from the build folder" >&2
  exit 1
fi

if [ "${2:-}" = "--deb" ]; then
  (cd "$build" && cpack -G DEB -B "$work/deb" > "$work/cpack.log" 2>&1) \
    || { echo "cpack failed:" >&2; tail -20 "$work/cpack.log" >&2; exit 1; }
  deb=$(ls "$work"/deb/*.deb | head -1)
  dpkg-deb -c "$deb" > "$work/deb.txt"
  for file in "${expected[@]}"; do
    grep -q " \./$file\( \|$\)" "$work/deb.txt" || { echo "missing from the .deb: /$file" >&2; exit 1; }
  done
  dpkg-deb -x "$deb" "$work/debroot"
  grep -qx 'ExecStart=/usr/lib/quintaro/qtr50d --config /etc/quintaro/qtr50d.ini' \
    "$work/debroot/usr/lib/systemd/system/qtr50d.service"
fi
echo "installed qtr50d checked"
