# Shared by the desktop tests: counted checks, waiting, a scratch folder, and
# the programs a test starts in the background. Each of those runs in a
# process group of its own (setsid), which the test ends on its way out,
# whether it passes, fails or is interrupted: every process in the group,
# the children the program started too. The scratch folder goes with them.
source "$(dirname "${BASH_SOURCE[0]}")/../checking.sh"

scratch=$(mktemp -d)
started=()

# Runs a command every tenth of a second until it succeeds, for up to SECONDS.
wait_for() { # seconds, then the command
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do
        "$@" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# Starts a command in the background, in a group of its own: $! is its PID.
start() {
    setsid "$@" &
    started+=($!)
}
gone() { ! kill -0 "$1" 2>/dev/null; }
# Ends the group of a PID that start gave, a stopped one too, and waits up to
# 5 seconds for that process to go before it kills the group outright.
stop() {
    kill -CONT -- -"$1" 2>/dev/null || true
    kill -TERM -- -"$1" 2>/dev/null || true
    wait_for 5 gone "$1" || kill -KILL -- -"$1" 2>/dev/null || true
}
end_session() {
    local pid
    for pid in "${started[@]}"; do stop "$pid"; done
    rm -rf "$scratch"
}
trap end_session EXIT

# An X server of the test's own, which DISPLAY names from then on. It keeps
# running between the programs the test starts, not reset when the last goes.
start_xvfb() {
    start Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$scratch/display" 2>/dev/null
    wait_for 10 test -s "$scratch/display"
    export DISPLAY=:$(head -n1 "$scratch/display")
}
