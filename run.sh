#!/usr/bin/env bash
# Builds Pexolen (Release) when needed and runs it in the caller's working
# folder, so that relative paths mean what they mean there. Arguments go to
# the program; nothing but the program writes to standard output.
set -euo pipefail
repo="$(cd "$(dirname "$0")" && pwd)"
build="$repo/build/release"
(
    cd "$repo"
    . scripts/deps.sh
    pexolen_install_deps
    pexolen_build_program "$build"
) >&2

# GTK, which FLTK loads for the desktop's file dialog, reports its own
# assertion failures and hints on standard error: noise to a user, so the
# window's standard error goes without those lines.
gtk_noise='^(\([^)]*\): )?(Gtk|Gdk|GLib|GLib-GObject|GLib-GIO|GdkPixbuf|Atk|dbind)-(CRITICAL|WARNING|Message)\b'

if [ $# -eq 0 ]; then
    # With no arguments: the window where there is a display, otherwise the
    # demonstration stereogram here.
    if [ -n "${DISPLAY:-}" ]; then
        "$build/app/pexolen" 2> >(grep --line-buffered -Ev "$gtk_noise" >&2)
        status=$?
        wait   # until the filter has passed on the last line
        exit $status
    fi
    "$build/app/pexolen" produce -o stereogram.bmp
    echo "Made the demo stereogram: $PWD/stereogram.bmp (./run.sh --help for more)"
    exit 0
fi
exec "$build/app/pexolen" "$@"
