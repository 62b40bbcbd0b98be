# Config from the host's preferences while the plug-in is not running: the settings are read from
# plugin.ini first, the dialog shows them, and nothing reaches the file afterwards even with OK.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nShowMenu=0\nFontSize=12\nFontWeight=700\nFontItalic=1\n
dialog checked 1004
dialog checked 1010
dialog text 1308
dialog press 1004
dialog press 1010
answer OK
config
cat @DIR@\plugin.ini
quit
