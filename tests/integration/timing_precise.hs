# Precise timing (PreciseTiming=1): the highlight moves at the tag's millisecond, INSERT stamps
# hundredths, "]" and "[" nudge the song's timing by 0.1 s (the title strip says so), CTRL+S
# writes the adjustment as [offset:], and RETURN seeks to the exact millisecond.
# timing.lrc, display lines 3-5: One 1.00, Two 7.50, Three 20.00.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nPreciseTiming=1\n
file @DIR@\timing.lrc [00:01.00]One\n[00:07.50]Two\n[00:20.00]Three\n
song @DIR@\timing.ogg Timing
select 0
init
play
# 7.49 s: still One; 7.51 s: Two.
seek 7465
run 25
dump
run 20
dump
# Edit mode: INSERT at 75.4 s stamps [01:15.40] on the selected line; leaving without saving.
key F9
key UP
seek 75375
run 25
key INSERT
dump
answer No
key F9
# 19.89 s: Two. "]" twice shows the lyrics 0.2 s earlier: Three. "[" once: Two again.
seek 19865
run 25
dump
key ]
dump
key ]
dump
key [
dump
key ]
# The title strip shows the adjustment ("offset +0.2 s"), then the title after two seconds.
grab @DIR@\notice.bmp
sleep 2100
run 25
grab @DIR@\title.bmp
# CTRL+S: the adjustment goes into the file as [offset:], and stays in effect through it. An OGG
# song could hold the lyrics itself; No keeps them in the LRC file.
answer No
key S+CTRL
cat @DIR@\timing.lrc
run 25
dump
# RETURN on Two: the jump lands where the highlight reaches it, 7.50 s less the 0.2 s offset.
key UP
key RETURN
quit
