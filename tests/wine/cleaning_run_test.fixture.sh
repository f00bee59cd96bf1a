# A directory link inside the user entry's folder that points at a sibling
# folder holding a canary, made with Linux tools (Wine cannot make links).
set -eu
mkdir -p userdir/sub sibling/inner keep_target
printf 'canary' > keep_target/canary.txt
ln -s ../keep_target userdir/link_to_keep
