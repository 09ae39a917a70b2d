#!/usr/bin/env bash
# Exit status 0 when this machine can run 32-bit x86 programs (and so the
# 32-bit Wine that runs the shipped build). Some kernels are booted with
# 32-bit emulation off; the tests then run the x86_64 build under wine64.
/usr/lib/wine/wine --version >/dev/null 2>&1
