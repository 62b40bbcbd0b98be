# RETURN and a double click seek to the selected line. The lyrics (display lines 3-6): First line
# [00:02], Second line [00:04], Third line [00:30][01:30], Untagged line. F3 switches the
# highlight's movement off, so that the keys alone decide the selection.
song @DIR@\commands-tagged.mp3 Commands
select 0
init
key F3
play
seek 59000
# The title line starts the song over, tagged or not.
key RETURN
# An untagged line while playing: nothing is sent.
key END
key RETURN
# The tag nearest the playback time: 30 s at 0:59, 90 s at 1:01.
key UP
key RETURN
seek 61000
key RETURN
dblclick 1031
# Stopped: the host's Play command first, then the jump; to 0 s for an untagged line.
stop
key END
key RETURN
stop
key UP
key RETURN
dump
quit
