#!/usr/bin/env bash
# The program opens libGL and libGLU at run time: it must not be linked against either.
set -euo pipefail
program=$1
libs=$(ldd "$program")
if grep -Eq 'lib(GL|GLU|OpenGL|GLX|EGL)\.so' <<<"$libs"; then
  echo "the program links a GL library directly:" >&2
  grep -E 'lib(GL|GLU|OpenGL|GLX|EGL)\.so' <<<"$libs" >&2
  exit 1
fi
echo "no GL library linked"
# A direct call would show as an undefined gl*/glu* symbol.
if nm -D --undefined-only "$program" | grep -Eq ' (gl|glu)[A-Z][A-Za-z0-9]*$'; then
  echo "the program calls GL functions directly:" >&2
  nm -D --undefined-only "$program" | grep -E ' (gl|glu)[A-Z]' >&2
  exit 1
fi
