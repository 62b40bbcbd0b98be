# A translated file with SameTimeLines on: at 0:05 the sung line and its translation, which share
# the tag, are both drawn highlighted (plugin_same_time.check.sh reads the picture); the selection
# stays the line the tag rule picks, the translation. DOWN then moves the selection to the next
# line, and the pair is drawn plain at once (grab takes the screen as it is, without a repaint).
# At 0:08 the next line is highlighted alone.
# Colours: BKColor rgb(16,32,48), HLColor rgb(200,30,40), HLTXTColor rgb(255,255,0), TXTColor
# rgb(0,255,0).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nBKColor=3153936\nHLColor=2629320\nHLTXTColor=65535\nTXTColor=65280\nSameTimeLines=1\n
file @DIR@\pair.lrc [00:02]Before the pair\n[00:05]The sung line\n[00:05]Its translation\n[00:08]The next line\n
song @DIR@\pair.ogg Pair
select 0
init
play
run 5100
rect 1031
dump
shot @DIR@\pair.bmp
key DOWN
grab @DIR@\moved.bmp
run 3000
dump
grab @DIR@\next.bmp
quit
