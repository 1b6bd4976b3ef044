#!/usr/bin/env bash
# Runs a command with HOME and the XDG folders pointing at a home full of
# sentinel files (puzzles, a settings data file, a desktop registration, a
# window placement), then fails when any of them was changed, removed or
# added to. Test programs must make a private home of their own before they
# touch anything; this is what catches one that does not.
#   scripts/with-sentinel-home.sh ctest --test-dir build
set -euo pipefail
home="$(mktemp -d "${TMPDIR:-/tmp}/gridmoor-sentinel-home-XXXXXX")"
trap 'chmod -R u+w "$home" 2>/dev/null; rm -rf "$home"' EXIT

for file in Documents/XWords/today.puz Documents/XWords/old/kept.gmd Documents/GridmoorData \
    .config/gridmoor/gridmoor.conf .config/mimeapps.list .local/share/mime/packages/gridmoor.xml \
    .local/share/applications/gridmoor.desktop .local/share/applications/org.gridmoor.gridmoor.desktop \
    .local/share/gridmoor/installation .cache/sentinel; do
    mkdir -p "$home/$(dirname "$file")"
    echo "sentinel $file" >"$home/$file"
done
mkdir -p "$home/run"
chmod 700 "$home/run"

snapshot() {
    (cd "$home" && find . -path ./run -prune -o -print0 | sort -z | xargs -0 stat -c '%n %s %Y %a' &&
        find . -path ./run -prune -o -type f -print0 | sort -z | xargs -0 sha256sum)
}
before="$(snapshot)"

status=0
HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" "$@" || status=$?

after="$(snapshot)"
if [ "$before" != "$after" ]; then
    echo "with-sentinel-home: the command changed the home folder it was started with:" >&2
    diff <(echo "$before") <(echo "$after") >&2 || true
    exit 1
fi
exit "$status"
