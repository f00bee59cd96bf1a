# 20,000 empty files in 100 folders for preview_window_test.exe, made with
# Linux tools: through Wine they would take many seconds.
set -eu
for d in $(seq -w 0 99); do
  mkdir -p "big/d$d"
  (cd "big/d$d" && seq -f 'f%g.txt' 0 199 | xargs touch)
done
