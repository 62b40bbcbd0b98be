# plugin: testplugin.dll
# options: --old-host
# A host older than version 5 answers IPC_GET_EMBEDIF with 0: the test plug-in says so in a
# box owned by the host main window and fails Init.
answer OK
init
quit
