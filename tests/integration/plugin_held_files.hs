# Files other programs hold open. An LRC that an editor holds open for writing is skipped and the
# TXT beside it is read. Saving into an MP3 that the player holds open sharing read only cannot
# write it: the save says so and the song is left as it was.
file @DIR@\music\held.lrc [00:01]From the held LRC\n
file @DIR@\music\held.txt From the TXT\n
song @DIR@\music\held.ogg Held Song
select 0
hold @DIR@\music\held.lrc edit
init
dump
hold @DIR@\music\held.lrc off
song @DIR@\commands-tagged.mp3 Commands
select 1
run 25
dump
key F9
hold @DIR@\commands-tagged.mp3 read
answer Yes
answer OK
key S+CTRL
hold @DIR@\commands-tagged.mp3 off
dump
quit
