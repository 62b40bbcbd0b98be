# Keys pressed in the lyrics list reach the host as the key table says. LEFT and RIGHT go to the
# host only; SHIFT+UP and SHIFT+DOWN are the host's volume, posted without SHIFT; UP and DOWN
# move the selection and tell the host nothing; releasing RETURN, an arrow, INSERT or DELETE
# sends nothing; a letter goes down and up to the host (SHIFT itself is such a key); INSERT and
# DELETE in display mode do nothing at all, S without CTRL only sends its release.
file @DIR@\keys.lrc [00:01]One\n[00:02]Two\n[00:03]Three\n
song @DIR@\keys.ogg Keys
select 0
init
key DOWN
key DOWN
key DOWN
dump
key LEFT
key RIGHT
key UP+SHIFT
key DOWN+SHIFT
dump
key UP
dump
key Q
key INSERT
key DELETE
key S
dump
# RETURN seeks (stopped: the host's Play command first); its release is not passed on.
key RETURN
quit
