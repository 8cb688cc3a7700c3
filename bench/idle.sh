#!/usr/bin/env bash
# The CPU the application uses while it only waits: first at the "Geburtsdatum" prompt, then,
# after both dates were typed, once "(Programm Ende)" is shown. Starts the real application under
# a virtual X display (xvfb-run), types with xdotool and reads utime + stime of every thread from
# /proc.
#
# Usage: bench/idle.sh [build folder] [seconds per phase]     (defaults: build, 20)
set -euo pipefail

build=${1:-build}
seconds=${2:-20}
# shellcheck source=bench/application.sh
source "$(dirname "$0")/application.sh"
startapplicationscript "$0" "$build" "$seconds"

ticks_per_second=$(getconf CLK_TCK)
log=$(mktemp)
"$app" >"$log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT

# Waits up to $2 seconds for a log line that starts with $1.
waitforline() {
    for _ in $(seq $(($2 * 10))); do
        if grep -q "^$1" "$log"; then
            return 0
        fi
        sleep 0.1
    done
    echo "idle.sh: the application never logged \"$1\"" >&2
    exit 1
}

# One line per thread: id, clock ticks used so far (utime + stime), name. The name is read from
# comm, the numbers from after the last ")" of stat, where the name may hold spaces.
threadticks() {
    for task in /proc/"$pid"/task/*; do
        local stat name
        stat=$(cat "$task/stat" 2>/dev/null) || continue
        name=$(cat "$task/comm" 2>/dev/null) || continue
        echo "${task##*/} $(echo "${stat##*) }" | awk '{ print $12 + $13 }') $name"
    done
}

processticks() {
    local stat
    stat=$(cat /proc/"$pid"/stat)
    echo "${stat##*) }" | awk '{ print $12 + $13 }'
}

# Measures one phase: the whole process and every thread that lived through it, by name.
measure() {
    local before after total
    before=$(threadticks)
    total=$(processticks)
    sleep "$seconds"
    after=$(threadticks)
    total=$(($(processticks) - total))
    awk -v total="$total" -v seconds="$seconds" -v hz="$ticks_per_second" -v phase="$1" '
        function percent(t) { return sprintf("%.2f %%", 100 * t / (seconds * hz)) }
        NR == FNR { start[$1] = $2; next }
        ($1 in start) {
            name = $3; for (i = 4; i <= NF; ++i) name = name " " $i
            used[name] += $2 - start[$1]; counted += $2 - start[$1]
        }
        END {
            printf "%s: %d clock ticks in %d s = %s of one core\n", phase, total, seconds, percent(total)
            for (name in used) printf "    %-20s %5d ticks  %s\n", name, used[name], percent(used[name])
            if (total > counted) printf "    %-20s %5d ticks  %s\n", "(threads that ended)", total - counted, percent(total - counted)
        }' <(echo "$before") <(echo "$after")
}

waitforline "t_InitWindow: GraphicWindow #1 End." 30
sleep 2 # the prompt is printed right after the windows are made
measure "At the Geburtsdatum prompt"

window=$(xdotool search --sync --onlyvisible --name '^Quorvinthal$' | head -1)
xdotool windowfocus --sync "$window"
xdotool type --delay 30 '5.12.1985'
xdotool key Return
sleep 0.5
xdotool key ctrl+z
xdotool type --delay 30 '05.12.2026'
xdotool key Return
waitforline "t_QuitProgram: Quitting current thread" 30
sleep 2
measure "After (Programm Ende)"
