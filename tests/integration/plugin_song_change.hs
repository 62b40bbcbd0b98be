# A new playlist entry loads its lyrics; the selection index carries over to the new list when
# it has that line, else line 0 is selected (END picked alpha's line 6, beta ends at 5). A
# caption that shows a song ("-") but not the entry's title is not trusted: no load, the old
# lyrics keep following playback. An entry without a file changes nothing.
file @DIR@\alpha.lrc [00:01]Alpha one\n[00:02]Alpha two\n[00:03]Alpha three\n[00:04]Alpha four\n
file @DIR@\beta.lrc [00:01]Beta one\n[00:02]Beta two\n[00:03]Beta three\n
song @DIR@\alpha.ogg Alpha
song @DIR@\beta.ogg Beta
select 0
init
key END
select 1
run 25
dump
# Entry 0 again, but the caption names another song: alpha is not loaded, beta follows the clock.
select 0
caption 9. Some Other Song - Winamp
play
seek 2000
run 25
dump
# A caption without "-" is trusted again: alpha loads.
caption Winamp
run 25
dump
# A caption that holds the title is trusted: beta loads.
select 1
caption 2. Beta - Winamp
run 25
dump
# No file for the entry: beta stays, and follows the clock.
select 7
seek 3000
run 25
dump
# In time-tag edit mode a new song asks about unsaved changes; Cancel drops them, the lyrics
# list comes back with the old lines, and the next call loads the new song.
stop
key F9
play
key INSERT
select 0
answer Cancel
run 25
dump
run 25
dump
quit
