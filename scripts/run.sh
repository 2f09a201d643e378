#!/usr/bin/env bash
# Builds QXM and starts it, installing what is missing first. Arguments go to
# the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}"
qxm_build
if [[ $# -eq 0 ]]; then
    set -- "Hello, LED!"
fi
exec "$QXM_BUILD/cli/qxm-convert" "$@"
