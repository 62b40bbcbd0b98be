# plugin: testplugin.dll
# The count of GDI objects the plug-in created and has not deleted: its background brush after
# Init, six more objects (pen, brush, font, bitmap, region, memory DC), back to the brush after
# they are deleted (one of them twice, which must not count twice), none after Quit.
gdi
init
gdi
key G
gdi
key H
gdi
quit
gdi
