#!/usr/bin/env bash
# Prints what bash completion offers on a trvctl command line, one candidate a line, as a user
# pressing Tab at its end would be offered it.
# Usage: complete.bash COMPLETION_FILE [WORD...]; the last word is the one being completed
# (give "" to complete a new word).
source /usr/share/bash-completion/bash_completion
source "$1"
shift
COMP_WORDS=(trvctl "$@")
COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
COMP_LINE="${COMP_WORDS[*]}"
COMP_POINT=${#COMP_LINE}
# The function the completion file registered for trvctl.
registration=$(complete -p trvctl) || exit 1
function=${registration#*-F }
function=${function%% *}
"$function" trvctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
printf '%s\n' "${COMPREPLY[@]}"
