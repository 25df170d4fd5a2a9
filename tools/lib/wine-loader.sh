# Sourced by the tools that run Windows programs: finds out, in one place,
# whether this machine runs 32-bit programs under Wine, and which Wine
# loader to use.
#
# Some machines run no 32-bit code at all: their kernel answers every i386
# exec with ENOEXEC ("IA-32 emulation off"). There Debian's wine wrappers,
# which pick the 32-bit loader whenever wine32 is installed, fail even for
# 64-bit programs; the 64-bit loader, run directly, still runs 64-bit ones.
#
# swl_wine_detect sets
#   SWL_RUNS_32BIT   1 when 32-bit programs run natively, else 0
#   SWL_NO_32BIT_WHY why they do not (empty when they do)
#   SWL_WINE         the command that runs a Windows program
#   SWL_WINESERVER   the matching wineserver
# and exports WINELOADER for the 64-bit loader when that is the one to use.
# All are exported, and a tool started by one that has asked takes the same
# answer instead of asking again.
#
# SWL_NO_32BIT=1 forces the answer "no", so that the 64-bit-only path can be
# tried on a machine that could run both.

SWL_WINE32_LOADER=/usr/lib/wine/wine
SWL_WINE64_LOADER=/usr/lib/wine/wine64
SWL_BINFMT_DIR=/proc/sys/fs/binfmt_misc

# The binfmt_misc entries that hand i386 ELF programs to an emulator: an
# enabled magic entry for a 32-bit little-endian ELF header whose machine
# field is 3 (i386). With one in place the kernel never tries the program
# natively, so the loader would "work" through the emulator.
swl_i386_emulator_entries() {
  local entry
  [[ -d $SWL_BINFMT_DIR ]] || return 0
  for entry in "$SWL_BINFMT_DIR"/*; do
    [[ -f $entry ]] || continue
    case ${entry##*/} in register | status) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null || continue
    # "magic 7f454c4601010100000000000000000002000300": ELF, 32-bit, LSB,
    # ..., type EXEC (02 00), machine i386 (03 00).
    grep -qE '^magic 7f454c460101.{20}0[23]000300' "$entry" 2>/dev/null && echo "$entry"
  done
  return 0
}

# Runs the 32-bit loader with the emulator entries switched off for the
# moment of the probe (root only), so the answer is about this machine's own
# processor and kernel. Prints the loader's complaint when it fails.
swl_probe_native_32bit() {
  local entries=() entry status=0 out
  mapfile -t entries < <(swl_i386_emulator_entries)
  if [[ ${#entries[@]} -gt 0 ]]; then
    if [[ $(id -u) -ne 0 ]]; then
      echo "an emulator is registered for 32-bit programs, and only root can look past it"
      return 1
    fi
    for entry in "${entries[@]}"; do echo 0 >"$entry"; done
  fi
  out=$("$SWL_WINE32_LOADER" --version 2>&1) || status=$?
  for entry in "${entries[@]}"; do echo 1 >"$entry"; done
  if [[ $status -ne 0 ]]; then
    # bash says "cannot execute binary file: Exec format error".
    echo "the 32-bit Wine loader does not start: ${out##*: }"
    return 1
  fi
  return 0
}

swl_wine_detect() {
  export SWL_RUNS_32BIT SWL_NO_32BIT_WHY SWL_WINE SWL_WINESERVER
  if [[ -n ${SWL_WINE:-} && -n ${SWL_RUNS_32BIT:-} ]]; then
    [[ $SWL_RUNS_32BIT == 1 ]] || export WINELOADER=$SWL_WINE64_LOADER
    return 0
  fi
  SWL_RUNS_32BIT=0
  SWL_NO_32BIT_WHY=
  if [[ ${SWL_NO_32BIT:-0} == 1 ]]; then
    SWL_NO_32BIT_WHY="SWL_NO_32BIT=1 asks for the 64-bit-only path"
  elif [[ ! -x $SWL_WINE32_LOADER ]]; then
    SWL_NO_32BIT_WHY="wine32 is not installed ($SWL_WINE32_LOADER is missing)"
  elif ! SWL_NO_32BIT_WHY=$(swl_probe_native_32bit); then
    :
  else
    SWL_RUNS_32BIT=1
    SWL_NO_32BIT_WHY=
  fi
  if [[ $SWL_RUNS_32BIT == 1 ]]; then
    # Debian's wrappers: they pick the 32-bit loader, which runs both widths.
    SWL_WINE=wine
    SWL_WINESERVER=wineserver
  else
    SWL_WINE=$SWL_WINE64_LOADER
    SWL_WINESERVER=/usr/lib/wine/wineserver64
    export WINELOADER=$SWL_WINE64_LOADER
  fi
}

# True when the file is a 32-bit (PE32) Windows program: the "PE\0\0"
# header's optional-header magic is 0x10b.
swl_is_pe32() {
  local offset magic
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [[ -n $offset ]] || return 1
  magic=$(od -An -tx2 -j$((offset + 24)) -N2 "$1" 2>/dev/null | tr -d ' ')
  [[ $magic == 010b ]]
}
