# shellcheck shell=bash
# Sourced by setup, test, demo and bench: does this machine run 32-bit programs? Some kernels are
# booted with 32-bit emulation off, and then the 32-bit wine loader cannot start at all. The answer
# comes from running a 32-bit program, never from the kernel's version or flags.
#
#   machine_32bit_detect   sets ZOR_RUNS_32BIT (yes|no) and ZOR_32BIT_WHY (a few words)
#   ZOR_NO_32BIT=1         takes the no-32-bit way even where 32-bit programs run, so that the
#                          other machines' path is exercised here

# A 93-byte static i386 Linux program that only exits with status 0: one ELF header, one program
# header and the code of exit(0). Kept as text so that no compiler for 32-bit is needed to ask.
readonly MACHINE_32BIT_PROBE='f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAMdu4AQAAAM2A'

machine_32bit_detect() {
    if [ -n "${ZOR_RUNS_32BIT:-}" ]; then
        return 0  # asked once already in this run
    fi
    if [ "${ZOR_NO_32BIT:-0}" = 1 ]; then
        ZOR_RUNS_32BIT=no
        ZOR_32BIT_WHY="ZOR_NO_32BIT=1 forces the way of machines without it"
        export ZOR_RUNS_32BIT ZOR_32BIT_WHY
        return 0
    fi
    local probe output
    probe=$(mktemp /tmp/zor32probe.XXXXXX) || return 1
    base64 -d <<<"$MACHINE_32BIT_PROBE" >"$probe" && chmod +x "$probe"
    if output=$("$probe" 2>&1); then
        ZOR_RUNS_32BIT=yes
        ZOR_32BIT_WHY="a 32-bit test program ran"
    else
        ZOR_RUNS_32BIT=no
        if grep -q 'Exec format error' <<<"$output" &&
            grep -qs '32-bit emulation disabled' <(dmesg 2>/dev/null); then
            ZOR_32BIT_WHY="32-bit emulation is off in its kernel"
        elif grep -q 'Exec format error' <<<"$output"; then
            ZOR_32BIT_WHY="its kernel refuses 32-bit programs"
        else
            ZOR_32BIT_WHY="a 32-bit test program failed: ${output:-no output}"
        fi
    fi
    rm -f "$probe"
    export ZOR_RUNS_32BIT ZOR_32BIT_WHY
}

# One line for the log of a run: which way it goes and why. $1 says what the way means there.
machine_32bit_say() {
    local who=$1 with=$2 without=$3
    machine_32bit_detect
    if [ "$ZOR_RUNS_32BIT" = yes ]; then
        echo "$who: this machine runs 32-bit programs ($ZOR_32BIT_WHY): $with"
    else
        echo "$who: this machine runs no 32-bit programs ($ZOR_32BIT_WHY): $without"
    fi
}
