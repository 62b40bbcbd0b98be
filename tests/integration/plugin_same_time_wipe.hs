# A translated pair whose two lines both carry word tags, with precise timing and SameTimeLines
# on: each line of the pair is wiped by its own marks from the tag they share (the sung line's
# first word lasts two seconds, the translation's words half a second each), so at 5.25 s the two
# are sung to different places (plugin_same_time_wipe.check.sh reads the pictures). The selection
# stays the translation. With the wipes over, the GDI objects held are those held after Init.
# In one-line mode the pair, joined in one item, is highlighted whole.
# Colours: BKColor rgb(16,32,48), HLColor rgb(200,30,40), HLTXTColor rgb(255,255,0), TXTColor
# rgb(0,255,0).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nPreciseTiming=1\nSameTimeLines=1\nShowCentered=0\nBKColor=3153936\nHLColor=2629320\nHLTXTColor=65535\nTXTColor=65280\n
file @DIR@\pair.lrc [00:02.00]Before the pair\n[00:04.00]<00:04.00>Sing <00:06.00>along <00:07.00>with <00:08.00>me <00:08.50>\n[00:04.00]<00:04.00>Chante <00:04.50>avec <00:05.00>moi <00:05.50>ici <00:06.00>\n[00:09.00]The next line\n
song @DIR@\pair.ogg Pair
select 0
gdi
init
gdi
rect 1031
play
seek 4975
run 25
dump
shot @DIR@\at5.bmp
seek 5225
run 25
shot @DIR@\at5q.bmp
seek 5475
run 25
shot @DIR@\at5h.bmp
seek 5975
run 25
shot @DIR@\at6.bmp
seek 9475
run 25
dump
grab @DIR@\next.bmp
gdi
# One-line mode shows the pair joined in one item, highlighted whole: no wipe over it (grab takes
# the screen as the render calls left it, without a repaint).
seek 5225
run 25
key F8
run 25
rect 1031
grab @DIR@\joined.bmp
quit
gdi
