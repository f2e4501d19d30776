#!/usr/bin/env bash
# Exports of the art program (.json inputs) broken in every way the reader
# refuses: JSON that doesn't parse or nests without end, numbers too large
# or written as strings, missing fields, frames off the sheet, tags whose
# range or direction is wrong, sheets that are absolute, missing or not
# images. Each ends with one line, status 1 and nothing written.
#
#   bad_exports.sh PIXCELL MKBMP
set -uo pipefail
PIXCELL=$(realpath "$1") MKBMP=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

cd "$scratch" || exit 2
mkdir run
noise_pix 32 16 3 >hero.pix
"$MKBMP" hero.pix run/hero.png || exit 2
echo "not a picture" >run/notes.png

frame() {  # frame NAME X
    printf '{"filename":"%s","frame":{"x":%s,"y":0,"w":16,"h":16},"rotated":false,"trimmed":false,' "$1" "$2"
    printf '"spriteSourceSize":{"x":0,"y":0,"w":16,"h":16},"sourceSize":{"w":16,"h":16},"duration":100}'
}
good="{\"frames\":[$(frame "hero 0.aseprite" 0),$(frame "hero 1.aseprite" 16)],"
good+='"meta":{"image":"hero.png","frameTags":[{"name":"walk","from":0,"to":1,"direction":"forward"}]}}'
deep="{\"frames\":$(printf '%*s' 100000 '' | tr ' ' '[')"

# What is replaced in the good export | the line on standard error (a
# pattern) for hero.json.
cases=(
    '"duration":100}]|"duration":100}|line 1, column 399: syntax error while parsing array - unexpected '"':'"'; expected '"']'"
    '"to":1,|"to":1|line 1, column 474: syntax error while parsing object - unexpected string literal; expected '"'}'"
    '"x":16|"x":1e999|line 1, column 249: number overflow parsing '"'1e999'"
    '"x":16|"x":99999999999999999999999|frames[1].frame.x is not a whole number from 0 to 2147483647'
    '"x":16|"x":16.5|frames[1].frame.x is not a whole number from 0 to 2147483647'
    '"w":16|"w":-16|frames[0].frame.w is not a whole number from 0 to 65535'
    '"duration":100|"duration":"100"|frames[0].duration is not a whole number from 0 to 65535'
    '"duration":100,|"duration":100,|(unchanged)'
    ',"duration":100|,"length":100|frames[0] has no "duration", which every export writes'
    '"x":16|"x":20|frames[1] (16x16 at 20,0) reaches past the sheet hero.png, which is 32x16'
    '"to":1|"to":2|meta.frameTags[0] runs from frame 0 to 2, not a range of the export'"'"'s frames 0 to 1'
    '"from":0,"to":1|"from":1,"to":0|meta.frameTags[0] runs from frame 1 to 0, not a range of the export'"'"'s frames 0 to 1'
    '"forward"|"sideways"|meta.frameTags[0].direction is "sideways": it is one of forward, reverse, pingpong, pingpong_reverse'
    '"direction":"forward"|"direction":"forward","repeat":"x"|meta.frameTags[0].repeat is not a count from 0 to 65535 written as digits, as "3"'
    '"image":"hero.png"|"image":"/tmp/hero.png"|meta.image "/tmp/hero.png" is an absolute path: export the sheet with a path relative to the JSON'"'"'s folder'
    '"image":"hero.png"|"image":"C:\\\\art\\\\hero.png"|meta.image "C:\\art\\hero.png" is an absolute path: export the sheet with a path relative to the JSON'"'"'s folder'
    '"image":"hero.png",|"im":"hero.png",|meta has no "image", so no sheet was exported with it: export the sheet with the JSON (--sheet)'
    '"sourceSize":{"w":16,"h":16}|"sourceSize":{"w":32,"h":16}|its frames come from canvases of 32x16 and 16x16, so from several files, and it has tags, which count from each file'"'"'s own first frame: export one file per JSON'
    '"rotated":false|"rotated":true|frames[0] is rotated, which the console'"'"'s cells can'"'"'t show: export the sheet without rotation'
    'hero 1.aseprite|boss 0.aseprite|its frames come from several files ("hero" and "boss") and it has tags, which count from each file'"'"'s own first frame: export one file per JSON'
    '"frames":[|"frames":5,"x":[|frames is not an array ([...])'
)
check() {  # check WHAT EXPECTED [pattern]: the run of hero.json; EXPECTED is a pattern with a third word
    run run hero.json
    expect_status 1 "$1"
    if [[ -n ${3:-} ]]; then
        [[ $(cat "$err") == $2 ]] || fail "$1: standard error was [$(head -c 600 "$err")], expected [$2]"
    else
        [[ $(cat "$err") == "$2" ]] || fail "$1: standard error was [$(head -c 600 "$err")], expected [$2]"
    fi
    [[ $(wc -l <"$err") == 1 ]] || fail "$1: not one line"
    [[ ! -s $out ]] || fail "$1: something on standard output"
    [[ $(ls run) == $'hero.json\nhero.png\nnotes.png' ]] || fail "$1: wrote $(ls run | tr '\n' ' ')"
}
for entry in "${cases[@]}"; do
    IFS='|' read -r from to message <<<"$entry"
    [[ $message == "(unchanged)" ]] && continue
    [[ $good == *"$from"* ]] || fail "case [$from]: not in the good export"
    printf '%s' "${good/"$from"/$to}" >run/hero.json
    check "$from -> $to" "Can't use file hero.json: $message"
