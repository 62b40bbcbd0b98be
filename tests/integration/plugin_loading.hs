# What a song brings up under the header: an LRC beside it with its time tags (E.T.L), a TXT
# (E.L), nothing at all ("Lyrics unavailable"). An LRC beats a TXT of the same name; an OGG song
# that is not there has nothing inside to read. Quit leaves plugin.ini with every setting, in
# order, after the one it held already.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
file @DIR@\music\tagged.lrc [ar:Nobody]\n[00:01]First tagged line\n[00:03]Second tagged line\n
file @DIR@\music\tagged.txt Never shown\n
file @DIR@\music\plain.TXT A plain line\n\nAfter a blank line\n
song @DIR@\music\tagged.ogg Tagged Song
song @DIR@\music\plain.ogg Plain Song
song @DIR@\music\none.ogg Silent Song
select 0
init
dump
select 1
run 25
dump
select 2
run 25
dump
quit
cat @DIR@\plugin.ini
