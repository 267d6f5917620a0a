#!/usr/bin/env bash
# Fails when a file of the library includes a header of a higher layer: each
# folder of kanvo/ is one layer and may include only its own folder, the
# folders below it and kanvo.h. The order, lowest first, is the one table of
# docs/architecture.md lists (its "Layers" table, one folder a row).
set -euo pipefail
cd "$(dirname "$0")/.."

# The folders in the order of the layers table, lowest first.
mapfile -t layers < <(sed -n '/^## Layers/,/^## /p' docs/architecture.md |
    grep -oE '^\| `[a-z_]+/`' | grep -oE '[a-z_]+')
if [ ${#layers[@]} -eq 0 ]; then
    echo "check_layers: no layers table in docs/architecture.md" >&2
    exit 1
fi

rank_of() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

failed=0
for folder in kanvo/*/; do
    name=$(basename "$folder")
    if [ "$(rank_of "$name")" -lt 0 ]; then
        echo "check_layers: kanvo/$name/ is not in the layers table" >&2
        failed=1
    fi
done

while IFS= read -r file; do
    from=$(basename "$(dirname "$file")")
    from_rank=$(rank_of "$from")
    while IFS=: read -r line include; do
        # Resolve the include against the file's folder, as the compiler does.
        target=$(realpath -m --relative-to=kanvo "$(dirname "$file")/$include")
        case "$target" in
            kanvo.h) continue ;;
            */*) to=${target%%/*} ;;
            *)
                echo "$file:$line: includes $include, outside the layer folders" >&2
                failed=1
                continue
                ;;
        esac
        to_rank=$(rank_of "$to")
        if [ "$to_rank" -lt 0 ] || [ "$to_rank" -gt "$from_rank" ]; then
            echo "$file:$line: $from/ includes $include, from the higher layer $to/" >&2
            failed=1
        fi
    done < <(grep -noE '^#include "[^"]+"' "$file" | sed -E 's/^([0-9]+):#include "(.*)"$/\1:\2/')
done < <(find kanvo -mindepth 2 -name '*.h' -o -mindepth 2 -name '*.cpp' | sort)

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "check_layers: every include in kanvo/ runs to the same layer or a lower one (${layers[*]})"
