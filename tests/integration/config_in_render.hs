# A refresh asked for while a render call is in progress is kept for the next call. The host
# calls Config while it answers the first request of a render call, so the dialog runs inside
# that call (on the plug-in window's thread); the font it takes and its closing ask for the
# lyrics to be loaded anew. The lyrics file changed on disk before: the render call that runs
# the dialog keeps the old lines, the next one loads the new.
file @DIR@\a.lrc [00:01]Old line\n
song @DIR@\a.ogg A
select 0
init
file @DIR@\a.lrc [00:01]New line\n
dialog click 1308
answer OK
answer OK
config-in-render
dump
run 25
dump
quit
