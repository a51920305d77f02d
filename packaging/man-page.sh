#!/usr/bin/env bash
# A manual page from a program's own --help, so that the two cannot drift apart:
#   man-page.sh PROGRAM NAME SUMMARY [SUBCOMMAND...]
# The help texts are kept as they are (preformatted); each subcommand's help is a section.
set -euo pipefail
program=$1 name=$2 summary=$3
shift 3

# Backslashes, and a leading dot or quote, would be read as requests.
roff() { sed -e 's/\\/\\e/g' -e 's/^\./\\\&./' -e "s/^'/\\\\\\&'/"; }

version=$("$program" --version | awk '{ print $NF }')
echo ".TH ${name^^} 1 \"\" \"$name $version\" \"User Commands\""
echo ".SH NAME"
echo "$name \\- $summary"
echo ".SH DESCRIPTION"
echo ".nf"
"$program" --help | roff
echo ".fi"
if [ $# -gt 0 ]; then
  echo ".SH COMMANDS"
  for command in "$@"; do
    echo ".SS $command"
    echo ".nf"
    # The footer every subcommand repeats is the description's already.
    "$program" "$command" --help | sed '/^Exit status:/,$d' | roff
    echo ".fi"
  done
fi
echo ".SH SEE ALSO"
for other in userdb userdb-gui userdb-sim; do
  [ "$other" = "$name" ] || echo ".BR $other (1)"
done
