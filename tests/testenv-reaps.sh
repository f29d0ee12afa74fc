#!/bin/sh
# The sealed environment of every test (testenv.sh) ends what a test leaves running, on its bus or
# not, and keeps the test's exit status: a crash must not leave agents behind, nor read as a pass.
set -u
env_script=$1
pids=$(mktemp)
trap 'rm -f "$pids"' EXIT
status=0
for form in "" "--dbus"; do
    # shellcheck disable=SC2086 # the empty form is no argument
    "$env_script" $form sh -c 'sleep 300 & echo $! >"$1"; sleep 300 & echo $! >>"$1"; kill -SEGV $$' \
        reaped "$pids"
    code=$?
    if [ $code -ne 139 ]; then
        echo "testenv.sh $form: exit status $code for a test killed by SIGSEGV (139)"
        status=1
    fi
    for pid in $(cat "$pids"); do
        state=$(sed 's/.*) //; s/ .*//' "/proc/$pid/stat" 2>/dev/null) || state=""
        if [ -n "$state" ] && [ "$state" != Z ]; then
            echo "testenv.sh $form: process $pid the test started still runs"
            kill -KILL "$pid"
            status=1
        fi
    done
done
exit $status
