# Config from the host's preferences while the plug-in runs, eight times. Each time the host's
# main thread calls Config while the visualization thread keeps rendering and playing, and moves
# to the next song every 100 ms of playback; inside the dialog the font chooser is opened, the
# song changes and the font is taken. The dialog runs on the plug-in window's thread, so no
# render call ever runs on the main thread beside the visualization thread's ("overlap" would
# be printed and the run fail). The lists end on the song the last change reached, and
# plugin.ini holds the settings the dialog saved.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
file @DIR@\a.lrc [00:00]Song A one\n[00:01]Song A two\n
file @DIR@\b.lrc [00:00]Song B one\n[00:01]Song B two\n
file @DIR@\c.lrc [00:00]Song C one\n[00:01]Song C two\n
song @DIR@\a.ogg A
song @DIR@\b.ogg B
song @DIR@\c.ogg C
select 0
play
init
dialog click 1308
dialog song 0
answer OK
answer OK
config-live 200 100
dialog click 1308
dialog song 1
answer OK
answer OK
config-live 200 100
dialog click 1308
dialog song 2
answer OK
answer OK
config-live 200 100
dialog click 1308
dialog song 0
answer OK
answer OK
config-live 200 100
dialog click 1308
dialog song 1
answer OK
answer OK
config-live 200 100
dialog click 1308
dialog song 2
answer OK
answer OK
config-live 200 100
dialog click 1308
dialog song 0
answer OK
answer OK
config-live 200 100
dialog click 1308
dialog song 1
answer OK
answer OK
config-live 200 100
dump
cat @DIR@\plugin.ini
quit
