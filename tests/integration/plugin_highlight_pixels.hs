# The highlight bar on screen: the selected line is filled with HLColor and written in
# HLTXTColor, the other lines are written in TXTColor on BKColor, and the toolbar strip shows
# BKWindowColor between its buttons (plugin_highlight_pixels.check.sh reads the picture).
# Colours: BKColor rgb(16,32,48), HLColor rgb(200,30,40), HLTXTColor rgb(255,255,0), TXTColor
# rgb(0,255,0), BKWindowColor rgb(90,60,30).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nBKColor=3153936\nHLColor=2629320\nHLTXTColor=65535\nTXTColor=65280\nBKWindowColor=1981530\n
file @DIR@\pixels.lrc [00:01]A first line of some width\n[00:02]The highlighted line\n[00:03]A third line after it\n
song @DIR@\pixels.ogg Pixels
select 0
init
key DOWN
key DOWN
key DOWN
key DOWN
rect 1031
rect 1310
dump
shot @DIR@\frame.bmp
quit
