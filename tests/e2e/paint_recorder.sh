#!/bin/sh
# Stands in for a Linux painting program in linux_paint_test.sh: appends its
# arguments, one a line, to painted.txt in its working folder.
printf '%s\n' "$@" >>painted.txt
