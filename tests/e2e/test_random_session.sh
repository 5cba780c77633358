#!/bin/bash
# A seeded random play session on the demo content (see session.py); E2E_SEED
# repeats one, E2E_STEPS sets its length. The seed is printed on failure.
source "$(dirname "$0")/lib.sh"
demo "$work/demo"
decode "$work/demo/velmorea.pi1" "$work/title.ppm"
decode "$work/demo/qiratex1.pi1" "$work/select.ppm"
for f in "$work"/demo/*.dat; do # each set's background, its file's second line
  decode "$work/demo/$(grep -v '^[[:space:]]*$' "$f" | sed -n 2p)" "$work/bg-${f##*/}.ppm"
done
start_x
cd "$work" && python3 "$E2E_DIR/session.py" "$work/demo" "$work" "${E2E_SEED:-$RANDOM$RANDOM}" \
  "${E2E_STEPS:-200}" "$(credit_line)"
