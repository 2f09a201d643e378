#!/usr/bin/env bash
# Static analysis of QXM's own code: the layering of its includes,
# clang-tidy (.clang-tidy) through a compile database in $QXM_BUILD/analyse,
# cppcheck, and the clang-format check (.clang-format). Runs all four,
# reports each, and fails if any finds something. Installs what is missing first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}" "${QXM_TEST_PACKAGES[@]}"

build="$QXM_BUILD/analyse"
# The project's own code; build folders and third-party code stay out.
source_dirs=(core platform windows cli scripts tests bench)
cd "$QXM_ROOT"
mapfile -t sources < <(find "${source_dirs[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

declare -A results
now() { date +%s; }

# clang-tidy needs the compile commands, with clang's own flags, and the files
# moc writes for the tests that include them; nothing else is built.
run_clang_tidy() {
    cmake -S "$QXM_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$build/configure.log" 2>&1 \
        || { cat "$build/configure.log" >&2; return 1; }
    mapfile -t autogen < <(cmake --build "$build" --target help | grep -o '[A-Za-z0-9_.+-]*_autogen\b' | sort -u)
    cmake --build "$build" --parallel "$(nproc)" --target "${autogen[@]}" >"$build/autogen.log" 2>&1 \
        || { cat "$build/autogen.log" >&2; return 1; }

    # Every translation unit in the database that is a file of the project,
    # each once (the corpus replay driver is in two targets).
    python3 - "$build/compile_commands.json" "$QXM_ROOT" "$build" >"$build/clang-tidy-files.txt" <<'EOF'
import json, os, sys
database, root, build = (os.path.realpath(p) for p in sys.argv[1:4])
files = set()
for entry in json.load(open(database)):
    path = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(root + os.sep) and not path.startswith(build + os.sep):
        files.add(path)
print("\n".join(sorted(files)))
EOF
    [[ -s $build/clang-tidy-files.txt ]] || { echo "no files in $build/compile_commands.json" >&2; return 1; }
    local root_pattern
    root_pattern=$(printf '%s' "$QXM_ROOT" | sed 's/[][\.|$(){}?+*^]/\\&/g')
    local header_filter="^$root_pattern/($(IFS='|'; echo "${source_dirs[*]}"))/"
    echo "clang-tidy: $(wc -l <"$build/clang-tidy-files.txt") files"
    local status=0
    xargs -a "$build/clang-tidy-files.txt" -P "$(nproc)" -n 1 \
        clang-tidy -p "$build" --quiet --warnings-as-errors='*' --header-filter="$header_filter" \
        >"$build/clang-tidy.log" 2>&1 || status=$?
    grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$build/clang-tidy.log" || true
    return "$status"
}

# Without the system's and Qt's headers cppcheck reads quickly; its Qt and
# GoogleTest libraries tell it what their macros mean. Both the Windows and
# the other branches of the code are checked.
run_cppcheck() {
    cppcheck --enable=warning,performance,portability --error-exitcode=1 --inline-suppr \
        --suppress=missingIncludeSystem --std=c++17 --library=qt --library=googletest --quiet \
        -I . "${source_dirs[@]}"
}

# Each layer leans only on the layers below it, and each folder on the
# folders it is allowed: the core on nothing of the program's, the platform's
# folders on the core (and the forms and streams on the text between Qt and
# the core), the companion windows never on the converter window, and the
# programs on what they use.
run_layers() {
    python3 - <<'PYTHON'
import pathlib, re, sys
allowed = {
    "core": ["core"],
    "core/formats": ["core"],
    "platform/text": ["core", "platform/text"],
    "platform/registry": ["platform/registry"],
    "platform/fontfile": ["core", "platform/fontfile"],
    "platform/streams": ["core", "platform/text", "platform/streams"],
    "platform/forms": ["core", "platform/text", "platform/forms"],
    "windows/companion": ["core", "platform/text", "platform/forms", "platform/registry", "windows/companion"],
    "windows/main": ["core", "platform/text", "platform/forms", "windows/companion", "windows/main"],
    "cli": ["core", "platform/text", "platform/streams", "platform/fontfile", "cli"],
    "web": ["core", "platform/fontfile", "web"],
}
include = re.compile(r'#include "((?:core|platform|windows|cli|web|tests)/[^"]*)"')
found = []
for folder, layers in allowed.items():
    for path in sorted(pathlib.Path(folder).glob("*")):
        if path.suffix not in (".cpp", ".h", ".in"):
            continue
        for number, line in enumerate(path.read_text().splitlines(), 1):
            match = include.search(line)
            if match and not any(match.group(1).startswith(layer + "/") for layer in layers):
                found.append(f"{path}:{number}: {match.group(1)}")
    stray = [p for p in pathlib.Path(folder).glob("*/*") if p.suffix in (".cpp", ".h")]
    found += [f"{p}: a folder below {folder} that no layer names" for p in stray if str(p.parent) not in allowed]
if found:
    print("Includes against the layering:")
    print("\n".join(found))
    sys.exit(1)
PYTHON
}

run_clang_format() {
    local file unformatted=()
    for file in "${sources[@]}"; do
        clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
    done
    if [[ ${#unformatted[@]} -gt 0 ]]; then
        echo "Not formatted as .clang-format says (clang-format -i FILE... mends them):"
        printf '  %s\n' "${unformatted[@]}"
        return 1
    fi
}

mkdir -p "$build"
status=0
for tool in layers clang-tidy cppcheck clang-format; do
    echo "=== $tool"
    start=$(now)
    if "run_${tool//-/_}"; then
        results[$tool]="clean"
    else
        results[$tool]="FAILED"
        status=1
    fi
    results[$tool]+=" ($(($(now) - start)) s)"
done

echo "=== summary"
for tool in layers clang-tidy cppcheck clang-format; do
    echo "$tool: ${results[$tool]}"
done
exit "$status"
