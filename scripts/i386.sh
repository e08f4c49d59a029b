# Sourced by the scripts: whether 32-bit x86 code runs on this machine, and
# how the 32-bit Windows programs are run.
#
# Some kernels run no 32-bit code at all (their IA-32 emulation is off: an
# i386 program fails with "Exec format error"). There the 32-bit Wine runs
# under qemu-i386, registered for i386 programs in a binfmt_misc of a private
# user and mount namespace, which registers nothing on the machine itself
# and ends with the namespace (kernel 6.7 or later).
#
# I386_ROAD tells which road the 32-bit programs take:
#   native    the kernel runs them
#   emulated  qemu-i386 in a private namespace (TAVI_EMULATE_32BIT=1 takes
#             this road on a kernel that runs 32-bit code too)
TAVI_QEMU_I386=${TAVI_QEMU_I386:-/usr/bin/qemu-i386}

# The smallest i386 program: exit(0).
I386_PROBE_BYTES='\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200'

# Whether an i386 program runs here and now: natively, or through an
# emulator registered in this namespace.
i386_code_runs() {
  local probe status
  probe=$(mktemp)
  # shellcheck disable=SC2059 # the bytes are the format
  printf "$I386_PROBE_BYTES" >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null && status=0 || status=1
  rm -f "$probe"
  return "$status"
}

if [ -z "${I386_ROAD:-}" ]; then
  if [ "${TAVI_EMULATE_32BIT:-0}" != 1 ] && i386_code_runs; then
    I386_ROAD=native
  else
    I386_ROAD=emulated
  fi
  export I386_ROAD
fi

# The binfmt_misc rule that hands i386 ELF programs to qemu-i386: its magic
# and mask are the ELF header of an i386 executable; F opens the emulator
# now, so it is found inside any later mount namespace; P keeps argv[0].
i386_binfmt_rule() {
  printf ':qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:%s:FP' \
    "$TAVI_QEMU_I386"
}

# Why the emulated road cannot be taken here, or nothing when it can.
i386_emulation_missing() {
  if [ ! -x "$TAVI_QEMU_I386" ]; then
    echo "qemu-i386 is not installed ($TAVI_QEMU_I386)"
  elif ! i386_run true 2>/dev/null; then
    echo "this kernel gives no binfmt_misc of its own to a user namespace (it needs Linux 6.7 or later with user namespaces)"
  fi
}

# i386_run COMMAND...: runs the command where 32-bit programs run: as it is
# on the native road, else in a private user, mount and process namespace
# whose own binfmt_misc hands them to qemu-i386. Every process started in
# the namespace ends with it.
i386_run() {
  if [ "$I386_ROAD" = native ]; then
    "$@"
    return
  fi
  local mount_point
  mount_point=$(mktemp -d)
  local status=0
  unshare --user --map-root-user --mount --pid --fork --mount-proc --propagation private -- \
    bash -c 'mount -t binfmt_misc binfmt_misc "$1" && printf "%s" "$2" >"$1/register" && shift 2 && exec "$@"' \
    i386_run "$mount_point" "$(i386_binfmt_rule)" "$@" || status=$?
  rmdir "$mount_point" 2>/dev/null || true
  return "$status"
}
