# F9 switches to time-tag edit mode and back, carrying the selection over: display line 4
# (Second line) is edit line 2, behind the [ti:] line that the display leaves out.
song @DIR@\commands-tagged.mp3 Commands
select 0
init
key F3
key DOWN
key DOWN
key DOWN
key DOWN
key F9
dump
# INSERT stamps the playback time on the selected line and moves on to the next.
play
seek 42500
key DOWN
key DOWN
key INSERT
dump
# Leaving with unsaved changes asks; Cancel stays in edit mode with the selection kept.
answer Cancel
key F9
dump
# CTRL+S saves: not into the MP3, so as the LRC beside the song, and reloads the edit list.
answer No
key S+CTRL
cat @DIR@\commands-tagged.lrc
dump
# Saved: leaving asks nothing. Edit line 3 is display line 5; the edit list's empty last line
# has no display line and lands on the last one.
key UP
key UP
key F9
dump
key F9
key END
key F9
dump
# CTRL+S in display mode passes through edit mode and ends in display mode, reloaded.
answer No
key S+CTRL
dump
quit
