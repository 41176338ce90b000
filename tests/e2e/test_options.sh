# SPDX-License-Identifier: GPL-3.0-or-later
# The options menu changes the speed, the name (through the name entry), the skin, the
# language and the sound and music volumes; Return on the apply row applies them, and the
# quit writes the four settings back in the configuration file's exact four-line format,
# the volumes and the full-screen line after them. The menus were heard.
source "$(dirname "$0")/lib.sh" "$@"
e2e_setup

# The copy needs a second skin and a second language to step to; make copies if missing.
skins="$E2E_CONTENT/skins/skins.txt"
languages="$E2E_CONTENT/data/texts.txt"
first_skin=$(e2e_list_entries "$skins" | head -n 1)
first_language=$(e2e_list_entries "$languages" | head -n 1)
real_choices=1
if [ "$(e2e_list_entries "$skins" | wc -l)" -lt 2 ]; then
    cp -r "$E2E_CONTENT/skins/$first_skin" "$E2E_CONTENT/skins/e2ecopy"
    printf '\ne2ecopy\n' >> "$skins"
    for f in "$E2E_CONTENT/data/texts/${first_skin}_"*.txt; do
        cp "$f" "$E2E_CONTENT/data/texts/e2ecopy_${f##*/${first_skin}_}"
    done
    real_choices=0
fi
if [ "$(e2e_list_entries "$languages" | wc -l)" -lt 2 ]; then
    printf '\nxx\n' >> "$languages"
    for s in $(e2e_list_entries "$skins"); do
        cp "$E2E_CONTENT/data/texts/${s}_${first_language}.txt" "$E2E_CONTENT/data/texts/${s}_xx.txt"
    done
    real_choices=0
fi

e2e_start_game
menu=$(e2e_snap menu)
e2e_key Down Return                 # Options; its cursor starts on the speed row
options=$(e2e_snap options)
e2e_expect_changed_screen "$menu" "$options" "Return on Options showed nothing"
e2e_key Right                       # speed: one millisecond less per frame
e2e_key Down Return                 # the name row: any key opens the name entry
e2e_erase 7
e2e_type_name "Zed"
e2e_key Return
e2e_key Down Right                  # skin
e2e_key Down Right                  # language
e2e_key Down Down Left              # below the apply row: the sound one step softer
e2e_key Down Right                  # and the music one step louder
e2e_key Up Up Return                # the apply row leaves and reloads skin and texts
after=$(e2e_snap menu_after)
if [ "$real_choices" = 1 ]; then
    e2e_expect_changed_screen "$menu" "$after" "the new skin and language do not show in the menu"
fi
e2e_key_final Escape
e2e_expect_exit 10 0

want=$(printf 'TIMER: 24\nNAME: Zed\nSKIN: 1\nTEXTS: 1\nSOUND: 7\nMUSIC: 7\nFULLSCREEN: 1')
got=$(cat "$E2E_CONTENT/data/gobrant.cfg"; echo x)
[ "$got" = "${want}x" ] || e2e_fail "gobrant.cfg is '$(cat -A "$E2E_CONTENT/data/gobrant.cfg")', expected '$want' with no line end after it"
e2e_expect_highscores_unchanged
e2e_expect_heard
e2e_pass
