#!/usr/bin/env bash
# Source this: can this machine execute 32-bit x86 code? Some kernels refuse
# every 32-bit program ("exec format error"), so this is probed, not assumed.
#   vrx_runs_i686        true when a static i386 program runs here
#   vrx_i686_refusal     one line saying why the i686 build is not run

# The smallest static i386 ELF program: exit(42) through int 0x80. Written
# byte by byte so the probe needs no 32-bit toolchain or library.
vrx_runs_i686() {
  [ "$(uname -m)" = x86_64 ] || [ "$(uname -m)" = i686 ] || return 1
  local probe status=0
  probe=$(mktemp)
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'\
'\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'\
'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00'\
'\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

vrx_i686_refusal() {
  echo "this machine cannot execute 32-bit code (a static i386 program fails with 'exec format error'):" \
       "the i686 product is built but not run; tests run on x86_64 only"
}
