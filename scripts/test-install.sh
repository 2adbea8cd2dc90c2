#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and starts the installed tinda
# offscreen on a new project: the installation must hold everything the
# program needs (libraries, reference databases, help, menu entry).
# Usage: scripts/test-install.sh <build folder>
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

DESTDIR=$work/root cmake --install "$build" --prefix /usr > "$work/install.log"
root=$work/root/usr
for file in bin/tinda lib/quintaro/tinda lib/quintaro/libqtrrecordset.so lib/quintaro/db/database.mdb \
            lib/quintaro/db/progettografico.mdb lib/quintaro/db/modellografico.mdb lib/quintaro/help/help.pdf \
            lib/quintaro/template/system lib/quintaro/template/pagine/testa.inc \
            lib/quintaro/template/blocchi/logo.inc lib/quintaro/template/images/modello.css \
            share/applications/quintaro.desktop share/icons/hicolor/256x256/apps/quintaro.png; do
  if [ ! -e "$root/$file" ]; then
    echo "missing from the installation: $file" >&2
    exit 1
  fi
done

if [ -n "$(ls -A "$build/bin/template/system" 2>/dev/null)" ] && [ -z "$(ls -A "$root/lib/quintaro/template/system")" ]; then
  echo "the shop's pages of template/system are missing from the installation" >&2
  exit 1
fi

"$root/bin/tinda" --version | grep -q '^Quintaro '

# The installed program, nothing of the build folder: its libraries come
# from beside it.
if ldd "$root/lib/quintaro/tinda" | grep -q "$build"; then
  echo "the installed tinda still reads libraries from the build folder" >&2
  exit 1
fi

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
project=$work/progetti/negozio
QT_QPA_PLATFORM=offscreen "$root/bin/tinda" "$project" > "$work/tinda.log" 2>&1 &
pid=$!
# The new project is made from the installation's reference databases; the
# program then waits on its notice, still running.
for _ in $(seq 1 60); do
  [ -s "$project/db/database.mdb" ] && [ -s "$project/db/progettografico.mdb" ] && break
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the installed tinda ended early:" >&2
    cat "$work/tinda.log" >&2
    exit 1
  fi
  sleep 0.5
done
if [ ! -s "$project/db/database.mdb" ]; then
  echo "the installed tinda made no project in $project" >&2
  cat "$work/tinda.log" >&2
  exit 1
fi
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
  echo "the installed tinda ended after making the project:" >&2
  cat "$work/tinda.log" >&2
  exit 1
fi
cmp -s "$project/db/progettografico.mdb" "$root/lib/quintaro/db/progettografico.mdb"
echo "installed tinda started on a new project"
