# A song in a folder and with a name outside the ANSI code page: the host's wide answer finds
# it, its UTF-8 lyrics show, and CTRL+S writes the edited LRC beside it, still UTF-8 without a
# byte-order mark, with every character kept.
file @DIR@\Музыка\歌詞_Песня.lrc [00:01]Первая строка\n[00:03]第二行\nno tag here\n
song @DIR@\Музыка\歌詞_Песня.mp3 Песня
select 0
init
dump
play
seek 5000
run 25
key F9
key END
key INSERT
dump
answer No
key S+CTRL
dump
cat @DIR@\Музыка\歌詞_Песня.lrc
shot @DIR@\unicode-path.bmp
quit
