# The code page for files that are neither marked nor UTF-8 is a field of the configuration
# dialog: 0 (the ANSI code page, Windows-1252 here) shows a Windows-1251 file as Latin letters;
# 1251 shows it as written, at once. A number that is no code page leaves the setting as it was.
# plugin.ini keeps it for the next start.
song @DIR@\cyrillic-1251.mp3 Song
select 0
init
dump
dialog text 1029
dialog settext 1029 1251
answer OK
key F12
dump
dialog settext 1029 99999
answer OK
key F12
dump
quit
init
dialog text 1029
answer Cancel
key F12
quit
