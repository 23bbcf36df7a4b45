#!/usr/bin/env bash
# Checks that a build of the framework library exports exactly the expected
# functions and nothing else of its own (no C++ internals, no data). The
# standard library's template instances always stay visible and are ignored.
#   check-exports.sh <library> <name>...
set -euo pipefail
library=$1
shift
if ! diff <(printf '%s\n' "$@" | sort) \
    <(nm -D --defined-only "$library" | awk '{ print $NF }' |
        grep -v -E '^(_init|_fini|_edata|_end|__.*|_Z(Z|T[VIS])?N?K?St.*)$' | sort); then
    echo "exports of $library differ from the expected list (< expected, > found)" >&2
    exit 1
fi
