# options: --old-host
# A host without the embed interface: Init says so in a box owned by the host main window and
# returns 1. Only the settings load ran (its three colour brushes stay until the library goes),
# and Quit afterwards saves nothing.
song @DIR@\old.ogg Old Host
select 0
answer OK
init
gdi
quit
gdi
cat @DIR@\plugin.ini
