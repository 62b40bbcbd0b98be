# F12 opens the configuration dialog with its check boxes and fields as the settings stand
# (Precise timing unticked, latency 0, code page 0, the guess of the code page ticked, lines of the
# same time and the online search unticked) and the font summary of the default font.
# Unticking "Show menu (F2)" and pressing Cancel leaves ShowMenu alone; the same with OK turns it
# off, OK takes the latency and the code page fields and the online search together, and the
# save after the dialog writes them to plugin.ini.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
init
dialog checked 1002
dialog checked 1004
dialog checked 1003
dialog checked 1008
dialog checked 1007
dialog checked 1009
dialog checked 1010
dialog checked 1060
dialog checked 1062
dialog checked 1063
dialog checked 1064
dialog text 1061
dialog text 1308
dialog text 1027
dialog text 1029
dialog press 1004
dialog checked 1004
answer Cancel
key F12
cat @DIR@\plugin.ini
dialog checked 1004
dialog press 1004
dialog settext 1061 -250
dialog settext 1029 1251
dialog press 1064
answer OK
key F12
cat @DIR@\plugin.ini
quit
