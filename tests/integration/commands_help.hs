# F1 and the question-mark button show the key help; in time-tag edit mode that button saves.
song @DIR@\commands-tagged.mp3 Commands
select 0
init
answer OK
key F1
answer Cancel
click 1238
# The button is the save button now: its question is the save's own.
key F9
answer Cancel
click 1238
dump
quit
