# While the user has closed (hidden) the frame, nothing is shown and a new song is not loaded;
# it loads at the first call after the host shows the frame again. Playback meanwhile does not
# move the selection.
file @DIR@\first.lrc [00:01]First one\n[00:02]First two\n
file @DIR@\second.lrc [00:01]Second one\n[00:02]Second two\n
song @DIR@\first.ogg First
song @DIR@\second.ogg Second
select 0
init
closeframe
rect frame
select 1
play
seek 2000
run 50
showframe
rect frame
dump
run 25
dump
run 25
dump
quit
