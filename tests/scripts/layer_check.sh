#!/usr/bin/env bash
# Fails when an include crosses the layering: framework/ stands on nothing of ours, services/ on
# the framework (its GUI folders only for the shell components), skin/ on services and the
# framework, app/ on all of them. Inside the framework, rtl/ (strings, exceptions, files) stands
# below core/ (objects, components), and classes/ (lists, streams, ini files, registry) on both.
set -euo pipefail
cd "$(dirname "$0")/../.."
failures=0 passed=0
forbid() {  # forbid "rule" folder[:excluded-subfolder] include-prefix...
  local rule=$1 folder=${2%%:*} skip=() hits
  [[ $2 == *:* ]] && skip=(--exclude-dir="${2#*:}")
  shift 2
  local pattern
  pattern=$(printf '|%s' "$@")
  hits=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"(${pattern:1})" "$folder" \
           --include='*.h' --include='*.cpp' --include='*.c' "${skip[@]}" || true)
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
forbid "services/ includes neither skin/ nor app/" services skin/ app/
# The shell components own windows (views, context menus, dialogs): only they may use the GUI.
forbid "services/ outside shell/ includes none of the framework's GUI folders" services:shell "${gui[@]}"
forbid "skin/ does not include app/" skin app/
forbid "framework/rtl includes neither framework/core nor framework/classes" framework/rtl \
  framework/core/ framework/classes/
forbid "framework/core does not include framework/classes" framework/core framework/classes/
echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
