# Lyrics inside songs that TagLib reads and stores. A FLAC song shows the timed lyrics of its
# LYRICS comment (I.T.L). An MP3 whose ID3v2.4 tag holds only synchronised lyrics shows them as
# timed lines; saved with CTRL+S and "Yes" they go into a lyrics frame and read back, and the
# tag keeps its version and every other frame (checked byte for byte afterwards).
song @DIR@\flac-lyrics.flac Flac Song
song @DIR@\tagged-v24.mp3 V24 Song
select 0
init
dump
select 1
run 25
dump
answer Yes
key S+CTRL
run 5
dump
quit
