#!/bin/sh
# Exports the statements of every kind of attempt and checks them with the xAPI validation package
# from the npm registry, installed (as package.json names it) into a folder of the build.
#     run_validation.sh STATEMENT_KINDS PACKAGE_FOLDER NODE_FOLDER WORK_FOLDER
set -eu
kinds=$1 package=$2 node_dir=$3 work=$4
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "node and npm are not installed: xAPI validation skipped (Debian: nodejs npm)"
    exit 77
fi
mkdir -p "$node_dir" "$work"
if ! cmp -s "$package/package.json" "$node_dir/package.json" ||
    [ ! -d "$node_dir/node_modules/@learninglocker/xapi-validation" ]; then
    cp "$package/package.json" "$node_dir/package.json"
    npm install --prefix "$node_dir" --no-audit --no-fund --no-package-lock
fi
count=$("$kinds" "$work/statements.json")
node "$package/validate.js" "$node_dir/node_modules" "$count" \
    "$work/statements.json" "$work/statements.json.2"
