# plugin: testplugin.dll
# exit: 2
# The whole script is checked before any of it runs: nothing is printed for the header line.
header
key NOSUCHKEY
