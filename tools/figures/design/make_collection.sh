#!/bin/sh
# Rebuilds resources/figures.txt: the hand-made figures, centred, then generated
# figures up to 222, all sorted from easy to hard; then checks the result.
#   tools/figures/design/make_collection.sh [path of trigonet-figures]
# Run it from the repository's root after building the tool.
set -e
tool=${1:-build/trigonet-figures}
design=tools/figures/design
seed=20240611
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$design/handmade.py" > "$work/hand.txt"
"$tool" centre "$work/hand.txt" "$work/hand-centred.txt"
hand=$(grep -c ':' "$work/hand-centred.txt")
"$tool" generate "$seed" $((222 - hand)) "$work/hand-centred.txt" > "$work/generated.txt"
cat "$design/figures_header.txt" "$work/hand-centred.txt" "$work/generated.txt" > "$work/all.txt"
"$tool" order "$work/all.txt" resources/figures.txt > "$work/order.txt"
"$tool" build resources/figures.txt "$work/ftrg2.dat"
"$tool" check "$work/ftrg2.dat"
echo "$hand hand-made figures, $((222 - hand)) generated; resources/figures.txt rewritten"
