#!/bin/sh
# Launcher of the installed bemo world: in a folder that holds the six textures the program runs
# exactly as it would there by itself; anywhere else it reads the installed textures.
here=$(dirname "$(readlink -f "$0")")
program="$here/../libexec/bemo-world/bemo-world"
for texture in fire2.raw candy.raw wood.raw fire.raw hole.raw yant.raw; do
    [ -e "$texture" ] || exec "$program" --data "$here/../share/bemo-world" "$@"
done
exec "$program" "$@"
