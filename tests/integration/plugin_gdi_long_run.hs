# Ten simulated minutes of playback with song changes, the mode switch, one-line mode and
# the layout and display toggles: the GDI objects the plug-in holds after each minute are those
# it held after Init, and none are left after Quit.
file @DIR@\gdi-a.lrc [00:01]First tagged line\n[00:20]Second tagged line\n[00:40]A rather longer third line that is wider than two hundred and fifty pixels\n
file @DIR@\gdi-b.txt A plain line\nAnother plain line\n
song @DIR@\gdi-a.ogg Tagged
song @DIR@\gdi-b.ogg Plain
song @DIR@\gdi-c.ogg Nothing
select 0
gdi
init
gdi
play
# minute 1 (with a look at the edit mode F9 brings)
select 0
run 20000
key F9
dump
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 2
select 1
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 3
select 2
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 4
select 0
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 5
select 1
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 6
select 2
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 7
select 0
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 8
select 1
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 9
select 2
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
# minute 10
select 0
run 20000
key F9
key F9
key F8
run 10000
key F8
key F2
key F2
key F2+SHIFT
key F2+SHIFT
key F11
key F11
key F7
run 10000
key F7
key F7+SHIFT
key F7+SHIFT
gdi
quit
gdi
