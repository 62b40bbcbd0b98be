# The folder browser from "..." with no folder chosen yet opens at drive C, selected and with OK
# enabled. "Network Neighborhood" cannot be chosen: OK goes off and the label empties. OK on a
# drive answers its root, ending with a backslash, which the dialog shows and plugin.ini keeps.
# The online server is one on this machine, as in every test (nothing is asked here).
file @DIR@\plugin.ini [Maresh Zor Lyrics plugin]\nOnlineServer=http://127.0.0.1:1\n
init
dialog press 1028
dialog text 1516
dialog enabled 1
dialog select 1501 Network Neighborhood
dialog enabled 1
dialog text 1516
dialog select 1501 C:
dialog enabled 1
answer OK
dialog text 1027
answer OK
key F12
cat @DIR@\plugin.ini
quit
