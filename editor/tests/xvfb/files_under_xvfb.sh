#!/bin/sh
# The real Editor-Linux under Xvfb, driven with xdotool: what the editor writes of a user's files, byte
# for byte. Three journeys:
#  1. Paste with nothing on the clipboard (a fresh X server: no program owns CLIPBOARD or PRIMARY): Ctrl+V,
#     Shift+Insert, a middle click, Edit > Paste and the code view's paste button leave the editor up and
#     the text as it was. Then a copy and a paste, and Save to a new place writes exactly that text.
#  2. A project whose source has CR LF line ends and a Latin-1 letter: a line typed and Ctrl+S change that
#     line only. Another program appends to the source: Ctrl+S asks; Cancel writes nothing, Write Over It
#     writes the tab's text in the file's form. Appended again: F4 asks too; Cancel compiles nothing, Reload
#     puts the other program's text into the tab and into the execution copy.
#  3. A lone source with lone CRs, a byte-order mark and no last line end, opened and saved with nothing
#     typed, is written again byte for byte; a file with a NUL byte is not loaded, and Save leaves it.
# Usage: files_under_xvfb.sh KIT_FOLDER EXAMPLES_FOLDER [SCREENSHOT.png]
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/helpers.sh"
begin_journey "$0" "$@"

# The number of the editor's windows shown: the main window, its menus and its dialogs.
windows() {
    xdotool search --onlyvisible --pid "$editor" 2>/dev/null | wc -l
}
dialog_shown() {
    [ "$(windows)" -ge 2 ]
}
dialog_gone() {
    [ "$(windows)" -eq 1 ]
}
# Keys in the code view: its text gets the focus first (no window manager gives it back after a dialog);
# the pause keeps two clicks from making a double click, which would select a word.
in_code() {
    sleep 0.6
    xdotool mousemove 700 500 click 1 key "$@"
}
# Types the path $2 into the file dialog titled $1 as it opens, and takes it.
choose_file() {
    within 10 shown "$1" || fail "no file dialog $1"
    sleep 0.5
    xdotool key ctrl+a
    xdotool type --delay 10 "$2"
    xdotool key Return
    within 10 gone "$1" || fail "the file dialog $1 stayed"
}

# Journey 1.
mkdir "$work/paste"
start_editor "$kit" "$work/paste"
in_code ctrl+v shift+Insert
xdotool click 2
# Edit > Paste: Undo, Redo, Cut, Copy, then Paste.
open_menu 1
xdotool key Down Down Down Down Down Return
# The code view's title bar: maximise, extract, paste, cut, copy.
xdotool mousemove 1213 72 click 1
sleep 0.5
alive || fail "a paste with nothing on the clipboard ended the editor"
in_code ctrl+a
xdotool type --delay 10 "PRINT 1"
xdotool key ctrl+a ctrl+c End Return ctrl+v ctrl+s
choose_file Save "$work/paste/Pasted"
within 10 test -f "$work/paste/Main.bss" || fail "Save wrote no Main.bss"
printf 'PRINT 1\nPRINT 1' >"$work/expected"
cmp "$work/paste/Main.bss" "$work/expected" || fail "the pasted text was not saved as it was typed"
end_editor

# Journey 2.
project=$work/Game
mkdir "$project"
printf 'Main=Game\nName=Game\nPlatform=TB\n' >"$project/Game.tbp"
printf 'REM caf\351\r\nPRINT 1\r\n' >"$project/Game.bss"
printf 'REM caf\351\r\nPRINT 1\r\nREM typed' >"$work/typed"
start_editor "$kit" "$project"
choose_project
in_code ctrl+End
xdotool type --delay 10 "REM typed"
in_code ctrl+s
within 10 cmp "$project/Game.bss" "$work/typed" || fail "Ctrl+S did not keep the file's line ends and Latin-1"

printf 'REM theirs\r\n' >>"$project/Game.bss"
cp "$project/Game.bss" "$work/theirs"
in_code Return
xdotool type --delay 10 "REM mine"
in_code ctrl+s
within 10 dialog_shown || fail "Ctrl+S over another program's change asked nothing"
if [ -n "$screenshot" ]; then
    mkdir -p "$(dirname "$screenshot")"
    python3 "$here/screen.py" png "$screenshot"
fi
# Reload, Write Over It, Cancel: Escape cancels.
xdotool key Escape
within 10 dialog_gone || fail "the question stayed"
cmp "$project/Game.bss" "$work/theirs" || fail "Cancel wrote the file"
in_code ctrl+s
within 10 dialog_shown || fail "a second Ctrl+S asked nothing"
xdotool key Tab space
within 10 dialog_gone || fail "the question stayed"
printf 'REM caf\351\r\nPRINT 1\r\nREM typed\r\nREM mine' >"$work/mine"
within 10 cmp "$project/Game.bss" "$work/mine" || fail "Write Over It did not write the tab's text in its form"

printf '\r\nREM theirs again\r\n' >>"$project/Game.bss"
in_code F4
within 10 dialog_shown || fail "F4 over another program's change asked nothing"
xdotool key Escape
within 10 dialog_gone || fail "the question stayed"
sleep 1
[ ! -e "$project/GameX.bss" ] || fail "a cancelled compile wrote the execution copy"
in_code F4
within 10 dialog_shown || fail "the second F4 asked nothing"
# The question starts on Reload.
xdotool key space
printf 'REM caf\303\251\nPRINT 1\nREM typed\nREM mine\nREM theirs again\n\n' >"$work/copy"
within 10 cmp "$project/GameX.bss" "$work/copy" || fail "Reload did not put the other program's text into the compile"
cp "$project/Game.bss" "$work/reloaded"
in_code ctrl+s
sleep 1
cmp "$project/Game.bss" "$work/reloaded" || fail "Save after Reload changed the file"
alive || fail "the editor died"
end_editor

# Journey 3.
lone=$work/lone
mkdir "$lone"
printf '\357\273\277REM one\rPRINT \303\251\rEND' >"$lone/Lone.bss"
cp "$lone/Lone.bss" "$work/lone.bss"
printf 'PRINT 1\n\000\001' >"$lone/Binary.bss"
cp "$lone/Binary.bss" "$work/binary.bss"
start_editor "$kit" "$lone"
in_code ctrl+o
choose_file Open "$lone/Lone.bss"
before=$(stat -c %i "$lone/Lone.bss")
in_code ctrl+s
within 10 test -f "$lone/Lone.tbp" || fail "Ctrl+S did not save the lone source's project"
[ "$(stat -c %i "$lone/Lone.bss")" != "$before" ] || fail "Ctrl+S did not write the lone source"
cmp "$lone/Lone.bss" "$work/lone.bss" || fail "a source saved with nothing typed changed"

in_code ctrl+o
choose_file Open "$lone/Binary.bss"
within 10 dialog_shown || fail "a file with a NUL byte was loaded without a word"
xdotool key Return
within 10 dialog_gone || fail "the message stayed"
in_code ctrl+s
# A tab that could not be loaded gives the project no place: Save asks where, and Escape writes nothing.
within 10 shown Save || fail "Save did not ask where"
xdotool key Escape
within 10 gone Save || fail "the file dialog stayed"
cmp "$lone/Binary.bss" "$work/binary.bss" || fail "a file that could not be loaded was written"
alive || fail "the editor died"
end_editor
echo "Pastes, line ends, encodings and another program's changes: every byte as the user meant it."
