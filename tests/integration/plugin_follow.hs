# The highlight follows the time tags second by second (3 header lines come first).
# follow.lrc: Zero 0:00 (line 3), Two 0:02 (4), Five a 0:05 (5), Five b 0:05 (6), Four 0:04 (7),
# Plain (8), Eight 0:08 (9). Sorted, the table holds Five b ahead of Five a, so Five a is the
# tag reached at 0:05.
file @DIR@\follow.lrc [00:00]Zero\n[00:02]Two\n[00:05]Five a\n[00:05]Five b\n[00:04]Four\nPlain\n[00:08]Eight\n
# Zero later 0:00 (line 4) on the second lyric line, Two first 0:02 (3).
file @DIR@\late0.lrc [00:02]Two first\n[00:00]Zero later\n
# Three 0:03 (line 3), Five 0:05 (4).
file @DIR@\late.lrc [00:03]Three\n[00:05]Five\n
song @DIR@\follow.ogg Follow
song @DIR@\late0.ogg Late Zero
song @DIR@\late.ogg Late
song @DIR@\none.ogg None
select 0
init
# A 0:00 tag on the first lyric line holds it through second 0 (three calls).
play
run 25
run 50
dump
# 0:02 reaches Two, 0:04 Four, 0:05 the later of the two 0:05 tags in the table: Five a.
run 1950
dump
run 2000
dump
run 1000
dump
# A line picked by hand stays while the tag reached does not change (0:06), until 0:08.
key DOWN
run 1000
dump
run 2000
dump
# Stopped: every call puts the selection back on line 0, also after END picked the last line.
stop
run 25
dump
key END
run 25
dump
# F3: MoveBar off, the selection stays where END put it while playing; on again, it follows
# at the next second (0:07, Five a).
key F3
play
seek 6000
key END
run 1000
dump
key F3
run 25
dump
# A 0:00 tag on a later line: the first call of second 0 selects it, the next ones line 0, and
# it comes back at second 1.
stop
select 1
run 25
play
run 25
dump
run 25
dump
run 1000
dump
# Before the first tag: line 0, once; then the user may move the selection freely.
stop
select 2
run 25
play
seek 3500
run 25
dump
seek 1000
run 25
dump
key DOWN
run 500
dump
# No lyrics, no tags: a line picked by hand goes back to line 0 during second 0 only.
stop
select 3
run 25
play
key DOWN
run 25
dump
seek 3000
key DOWN
run 500
dump
quit
