# Saving into MP3s whose lyrics come from a Lyrics3 v2 tag (with and without its IND field) ahead
# of an ID3v1 tag: the store goes into the ID3v2 lyrics frame, the next load shows it, and storing
# the same lines again is a success too.
song @DIR@\lyrics3-ind.mp3 Indexed
song @DIR@\lyrics3-plain.mp3 Plain
select 0
init
dump
key F9
key INSERT
answer Yes
key S+CTRL
dump
answer Yes
key S+CTRL
key F9
dump
select 1
run 25
dump
key F9
key INSERT
answer Yes
key S+CTRL
dump
answer Yes
key S+CTRL
key F9
dump
quit
