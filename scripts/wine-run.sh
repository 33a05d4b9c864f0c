#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, as the tests and the build's own
# steps do (CMake's emulator for cross-compiled programs). The Wine prefix lives in the
# cache beside the cross-built libraries and is made on first use. Programs talk to the
# X server in $DISPLAY, and SDL plays on its dummy driver unless told otherwise: Wine's
# default audio endpoint is missing on a machine without sound.
export WINEPREFIX=${QV_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/quintaval/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
mkdir -p "$WINEPREFIX"
exec wine "$@"
