# Shared by the shell tests: named checks that are counted, so that one run
# reports every failure, not only the first.

failures=0
passed=0

check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failures=$((failures + 1))
        echo "FAILED: $what"
    fi
}

finish() {
    echo "$passed passed, $failures failed"
    [[ $failures -eq 0 ]]
}
