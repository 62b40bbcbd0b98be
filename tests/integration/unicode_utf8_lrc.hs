# A UTF-8 LRC shows exactly what it holds: accents, Cyrillic, CJK and a character beyond the
# basic plane, each as the one character it is, and a byte-order mark is never shown. The bar
# follows the tags as in any other file. The host's song information comes in UTF-16 too.
file @DIR@\Mixed.lrc [ti:Mixed]\n[00:01]naïve café\n[00:02]歌詞 line\n[00:03]Песня о ветре\n[00:04]𝄞 clef\n
file @DIR@\Marked.lrc ﻿[00:01]first line\n[00:02]second line\n
song @DIR@\Mixed.mp3 Mixed – Ünïcode 歌
song @DIR@\Marked.mp3 Marked
meta @DIR@\Marked.mp3 Title Ⅻ Marked 歌
meta @DIR@\Marked.mp3 Artist Группа
select 0
init
dump
play
seek 2000
run 50
dump
select 1
run 25
dump
quit
