#!/usr/bin/env bash
# The core is reached through its own interfaces in lyrics/ports/ and never reaches up into the
# Windows-side folders; only the Win32 halves of its platform interfaces see <windows.h>.
#
#   check-core-includes.sh SOURCE_DIR
set -uo pipefail
cd "${1:?usage: check-core-includes.sh SOURCE_DIR}" || exit 2
status=0
upward=$(grep -rnE '#include +"(host|config|diag|display|commands|framework)/' lyrics)
if [ -n "$upward" ]; then
    echo "files of lyrics/ include headers of the Windows-side folders:"
    echo "$upward"
    status=1
fi
windows=$(grep -rlE '#include +<windows\.h>' lyrics | grep -vE '/(Win32[^/]*\.cpp|WideText\.h)$')
if [ -n "$windows" ]; then
    echo "portable files of lyrics/ include <windows.h>:"
    echo "$windows"
    status=1
fi
[ "$status" -ne 0 ] || echo "lyrics/ includes only its own and portable headers"
exit "$status"
