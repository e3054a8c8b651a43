#!/usr/bin/env bash
# Fails when an include crosses the layering: framework/ stands on nothing of ours, services/ on
# the framework's non-visual folders, skin/ on services and the framework, app/ on all of them.
set -euo pipefail
cd "$(dirname "$0")/../.."
failures=0 passed=0
forbid() {  # forbid "rule" folder include-prefix...
  local rule=$1 folder=$2 hits
  shift 2
  local pattern
  pattern=$(printf '|%s' "$@")
  hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"(${pattern:1})" "$folder" \
           --include='*.h' --include='*.cpp' --include='*.c' || true)
  if [ -n "$hits" ]; then
    echo "FAILED: $rule"
    printf '  %s\n' "${hits//$'\n'/$'\n'  }"
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}
gui=(framework/controls/ framework/forms/ framework/stdctrls/ framework/comctrls/ framework/extctrls/
     framework/buttons/ framework/menus/)
forbid "framework/ includes no other layer" framework services/ skin/ app/
forbid "services/ includes neither skin/, app/ nor the framework's GUI folders" services skin/ app/ "${gui[@]}"
forbid "skin/ does not include app/" skin app/
echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
