#!/usr/bin/env bash
# Kills the writers at each of their system calls in turn (strace's fault injection) and checks
# after every kill that nothing was torn or lost: the result holds exactly its old or its new
# text, DATA.CSV its old lines and at most one new whole line; and the next write leaves no
# temporary behind. A new person with a birthplace is written as the line, then QUORVEL.DB: a
# kill leaves the person without a birthplace or with the right one, never a wrong one, an
# earlier person's details whole and the database never taken for damaged. Then four processes
# append 500 records each at once: 2,000 whole lines.
# usage: crash_test.sh CRASH_WRITER
set -euo pipefail
writer=$(realpath "$1")
if ! command -v strace >/dev/null; then
    echo "strace is missing (tools/setup.sh installs it): skipped"
    exit 77
fi
# LeakSanitizer traces the program itself, which it cannot do under strace.
export ASAN_OPTIONS=detect_leaks=0

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-crash-XXXXXX")
dir=$work/case
# A folder that takes no new file: root passes every permission check but not the immutable flag.
refused=0
refuse_new_files() {
    if [ "$(id -u)" -eq 0 ]; then chattr +i "$dir"; else chmod 555 "$dir"; fi
    refused=1
}
release() {
    if ((refused)); then
        chattr -i "$dir" 2>/dev/null || true
        chmod 755 "$dir"
        refused=0
    fi
}
trap 'release; rm -rf "$work"' EXIT

# The texts, kept in the shell: a case is laid out again before each of some 180 runs, and every
# program started costs time.
old_text=$(for n in $(seq 1 40); do echo "an earlier result, line $n"; done; echo .)
new_text=$(for n in $(seq 1 120); do echo "the new result, a longer text than before, line $n"; done; echo .)
printf '%s' "$new_text" >"$work/new.txt"
record_old=$'taro,1,0,1965,3,15,10,\nhanako,0,1,1972,5,7,23,\n'
record_new=$'jiro,1,0,1901,1,1,0,\n'

# The database an earlier person's entry left: taro's details, beside a data file of their own.
mkdir "$work/earlier"
(cd "$work/earlier" && "$writer" person taro >/dev/null)

# prepare CASE: what the case is about. Sets target (the file that must change), expected (every
# entry the folder may hold afterwards), args (the writer's arguments), taro (what the database
# holds of the earlier person; empty where the case has no database to check), jiro_after (what
# it holds of the new person once written), and writes the texts the target may hold after a
# kill: expect-old (none where there was no file) and expect-new.
prepare() {
    args=(output out.txt "$work/new.txt") target=out.txt expected="out.txt" before= taro=
    jiro_after=none
    case $1 in
        output-new) ;;
        output-existing | output-in-place) before=$old_text ;;
        output-link) target=sub/real.txt expected="out.txt sub sub/real.txt" before=$old_text ;;
        append-*) args=(append DATA.CSV jiro) target=DATA.CSV expected="DATA.CSV" ;;&
        append-lf) before=$record_old ;;
        append-crlf) before=${record_old//$'\n'/$'\r\n'} ;;
        person-*) args=(person jiro) target=DATA.CSV expected="DATA.CSV QUORVEL.DB"
            before=$record_old jiro_after=right ;;&
        person-new) taro=none ;;
        person-existing) taro=right ;;
    esac
    rm -f "$work/expect-old"
    [ -z "$before" ] || printf '%s' "$before" >"$work/expect-old"
    if [[ $1 == output-* ]]; then
        printf '%s' "$new_text" >"$work/expect-new"
    else
        printf '%s' "$before$record_new" >"$work/expect-new"
    fi
}

# setup CASE: the folder as the writer finds it.
setup() {
    release
    rm -rf "$dir"
    mkdir "$dir"
    case $1 in
        output-existing) printf '%s' "$old_text" >"$dir/out.txt" ;;
        output-link)
            mkdir "$dir/sub"
            printf '%s' "$old_text" >"$dir/sub/real.txt"
            ln -s sub/real.txt "$dir/out.txt" ;;
        output-in-place)
            printf '%s' "$old_text" >"$dir/out.txt"
            chmod 666 "$dir/out.txt"
            refuse_new_files ;;
        append-lf | append-crlf | person-new) cp "$work/expect-old" "$dir/DATA.CSV" ;;
        person-existing)
            cp "$work/expect-old" "$dir/DATA.CSV"
            cp "$work/earlier/QUORVEL.DB" "$dir/" ;;
    esac
}

