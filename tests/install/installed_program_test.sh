#!/usr/bin/env bash
# Installs the program into a temporary prefix, checks the desktop entry and the AppStream
# metadata, makes the prefix read-only and runs the installed quintello-cli and quintello as
# an ordinary user (nobody, when the tests run as root) with a fresh home: the first start
# must build the archive in that user's data folder, and the command line must then use it.
#   installed_program_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
work=$(mktemp -d)
program=""
cleanup() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FALLITO: $*" >&2; exit 1; }

prefix=$work/prefix
home=$work/home
cmake --install "$build" --prefix "$prefix" >/dev/null
app_id=it.quintello.Quintello
desktop-file-validate "$prefix/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
for file in share/icons/hicolor/scalable/apps/$app_id.svg share/icons/hicolor/48x48/apps/$app_id.png \
    share/man/man1/quintello-cli.1 share/quintello/estrazioni.txt; do
  [ -s "$prefix/$file" ] || fail "manca $file"
done

mkdir "$home"
chmod 755 "$work"
chmod -R a-w "$prefix"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
# A clean environment (no QUINTELLO_CARTELLA, no XDG_DATA_HOME); the sanitizers' options pass.
sanitizers=()
for name in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
  if [ -n "${!name:-}" ]; then sanitizers+=("$name=${!name}"); fi
done
run() {
  env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen "${sanitizers[@]}" \
    "${as_user[@]}" "$@"
}
data=$home/.local/share/quintello

run "$prefix/bin/quintello" --version | grep -qx "quintello [0-9.]*" || fail "quintello --version"
run "$prefix/bin/quintello-cli" --version | grep -qx "quintello-cli [0-9.]*" ||
  fail "quintello-cli --version"
# Before the first start the command line reads the installed draws.
run "$prefix/bin/quintello-cli" info | grep -qxF "Archivio	$prefix/share/quintello/estrazioni.txt" ||
  fail "quintello-cli info prima del primo avvio"

# The first start builds the program database and the archive, then waits in the start-up
# window: stop it once the program database (written last) is there.
run "$prefix/bin/quintello" >"$work/program.log" 2>&1 &
program=$!
for _ in $(seq 1 600); do
  [ -f "$data/dbQuintello.mdb" ] && break
  kill -0 "$program" 2>/dev/null || { cat "$work/program.log" >&2; fail "quintello si è chiuso"; }
  sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=""
[ -f "$data/dbQuintello.mdb" ] || fail "nessun database del programma in $data"
[ -s "$data/archivio.mdb" ] || fail "nessun archivio in $data"

run "$prefix/bin/quintello-cli" info >"$work/info.txt"
grep -qxF "Archivio	$data/archivio.mdb" "$work/info.txt" || { cat "$work/info.txt" >&2; fail "quintello-cli non usa l'archivio costruito"; }
grep -qx "Estrazioni	[0-9]*" "$work/info.txt" || fail "quintello-cli info senza estrazioni"
echo "archivio costruito in $data e letto da quintello-cli"
