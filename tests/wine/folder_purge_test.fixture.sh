# Directory links for folder_purge_test.exe, made with Linux tools because
# Wine cannot make them itself. Relative links, so nothing points outside the
# scratch folder. Under Wine each shows as DIRECTORY|REPARSE_POINT.
set -eu
mkdir -p links/docs/sub links/hollow links/temp/sub
printf 'canary' > links/docs/canary.txt
printf 'inner' > links/docs/sub/inner.txt
printf 'a' > links/temp/a.txt
printf 'b' > links/temp/sub/b.txt
ln -s ../docs links/temp/docs_link
ln -s ../hollow links/temp/hollow_link
ln -s ../../docs links/temp/sub/again_link
