# With AdjustWidth on, every load fits the frame to the widest line: at least the 250-pixel
# floor plus a scroll-bar arrow and the frame's borders, wider for a long line, and narrow again
# for a song with short lines. The lyrics come from the alternative folder, so that the songs'
# path lines (their header's second line, a point smaller than the title) are always the same.
# A song gets the same width whichever song came before it, the first one included: its long
# path line counts at the size it is drawn in.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nAdjustWidth=1\nAlternativeLRCPath=@DIR@\n
file @DIR@\wide.lrc [00:01]This line is rather long, much longer than the two hundred and fifty pixels\n
file @DIR@\short.lrc [00:01]Short\n
file @DIR@\and-a-song-file-name-that-is-long-too.lrc [00:01]Short\n
song Z:\music\a-folder-with-a-rather-long-name\and-a-song-file-name-that-is-long-too.ogg Path
song Z:\music\short.ogg Short
song Z:\music\wide.ogg Wide
select 0
init
rect frame
select 1
run 25
rect frame
select 0
run 25
rect frame
select 2
run 25
rect frame
rect 1031
quit
