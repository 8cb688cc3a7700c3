# What the desktop tests (X11 and Wayland) share, sourced by them: a work folder removed at the
# end with the processes in pids, checks that count their failures, waiting for log lines in
# $work/log and for the application ($app) to end.
work=$(mktemp -d)
failures=0
pids=()

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

check() { # description, command...
    local what="$1"
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}

waitline() { # a log line, seconds (10), how often it must be there (1)
    for _ in $(seq $((${2:-10} * 20))); do
        [ "$(grep -cF -- "$1" "$work/log")" -ge "${3:-1}" ] && return 0
        sleep 0.05
    done
    return 1
}

# Waits for the application to end; true when it ended with status 0 within the seconds given.
endswithin() { # seconds
    for _ in $(seq $(($1 * 20))); do
        if ! kill -0 "$app" 2>/dev/null; then
            wait "$app"
            return $?
        fi
        sleep 0.05
    done
    return 1
}

# The end of a test script: its name, and what to show when a check failed.
summary() { # script name, files to show
    if [ "$failures" -ne 0 ]; then
        echo "$1: $failures checks failed; the last log:"
        cat "${@:2}" 2>/dev/null
        exit 1
    fi
    echo "$1: every check passed"
}
