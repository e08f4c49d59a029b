#!/usr/bin/env bash
# wine-run.sh COMMAND...: runs the command in the project's Wine environment
# (a display, the prefix, a warm wineserver; see wine-env.sh), which ends
# with it. The command may be a function of wine-env.sh: wine64 PROGRAM or
# wine32 PROGRAM.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
wine_env_start
trap wine_env_stop EXIT
"$@"
