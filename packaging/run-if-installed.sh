#!/bin/sh
# Usage: run-if-installed.sh PACKAGE TOOL [ARGUMENT...]
#
# Runs TOOL with its arguments when it is installed. When it is not, says which
# Debian package brings it and exits with 77, which the tests that use this
# declare as their SKIP_RETURN_CODE: a machine without the tool then reports
# the check as skipped rather than passed.
package=$1
tool=$2
shift 2
if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool not installed: skipping (it comes with the Debian package $package)"
    exit 77
fi
exec "$tool" "$@"
