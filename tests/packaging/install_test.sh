#!/usr/bin/env bash
# `cmake --install` into a prefix of its own: everything a desktop needs to
# list, show and start QXM, and qxm-convert working from there.
#   install_test.sh BUILD_FOLDER SCRATCH_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

build=$1
scratch=$2
prefix=$scratch/opt/qxm
rm -rf "$scratch"
mkdir -p "$scratch"

check "cmake --install succeeds" cmake --install "$build" --prefix "$prefix"
check_installed_tree "$prefix"
finish
