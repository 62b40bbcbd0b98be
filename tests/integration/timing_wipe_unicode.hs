# The wipe measures a UTF-8 line by its characters: "жжжжжжжжжж " (ten two-byte letters and a
# blank) is sung from 1 s to 3 s, so at 2 s the sung part ends about half way through the word
# (timing_wipe_unicode.check.sh measures the word on the line drawn plainly at 3.5 s). Counted in
# bytes, the wipe would reach the end of the word at 2 s already.
# Colours: BKColor rgb(16,32,48), HLColor rgb(200,30,40), HLTXTColor rgb(255,255,0), TXTColor
# rgb(0,255,0).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nPreciseTiming=1\nShowCentered=0\nBKColor=3153936\nHLColor=2629320\nHLTXTColor=65535\nTXTColor=65280\n
file @DIR@\wipe.lrc [00:01.00]<00:01.00>жжжжжжжжжж <00:03.00>ёж <00:03.20>\n[00:03.30]Другая строка\n
song @DIR@\wipe.ogg Wipe
select 0
init
rect 1031
play
seek 1975
run 25
dump
shot @DIR@\half.bmp
seek 3475
run 25
dump
shot @DIR@\plain.bmp
quit
