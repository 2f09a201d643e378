#!/usr/bin/env bash
# Builds QXM and starts it, installing what is missing first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}"
# Only the program and what it links: the tests, benchmarks and tools are
# the test command's to build.
QXM_BUILD_TARGET=qxm qxm_build
# The build writes down where it puts the program.
exec "$(<"$QXM_BUILD/qxm-program-path")" "$@"
