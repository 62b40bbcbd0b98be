# F8 and a double click on the frame shrink the frame to one lyric line (no bottom band, the
# selected line at the top of the list) and back to (3 header lines + 5) lines plus the 50-pixel
# band, whatever the height was before. A one-line frame is saved as such and comes back so.
# A frame the user sizes to within a pixel of one line counts as one-line; one sized away from
# it is saved as not one-line.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
file @DIR@\one.lrc [00:01]One\n[00:02]Two\n[00:03]Three\n[00:04]Four\n[00:05]Five\n[00:06]Six\n
song @DIR@\one.ogg One Line
select 0
init
rect frame
play
seek 4000
run 25
key F8
rect frame
rect 1031
rect 1310
dump
key F8
rect frame
rect 1031
rect 1310
dblclick frame
rect frame
dblclick frame
rect frame
key F8
quit
cat @DIR@\plugin.ini
init
rect frame
rect 1031
moveframe 50 50 600 41
key F8
rect frame
moveframe 50 50 600 42
key F8
rect frame
moveframe 50 50 600 200
quit
cat @DIR@\plugin.ini
