# plugin: testplugin.dll
# exit: 1
# A box without a queued answer is closed after 5 s and printed as unanswered, which makes the
# exit status 1; the script goes on, and an answer that names no button of the box counts as
# unanswered too.
init
key O
answer OK
key O
answer Maybe
key O
dump
quit
