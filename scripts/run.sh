#!/usr/bin/env bash
# Builds QXM and starts it, installing what is missing first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}"
qxm_build
exec "$QXM_BUILD/windows/qxm" "$@"
