# By default (no PreciseTiming) only whole seconds count: a line tagged [00:07.50] is
# highlighted from 7.0 s on, [offset:] is ignored, "]" goes on to Winamp like any key the
# plug-in does not use, INSERT stamps whole seconds, and word tags are not shown.
file @DIR@\timing.lrc [offset:+900]\n[00:01.00]One\n[00:07.50]<00:07.50>Two <00:08.00>words\n[00:20.00]Three\n
song @DIR@\timing.ogg Timing
select 0
init
play
seek 6975
run 20
dump
run 10
dump
key ]
dump
key F9
key UP
seek 75375
run 25
key INSERT
dump
quit
