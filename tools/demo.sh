#!/usr/bin/env bash
# The `make run` demonstration. Until the command-line program exists it says so.
set -eu
if [ -x "${1:-}" ]; then
  exec "$1" --help
fi
echo "The formwright command-line program is not built yet: the runtime, the component"
echo "framework, the property and component editors, the reference host and the designer"
echo "manager are in place; the module root comes next. 'make test' runs everything that exists."
