#!/usr/bin/env bash
# Checks the Windows CI definition, .github/workflows/windows.yml, which
# runs on GitHub's Windows runners and cannot run here:
#  - against GitHub's workflow schema, with action-validator from the npm
#    registry (a pinned version, installed into build/tools);
#  - that its commands are the README's own: its run steps, in order, are the
#    lines of the bat blocks in the README's section "Build and test it with
#    Visual Studio", so that neither changes without the other.
# Usage: scripts/check-workflow.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
workflow=$root/.github/workflows/windows.yml
readme=$root/README.md
section="### Build and test it with Visual Studio"
tools=$root/build/tools
version=0.6.0
began=$SECONDS

fail() {
    echo "Windows workflow: $*" >&2
    exit 1
}

[ -f "$workflow" ] || fail "$workflow is missing"

# The validator and the core it runs, both at the pinned version, installed
# once into the build tree, never globally.
validator=$tools/node_modules/.bin/action-validator
installed() {
    sed -n 's/^  "version": "\(.*\)",$/\1/p' "$tools/node_modules/@action-validator/$1/package.json" \
        2>/dev/null || true
}
if [ ! -x "$validator" ] || [ "$(installed cli)" != $version ] || [ "$(installed core)" != $version ]; then
    command -v npm >/dev/null || fail "npm is not installed (scripts/install-deps.sh installs it)"
    rm -rf "$tools"
    mkdir -p "$tools"
    if ! npm install --prefix "$tools" --no-audit --no-fund \
        "@action-validator/cli@$version" "@action-validator/core@$version" >"$tools/npm.log" 2>&1; then
        cat "$tools/npm.log" >&2
        fail "could not install action-validator $version from the npm registry"
    fi
    [ -x "$validator" ] || fail "npm installed no action-validator command"
fi

if ! "$validator" "$workflow" >&2; then
    fail "$workflow does not follow the workflow schema (action-validator $version)"
fi

# The README's commands: the lines of the bat blocks in its section.
readme_commands=$(awk -v section="$section" '
    $0 == section { inside = 1; next }
    inside && /^#/ { exit }
    inside && /^```bat$/ { block = 1; next }
    block && /^```$/ { block = 0; next }
    block { print }' "$readme")
grep -q '^ctest ' <<<"$readme_commands" ||
    fail "README.md has no bat block with a ctest command under \"$section\""

# The workflow's commands: one line each, so that this check reads all of
# them. (A bare "run:" is the key of the steps' defaults.)
if grep -E '^ *(- )?run: *[|>]' "$workflow" >&2; then
    fail "a run step spans several lines; write each command as a step of one line"
fi
workflow_commands=$(sed -n 's/^ *\(- \)\{0,1\}run: *\(..*\)$/\2/p' "$workflow")

if [ "$readme_commands" != "$workflow_commands" ]; then
    diff --label "README.md, $section" --label "$workflow, run steps" \
        <(echo "$readme_commands") <(echo "$workflow_commands") >&2 || true
    fail "its commands are not the README's"
fi
count=$(wc -l <<<"$workflow_commands")
echo "Windows workflow: valid against the workflow schema (action-validator $version);" \
    "its $count commands are the README's; $((SECONDS - began)) s"
