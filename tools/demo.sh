#!/usr/bin/env bash
# The `make run` demonstration: the formwright program at work on copies of examples/ in a
# temporary folder, ending with the text diff of what it changed.
set -eu
FW=$(realpath "$1")
EXAMPLES=$(cd "$(dirname "$0")/../examples" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir "$WORK/before"
cp "$EXAMPLES"/*.fwf "$EXAMPLES"/*.pas "$WORK"/
cp "$EXAMPLES"/*.fwf "$EXAMPLES"/*.pas "$WORK/before"/
cd "$WORK"

if [ -t 1 ]; then B=$'\033[1m' N=$'\033[0m'; else B='' N=''; fi
step() { printf '\n%s== %s%s\n' "$B" "$1" "$N"; shift; for line in "$@"; do printf '   %s\n' "$line"; done; }
fw() { printf '$ formwright %s\n' "$*"; "$FW" "$@"; }

cat <<'INTRO'
formwright edits the form files of a visual component framework (.fwf, with the unit beside
each: Main.fwf + Main.pas) through the same engine an IDE's form designer uses. Working on
copies of examples/: a main form, a dialog and a settings form inherited from it, a frame
embedded in a contact form, and a data module.
INTRO

step "1. The component tree of the main form" \
     "(name: class, where it sits; non-visual components have an icon position)"
fw show Main.fwf

step "2. A form inherited from the dialog, a form embedding a frame twice, a data module" \
     "(inherited components come from the ancestor module; the frame's from its own module)"
fw show Settings.fwf Contact.fwf Data.fwf

step "3. What the property inspector shows for two buttons selected together" \
     "Only properties both share are listed; a value is empty where the two differ." \
     "Each row: name, value, the editor class that parses typed text, its attributes."
fw props Main.fwf OpenButton,SearchButton

step "4. Add a button to the tool panel: the designer gives it a unique name"
fw add Main.fwf TButton --parent ToolPanel --at 184,8

step "5. Rename SearchButton: its handler SearchButtonClick follows, in the form and the unit"
fw rename Main.fwf SearchButton FindButton

step "6. Copy Button1 and AutoSaveBox from the settings form into the main form" \
     "The main form has a Button1 already: the copy becomes Button3, its handler Button3Click."
fw copy Settings.fwf Button1 AutoSaveBox --to Main.fwf --parent ContentPanel

step "7. Values by name: a colour from the framework's table, sets typed as shown"
fw set Main.fwf ContentPanel.Color=clWindow FindButton.Font.Style=[fsBold] FindButton.Anchors=[akTop,akRight]

step "8. Move the Clear button onto the tool panel" \
     "It stays the same component: its name, its handler and every reference to it go along."
fw move Main.fwf Button1 --parent ToolPanel --at 272,8

step "9. Refused edits print the engine's reason and change no file"
fw set Main.fwf FindButton.Width=wide || printf '   (exit code %s)\n' "$?"
fw rename Settings.fwf OkButton AcceptButton || printf '   (exit code %s)\n' "$?"

step "10. Several edits in one session: add components, then set their properties" \
     "(a status band's sections are a collection: its items are typed by index)"
printf '$ formwright run Main.fwf <<SCRIPT\n'
SCRIPT='add Main.fwf TCheckBox --parent ContentPanel --name FavouriteBox
set Main.fwf FavouriteBox.Caption="Favourite" FavouriteBox.Left=16 FavouriteBox.Top=88
set Main.fwf FavouriteBox.OnClick=FavouriteBoxClick
add Main.fwf TStatusBand --name StatusLine
set Main.fwf StatusLine.Align=alBottom StatusLine.Sections.Count=2 "StatusLine.Sections[0].Text=Ready"'
printf '%s\nSCRIPT\n' "$SCRIPT"
"$FW" run Main.fwf <<<"$SCRIPT"

step "11. Its handlers now, with the events that use them"
fw handlers Main.fwf

step "12. Convert the main form to the binary form and back"
fw convert Main.fwf --binary
printf 'Main.fwf starts with bytes: %s\n' "$(head -c 8 Main.fwf | od -An -tx1 | tr -s ' ')"
fw convert Main.fwf --text

step "13. What changed, component by component, as a reviewer reads it"
fw diff before/Main.fwf Main.fwf

step "14. What changed on disk (diff against the copies as they were)"
diff -u --label "Main.fwf before" --label "Main.fwf after" before/Main.fwf Main.fwf || true
diff -u --label "Main.pas before" --label "Main.pas after" before/Main.pas Main.pas || true
printf '\nThe other modules are unchanged: '
for f in Settings Dialog Data Address Contact; do
  cmp -s "before/$f.fwf" "$f.fwf" && cmp -s "before/$f.pas" "$f.pas" && printf '%s ' "$f" || printf '%s(changed!) ' "$f"
done
echo

step "15. An edit of the dialog reaches the settings form that inherits from it" \
     "Renamed in the dialog, OkButton is renamed in the settings form too, which keeps its own caption;" \
     "reverting that caption gives it the dialog's again. Both files are saved together."
fw rename Dialog.fwf OkButton AcceptButton
diff -u --label "Settings.fwf before" --label "Settings.fwf after" before/Settings.fwf Settings.fwf || true
fw revert Settings.fwf AcceptButton.Caption