done

printf '%s' "${good:0:300}" >run/hero.json
check "cut short" "Can't use file hero.json: line 1, column 300: syntax error while parsing * - unexpected end of input*" pattern
printf '%s' "$deep" >run/hero.json
check "100000 arrays deep" "Can't use file hero.json: arrays and objects nested more than 32 deep, which no export of the art program is"
printf '%s' "${good/\"walk\"/\"wa$'\x01'lk\"}" >run/hero.json
check "control byte in a string" "Can't use file hero.json: line 1, column *: syntax error while parsing value - invalid string: control character U+0001 (SOH) must be escaped*" pattern
printf '[]' >run/hero.json
check "not an object" "Can't use file hero.json: the export is not an object ({...})"
printf '%s' "${good/hero.png/missing.png}" >run/hero.json
check "missing sheet" "Can't open file missing.png"
printf '%s' "${good/hero.png/notes.png}" >run/hero.json
check "sheet not an image" "Can't use file notes.png: *" pattern

# The same with -d and --list-outputs: the listing needs the export too.
printf '%s' "$deep" >run/hero.json
run run --list-outputs hero.json
expect_status 1 "--list-outputs of a broken export"
expect_stderr "Can't use file hero.json: arrays and objects nested more than 32 deep, which no export of the art program is"$'\n' \
    "--list-outputs of a broken export"

# The good export in a folder of its own: its sheet is read from there, and
# the listing shows the name as the export writes it.
mkdir run/art
mv run/hero.png run/art/
printf '%s' "$good" >run/art/hero.json
run run -d art/hero.json
expect_status 0 "listing from a folder"
[[ $(cat "$out") == $'[hero.png] hero_0 : (0,0) 16x16\n[hero.png] hero_1 : (16,0) 16x16' ]] ||
    fail "listing from a folder: [$(cat "$out")]"
run run --list-outputs art/hero.json
[[ $(tail -2 "$out") == $'hero_anim.c\nhero_anim.h' ]] || fail "--list-outputs: [$(cat "$out")]"

# A frame name that becomes a C keyword is warned about as a description's
# name is, with no line to name.
printf '%s' "${good/hero 0.aseprite/int.png}" >run/art/hero.json
run run --list-outputs art/hero.json
run run -d art/hero.json
expect_stderr "art/hero.json: warning: sprite name 'int' is a C keyword: the generated C won't compile"$'\n' "keyword"
finish
