#!/usr/bin/env bash
# The Windows build fetches Debian source packages through the source twins
# of the machine's apt sources, wherever apt keeps them: deb822 .sources files
# (all a Debian 12 container image has), one-line lists, or both. For each
# layout the fetch's apt, asked for the index files it would read (nothing is
# downloaded), names the source index of every archive, and no binary one.
#   debian_source_test.sh SCRATCH_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../checking.sh"
common=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh")
scratch=$1
rm -rf "$scratch"

# layout | the files of its apt folder
layouts=(
    "deb822 only|sources.list.d/debian.sources"
    "sources.list only|sources.list"
    "a one-line list in sources.list.d only|sources.list.d/debian.list"
    "deb822 and one-line lists together|sources.list.d/debian.sources sources.list sources.list.d/extra.list"
)

for row in "${layouts[@]}"; do
    name=${row%%|*}
    folder=$scratch/${name// /-}
    mkdir -p "$folder/etc/sources.list.d"
    archives=()
    for file in ${row#*|}; do
        archive=http://$(basename "$file" | tr . -).example/debian
        archives+=("$archive")
        if [[ $file == *.sources ]]; then
            printf 'Types: deb\nURIs: %s\nSuites: bookworm\nComponents: main\n' "$archive"
        else
            printf '# deb-src lines stay as they are\ndeb %s bookworm main\n' "$archive"
        fi >"$folder/etc/$file"
    done
    # In a shell of its own, where the scripts' set -e holds as when they run.
    uris=$(bash -c 'source "$1"; qxm_source_lists "$2/etc" "$2/apt"; qxm_source_apt "$2/apt" update --print-uris' \
        _ "$common" "$folder") || uris=
    for archive in "${archives[@]}"; do
        check "$name: the source index of $archive" grep -qF "'$archive/dists/bookworm/main/source/Sources" <<<"$uris"
    done
    check "$name: no binary index" test -z "$(grep -F /binary- <<<"$uris")"
done
finish
