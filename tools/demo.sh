#!/usr/bin/env bash
# The `make run` demonstration. Until the command-line program exists it says so.
set -eu
if [ -x "${1:-}" ]; then
  exec "$1" --help
fi
echo "The formwright command-line program is not built yet: the runtime and the design"
echo "contracts are being laid first. 'make test' runs everything that exists."