# Entries the writer left beyond those the case expects.
leftovers() {
    local entry count=0
    shopt -s dotglob nullglob globstar
    for entry in "$dir"/**; do
        entry=${entry#"$dir"/}
        [ -z "$entry" ] || [[ " $expected " == *" $entry "* ]] || count=$((count + 1))
    done
    shopt -u dotglob nullglob globstar
    echo "$count"
}

# "old", "new", or "torn" for what the target holds now; no file counts as the old one when
# there was none, and an empty one as well for the data file.
state() {
    local file=$dir/$target
    if [ ! -e "$work/expect-old" ] &&
        { [ ! -e "$file" ] || { [ "$target" = DATA.CSV ] && [ ! -s "$file" ]; }; }; then
        echo old
    elif [ -e "$file" ] && cmp -s "$file" "$work/expect-new"; then
        echo new
    elif [ -e "$work/expect-old" ] && cmp -s "$file" "$work/expect-old"; then
        echo old
    else
        echo torn
    fi
}

run_writer() { (cd "$dir" && exec "$@" "$writer" "${args[@]}") >/dev/null 2>&1; }

# What the database holds of jiro, the new person, as the next program finds it ("none", "right"),
# or what is wrong with it. JIRO: the states allowed for him, as a regular expression.
details() {
    [ -n "$taro" ] || { echo none; return; }
    local report status of_jiro of_taro
    report=$(cd "$dir" && "$writer" details jiro taro 2>&1) || true
    read -r status of_jiro of_taro <<<"$report"
    if [[ $status != ok && $status != missing ]]; then
        echo "the database $report"
    elif [ "$of_taro" != "taro=$taro" ]; then
        echo "the earlier person's details $of_taro"
    elif [[ ! $of_jiro =~ ^jiro=($1)$ ]]; then
        echo "$of_jiro"
    else
        echo "${of_jiro#jiro=}"
    fi
}

failed=0
echo "case              kill points  old  new  torn  left at kill  next write not clean"
for name in output-new output-existing output-link output-in-place append-lf append-crlf \
    append-no-file person-new person-existing; do
    prepare "$name"
    setup "$name"
    run_writer strace -qq -o "$work/trace" || true
    # Each system call after the marker, as its name and its count among calls of that name.
    mapfile -t points < <(awk 'match($0, /^[a-z0-9_]+\(/) {
            call = substr($0, 1, RLENGTH - 1); seen[call]++
            if (started) print call, seen[call]
            if (call == "getppid") started = 1
        }' "$work/trace")
    setup "$name"
    if ! run_writer || [ "$(state)" != new ] || [ "$(leftovers)" != 0 ] ||
        [ "$(details "$jiro_after")" != "$jiro_after" ]; then
        echo "FAILED: $name does not write as it should without a kill"
        failed=1
        continue
    fi
    olds=0 news=0 torn=0 left=0 stuck=0 missed=0 without=0
    for point in "${points[@]}"; do
        read -r call count <<<"$point"
        setup "$name"
        # (The shell's own "Killed" notice goes with the group's standard error.)
        { run_writer strace -q -o "$work/kill" -e trace="$call" \
            -e inject="$call":signal=SIGKILL:when="$count"; } 2>/dev/null || true
        killed=0
        while IFS= read -r line; do
            [[ $line != *"killed by SIGKILL"* ]] || killed=1
        done <"$work/kill"
        if ((!killed)); then
            missed=$((missed + 1))
            continue
        fi
        now=$(state)
        case $now in
            old) olds=$((olds + 1)) ;;
            new) news=$((news + 1)) ;;
            *) torn=$((torn + 1)); echo "  $name: torn by a kill at $call #$count" ;;
        esac
        left=$((left + $(leftovers)))
        # The details only once the line is there.
        kept=$(details "$([ "$now" = new ] && echo "none|right" || echo none)")
        case $kept in
            none) [ "$now" != new ] || without=$((without + 1)) ;;
            right) ;;
            *) torn=$((torn + 1)); echo "  $name: after a kill at $call #$count, $kept" ;;
        esac
        # What the user does next: write again, and find the new text and nothing else.
        if ! run_writer || [ "$(state)" != new ] || [ "$(leftovers)" != 0 ] ||
            [ "$(details "$jiro_after")" != "$jiro_after" ]; then
            stuck=$((stuck + 1))
            echo "  $name: after a kill at $call #$count the next write leaves $(state)," \
                "$(leftovers) more entries"
        fi
    done
    printf '%-17s %11d %4d %4d %5d %13d %21d\n' "$name" "${#points[@]}" "$olds" "$news" "$torn" \
        "$left" "$stuck"
    [ -z "$taro" ] || echo "  $name: $without kills left the new person's line without its birthplace"
    if ((torn + stuck + missed > 0 || ${#points[@]} == 0)); then
        ((missed == 0)) || echo "  $name: $missed kill points never reached"
        failed=1
    fi
done

setup none
for p in 1 2 3 4; do
    "$writer" appends "$dir/DATA.CSV" "p$p" 500 &
done
for p in 1 2 3 4; do
    wait -n || { echo "FAILED: a concurrent appender failed"; failed=1; }
done
whole=$(grep -cE '^p[1-4]-[0-9]+,[01],[01],[0-9]+,[0-9]+,[0-9]+,[0-9]+,$' "$dir/DATA.CSV" || true)
names=$(cut -d, -f1 "$dir/DATA.CSV" | sort -u | wc -l)
lines=$(wc -l <"$dir/DATA.CSV")
echo "4 x 500 concurrent appends: $lines lines, $whole whole, $names different records"
[ "$whole" = 2000 ] && [ "$lines" = 2000 ] && [ "$names" = 2000 ] || failed=1

exit $failed
