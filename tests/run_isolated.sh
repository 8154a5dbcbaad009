#!/usr/bin/env bash
# Runs one test binary with a fresh temporary HOME and XDG_CONFIG_HOME, so no
# test reads or writes the operator's own settings or folders.
set -u
tmp=$(mktemp -d "${TMPDIR:-/tmp}/pelagrix-test.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
"$@"
