#!/usr/bin/env bash
# Fails naming every Windows program that carries the C++ library's exception
# runtime again: a throw, a typeid or a library call that reaches the
# library's own operator new or error helpers brings back its terminate
# handler, whose messages are a sure sign of the rest (unwinder, exception
# classes, demangler) and of most of a small program's size. The library's
# messages to its error helpers ("basic_string::_M_create"...) must be gone
# too (platform/win32/library_messages.h): a copy of each in every file.
# (Some names still reach the helpers as plain arguments, "basic_string::
# replace" for one; "basic_string::_M_create" never does.)
#
# usage: check_no_exception_runtime.sh IMAGE...
# Exit 77 (skipped) when an image has not been built.
set -euo pipefail

for image in "$@"; do
  [[ -f $image ]] || { echo "not built: $image; run scripts/build first"; exit 77; }
done

# The terminate handler's messages and the name bad_alloc's what() returns.
carriers=$(grep -laE "terminate called|std::bad_alloc" "$@" || true)
if [[ -n $carriers ]]; then
  echo "FAIL these programs hold the C++ library's terminate handler or exception classes:"
  echo "$carriers"
  exit 1
fi
messages=$(grep -la "basic_string::_M_create" "$@" || true)
if [[ -n $messages ]]; then
  echo "FAIL these programs hold the C++ library's error messages:"
  echo "$messages"
  exit 1
fi
echo "ok   none of the $# programs holds the C++ library's exception runtime or its messages"
