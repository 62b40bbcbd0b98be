# F9 and F4 show and save only the lines of the song that plays. A song change not yet loaded
# when the key comes is loaded first; a song the host's caption does not confirm is refused with a
# message, and the display stays.
file @DIR@\alpha.lrc [00:01]Alpha line\n
file @DIR@\beta.lrc [00:01]Beta line\n
file @DIR@\gamma.lrc [00:01]Gamma line\n
song @DIR@\alpha.ogg Alpha
song @DIR@\beta.ogg Beta
song @DIR@\gamma.ogg Gamma
select 0
init
key F9
key F9
# The next song is selected and no render call has loaded it yet.
select 1
key F9
dump
key F9
select 2
dialog text 1025
answer Cancel
key F4
# The caption names another song than the entry: the entry is not trusted to be playing.
select 0
caption 7. Some Other Song - Winamp
run 25
answer OK
key F9
dump
answer OK
key F4
answer OK
key S+CTRL
cat @DIR@\gamma.lrc
dump
quit
