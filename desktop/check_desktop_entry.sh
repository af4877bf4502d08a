#!/bin/sh
# check_desktop_entry.sh FILE: fails on any error or warning of desktop-file-validate (hints are advice).
command -v desktop-file-validate >/dev/null || exit 77
out=$(desktop-file-validate "$1" 2>&1)
status=$?
[ -n "$out" ] && printf '%s\n' "$out"
[ $status -eq 0 ] || exit 1
! printf '%s\n' "$out" | grep -Eq ': (error|warning):'
