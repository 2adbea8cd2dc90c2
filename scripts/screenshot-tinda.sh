#!/usr/bin/env bash
# Takes a picture of tinda's main window with a throwaway project open, on a
# virtual X server, and writes it to a PNG (default /tmp/tinda-main-window.png).
# The project is opened the way a user's would be at start: it is the newest
# entry of the recent-projects list in a temporary home.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-/tmp/tinda-main-window.png}
bin=${TINDA_BIN:-build/bin/tinda}
if [ ! -x "$bin" ]; then
  echo "$bin is missing: build it first (bash scripts/build.sh)" >&2
  exit 1
fi
bin=$(cd "$(dirname "$bin")" && pwd)/$(basename "$bin")
install=$(dirname "$bin")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Morvella" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# A project as the program makes one: its folders and the installation's
# reference databases, plus a second language for the selector to show.
project=$XDG_DATA_HOME/quintaro/projects/negozio-demo
for dir in db website/asp website/demo/prodotti/th website/images/demo website/images/categorie \
           website/images/prodotti/th website/images/prodotti/colori/th \
           website/images/prodotti/colori/dettagli; do
  mkdir -p "$project/$dir"
done
cp "$install/db/database.mdb" "$install/db/progettografico.mdb" "$project/db/"
chmod u+w "$project/db/"*.mdb
sqlite3 "$project/db/database.mdb" \
  "INSERT INTO Lingue (ID, Codice, Descrizione, IDValuta, Attivo) VALUES (2, 'en', 'English', 1, 1);"
printf '[LRUProjects]\nProject1=%s\n' "$project" > "$XDG_CONFIG_HOME/Morvella/Quintaro50.conf"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" > "$3/tinda.log" 2>&1 &
  pid=$!
  # Past the splash and the project opening.
  sleep 5
  import -window root "$2"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' screenshot "$bin" "$out" "$work"
echo "$out"
