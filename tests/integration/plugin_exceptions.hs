# An allocation that fails inside the plug-in never reaches the host. The test seam makes the
# append of any line holding "zor-no-memory" throw std::bad_alloc. Inside a render call (the
# host's Render) and inside a command (F5 in the list's window procedure) the call is caught: the
# host carries on, and the plug-in keeps working with the next song and the next command.
env ZORLYRICS_TEST_FAIL_APPEND zor-no-memory
file @DIR@\good.lrc [00:01]Good one\n[00:02]Good two\n
file @DIR@\bad.lrc [00:01]Fine line\n[00:02]zor-no-memory here\n[00:03]Never shown\n
song @DIR@\good.ogg Good
song @DIR@\bad.ogg Bad
select 0
init
dump
select 1
run 50
dump
key F5
dump
select 0
run 25
dump
key F9
dump
key F9
key F5
dump
quit
