# The wipe of a word-timed line (PreciseTiming=1): at 1.5 s the first word is half sung, at
# 3.5 s three and a half words are; the sung part is drawn in the highlight colours, the rest in
# the normal ones (timing_wipe.check.sh compares the two pictures). A line without word tags is
# highlighted whole, as before.
# Colours: BKColor rgb(16,32,48), HLColor rgb(200,30,40), HLTXTColor rgb(255,255,0), TXTColor
# rgb(0,255,0).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nPreciseTiming=1\nShowCentered=0\nBKColor=3153936\nHLColor=2629320\nHLTXTColor=65535\nTXTColor=65280\n
file @DIR@\wipe.lrc [00:01.00]<00:01.00>Sing <00:02.00>along <00:03.00>with <00:04.00>me <00:05.00>\n[00:06.00]A plain line\n
song @DIR@\wipe.ogg Wipe
select 0
gdi
init
gdi
rect 1031
play
seek 1475
run 25
dump
shot @DIR@\early.bmp
seek 3475
run 25
shot @DIR@\late.bmp
seek 5475
run 25
shot @DIR@\sung.bmp
seek 6475
run 25
dump
shot @DIR@\plain.bmp
# With the wipe over, the GDI objects held are those held after Init; none after Quit.
gdi
quit
gdi
