#!/usr/bin/env bash
# Builds the web page (scripts/build-web.sh) and tests it in headless
# Chromium against the native qxm-convert, byte for byte; the screenshots go
# to $QXM_BUILD/screenshots/. Needs the native build ($QXM_BUILD) first, as
# scripts/test.sh makes it. Installs what is missing first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_WEB_TEST_PACKAGES[@]}" xfonts-base
[[ -x $QXM_BUILD/cli/qxm-convert ]] || {
    echo "No $QXM_BUILD/cli/qxm-convert to compare the page with: build QXM first (bash scripts/test.sh does)" >&2
    exit 1
}
bash "$QXM_ROOT/scripts/build-web.sh"
# Debian's Python, with Debian's Selenium, whatever python3 comes first.
/usr/bin/python3 "$QXM_ROOT/tests/web/page_test.py" "$QXM_BUILD/web" "$QXM_BUILD/cli/qxm-convert" \
    "$QXM_BUILD/core/productinfo.h" "$QXM_BUILD/screenshots"
