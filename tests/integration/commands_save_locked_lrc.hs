# Saving onto an LRC file that another program holds open (sharing read only): the new lines are
# written beside it in full, only putting them in its place fails. Without an alternative folder
# the user is asked to configure one and the file keeps its lines; with one, the lines go there
# and later saves of the song follow them.
file @DIR@\music\held.lrc [00:01]Old line\n
song @DIR@\music\held.wav Held
select 0
init
key F9
key INSERT
hold @DIR@\music\held.lrc read
answer OK
key S+CTRL
hold @DIR@\music\held.lrc off
cat @DIR@\music\held.lrc
answer No
key F9
quit
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nAlternativeLRCPath=@DIR@\alt\n
# The alternative folder exists.
file @DIR@\alt\keep.txt kept
init
key F9
key INSERT
hold @DIR@\music\held.lrc read
key S+CTRL
key INSERT
key S+CTRL
hold @DIR@\music\held.lrc off
cat @DIR@\music\held.lrc
cat @DIR@\alt\held.LRC
quit
