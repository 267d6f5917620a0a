#!/usr/bin/env bash
# Fails when a function declared in kanvo/kanvo.h is not in the table of
# docs/architecture.md that says where each public function is implemented,
# or when no file named on its row defines it.
set -euo pipefail
cd "$(dirname "$0")/.."

doc=docs/architecture.md
table=$(sed -n '/^## Where each public function is implemented/,/^## /p' "$doc" | grep '^| `')
if [ -z "$table" ]; then
    echo "check_api_doc: no table of public functions in $doc" >&2
    exit 1
fi

# Functions declared at the top level of the header: a line that starts with
# the return type and names the function before its parameter list.
mapfile -t functions < <(grep -E '^[A-Za-z_][A-Za-z0-9_ ]*[ *&]+[A-Z][A-Za-z0-9_]*\(' kanvo/kanvo.h |
    grep -vE '^(class|struct|typedef|using|enum|return)\b' |
    sed -E 's/^[^(]*[ *&]([A-Z][A-Za-z0-9_]*)\(.*/\1/' | awk '!seen[$0]++')
if [ ${#functions[@]} -eq 0 ]; then
    echo "check_api_doc: found no function in kanvo/kanvo.h" >&2
    exit 1
fi

failed=0
for function in "${functions[@]}"; do
    rows=$(grep -F "\`$function\`" <<<"$table" || true)
    if [ -z "$rows" ]; then
        echo "check_api_doc: $function (kanvo.h) is not in the table of $doc" >&2
        failed=1
        continue
    fi
    defined=0
    while IFS= read -r row; do
        file=kanvo/$(sed -E 's/^\| `([^`]+)`.*/\1/' <<<"$row")
        if [ -f "$file" ] && grep -qE "^[A-Za-z_].*[ *&]$function\(" "$file"; then
            defined=1
        fi
    done <<<"$rows"
    if [ "$defined" -eq 0 ]; then
        echo "check_api_doc: $doc places $function where it is not defined" >&2
        failed=1
    fi
done

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "check_api_doc: all ${#functions[@]} functions of kanvo.h are placed in $doc"
