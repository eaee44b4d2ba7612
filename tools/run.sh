#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), then starts Puntela in its working folder build/work,
# which holds the thread catalogues and where the program writes its own files.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cd build/work
exec ../puntela "$@"
