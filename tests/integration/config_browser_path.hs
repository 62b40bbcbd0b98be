# A start path whose middle folder is gone: "gone" is skipped and "lyrics" in the folder above
# it opens and ends selected. OK puts that folder (with its final backslash) into the dialog, and
# closing the dialog reloads the lyrics, now found in the new folder. plugin.ini keeps it: the
# next start shows it in the dialog. The song lies in a folder of its own, so the "lyrics" folder
# is not the one beside it (which the lookup tries by itself).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nAlternativeLRCPath=@DIR@\gone\lyrics\\n
file @DIR@\lyrics\Song.lrc [00:01]Found in the chosen folder\n[00:03]Second line\n
song @DIR@\music\Song.mp3 Song
select 0
init
dump
dialog text 1027
dialog press 1028
dialog text 1516
dialog enabled 1
answer OK
dialog text 1027
answer OK
key F12
dump
quit
init
dialog text 1027
answer Cancel
key F12
quit
