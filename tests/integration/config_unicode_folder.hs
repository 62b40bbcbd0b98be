# An alternative folder with a Cyrillic name is chosen in the folder browser, finds the lyrics
# there at once, and is kept across Quit and Init: plugin.ini holds it whole, so the next start
# shows it in the dialog and still finds the lyrics there.
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nAlternativeLRCPath=@DIR@\gone\\n
file @DIR@\Тексты\Song.lrc [00:01]Из выбранной папки\n
song @DIR@\Song.mp3 Song
select 0
init
dump
dialog press 1028
dialog select 1501 Тексты
dialog text 1516
answer OK
dialog text 1027
answer OK
key F12
dump
quit
init
dump
dialog text 1027
answer Cancel
key F12
quit
