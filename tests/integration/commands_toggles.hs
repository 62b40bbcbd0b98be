# The display toggles and the selection moves of the keys. The lyrics list (1031), the
# oscilloscope pane (1033) and the toolbar (1310) share the 50-pixel band as F2 and SHIFT+F2 say.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
song @DIR@\commands-tagged.mp3 Commands
select 0
init
rect 1031
rect 1033
rect 1310
rect 1309
rect 1238
# SHIFT+F2 with both shown hides the oscilloscope only; the toolbar spans the full width.
key F2+SHIFT
rect 1033
rect 1310
# Pressed again it shows both.
key F2+SHIFT
rect 1033
rect 1310
# F2 hides the whole row; the lists fill the window.
key F2
rect 1031
rect 1033
rect 1310
# SHIFT+F2 brings back the toolbar and the oscilloscope.
key F2+SHIFT
rect 1031
rect 1033
rect 1310
# Without the oscilloscope, F2 off and on again keeps it away.
key F2+SHIFT
key F2
key F2
rect 1033
rect 1310
key F2+SHIFT
# F3: the highlight stays put while playing; switched on again it follows the song.
key F3
play
run 5000
dump
key F3
run 100
dump
stop
# END selects the last line; F the song's path line, and pressed again the title line.
key F3
key END
key F
dump
key F
dump
# SHIFT+UP is Winamp's volume: posted with the modifiers shown released, no selection move.
key END
key UP+SHIFT
dump
key F6
# F11, SHIFT+F7 and F7 change the lyrics list's settings, saved with the others at Quit.
key F11
key F7+SHIFT
key F7
quit
cat @DIR@\plugin.ini
