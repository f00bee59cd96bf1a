#!/usr/bin/env bash
# Prints how many tests run at once by default: twice the cores, at most 8.
# A Wine test spends most of its time waiting for windows, timers and
# servers, so twice the cores keeps them busy without crowding them.
set -euo pipefail
cores=$(nproc)
echo $(( cores * 2 > 8 ? 8 : cores * 2 ))
