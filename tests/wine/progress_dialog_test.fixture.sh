# Two trees of 1,200 small files in 30 folders for progress_dialog_test.exe,
# made with Linux tools: through Wine they would take seconds.
set -eu
for tree in shown hidden; do
  for d in $(seq -w 0 29); do
    mkdir -p "$tree/d$d"
    for f in $(seq 0 39); do printf 'small %s\n' "$f" > "$tree/d$d/f$f.txt"; done
  done
done
