#!/usr/bin/env bash
# Typing into the real program under Xvfb: the keyboard echo program (STANGENSPIEL_ECHO=1) logs the code of every
# key it reads and the first line of its screen after it.
source "$(dirname "$0")/../support/e2e.sh"
startwindow STANGENSPIEL_ECHO=1
typekey() {  # typekey KEY PATTERN: presses the key and waits for its log line
    xdotool key --window "$window" "$1"
    waitforlog "$2"
}

typekey a '^echo: key 97 code 0$'
typekey Left '^echo: key 8 code 123 cursor$'
typekey F1 '^echo: key 129 code 122 function$'
# xdotool would map the umlaut to a spare key only for the moment of the press, sooner than the program reads the
# changed keyboard map (the key then arrives unmapped); a mapping made first is read in time.
xmodmap -e "keycode 248 = adiaeresis Adiaeresis"
sleep 0.5
typekey adiaeresis '^echo: key 228 code '
waitforlog $'^echo: screen Echo: a\u0081\u00e4$'
# Control with keypad 8 and 9 send printing to standard output and back, no keys; the cursor moved all the same.
xdotool key --window "$window" ctrl+KP_8
typekey z '^echo: key 122 code 6$'
waitforlog $'^zecho: screen Echo: a\u0081\u00e4$'
xdotool key --window "$window" ctrl+KP_9
typekey y '^echo: key 121 code 16$'
waitforlog $'^echo: screen Echo: a\u0081\u00e4 y$'
# The left Alt key is the Option key; Shift+Tab has a code of its own.
typekey alt+a '^echo: key 176 code 0$'
typekey shift+Tab '^echo: key 20 code 48$'
[ "$(grep -c '^echo: key' "$work/log")" -eq 8 ] || fail "the output switches made keys of their own"
echo "typing: ok"
