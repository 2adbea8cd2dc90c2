#!/usr/bin/env bash
# Fails when the shop server's library needs desktop code or the DAO layer:
# neither a library of theirs in its load closure nor a symbol of theirs.
#   check-qtr50-links.sh <path of libqtr50.so>
set -euo pipefail
lib="$1"
found=0
libs=$(ldd "$lib" | awk '{print $1}')
if grep -E '^lib(tinda|qtrpreview|qtrrecordset|qtrdao)' <<<"$libs"; then
  echo "$lib loads desktop or DAO libraries (above)"
  found=1
fi
if nm -DC "$lib" | grep -E ' (CDao[A-Za-z]*|CQTRDaoRecordset|CMainFrame|CTindaApp)::'; then
  echo "$lib holds or needs DAO or desktop symbols (above)"
  found=1
fi
[ "$found" -eq 0 ] && echo "qtr50 links neither the DAO layer nor desktop code"
exit "$found"
