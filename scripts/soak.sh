#!/bin/sh
# `make soak`: the data server and the widget through SOAK_HOURS simulated hours (168: a week) in
# SOAK_SECONDS (300), both on a clock that runs fast (libfaketime), inside bench/run.sh's sealed
# environment (private session bus, Xvfb, temporary HOME). tests/soak/soak_driver.cpp says what is
# done and checked; CTest's soak_hour runs an hour of it.
set -eu
build=$(cd "${1:-build}" && pwd)
exec "$(dirname "$0")/../bench/run.sh" "$build" "$build/tests/soak/soak_driver" "${SOAK_HOURS:-168}" "${SOAK_SECONDS:-300}"
