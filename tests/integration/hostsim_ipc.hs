# plugin: testplugin.dll
# The host's answers to the plug-in's requests, as the test plug-in lists them on each render:
# playlist file and title (a title defaults to the file name), metadata (keys without regard to
# case, no VALUE answered with an empty text, a key not given unanswered), the caption rule,
# and the simulated clock (runs only while playing, -1 when stopped, steps of delayMs = 40).
song Z:\music\one.mp3 First Song
song Z:\music\two.mp3
meta Z:\music\two.mp3 Artist Some Band
meta Z:\MUSIC\TWO.MP3 TITLE
meta Z:\music\one.mp3 Artist Nobody
init
# Nothing selected yet: entry 0, caption without a song, stopped.
run 10
dump
select 1
play
# 40 + 40 + 20 ms: three render calls.
run 100
dump
pause
run 80
dump
seek 5000
caption 7. Another Title - Winamp
run 1
dump
stop
run 40
dump
# A position past the playlist: no file, no title, and the caption without a song.
select 5
run 40
dump
quit
