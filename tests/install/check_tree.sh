#!/usr/bin/env bash
# Checks an installed Vededa below PREFIX (e.g. a scratch root's usr/): what a user's desktop and
# shell rely on. Sourced by check_install.sh and check_package.sh; fails on the first fault with a
# message that names it.
#   check_tree PREFIX VERSION
check_tree() {
    local prefix=$1 version=$2
    fail() { echo "FAULT: $*" >&2; exit 1; }
    local cli=$prefix/bin/vededa-cli gui=$prefix/bin/vededa
    local examples=$prefix/share/vededa/examples doc=$prefix/share/doc/vededa

    # The programs run from where they are installed and say their version.
    [ -x "$cli" ] || fail "no $cli"
    "$cli" --version | grep -q "^vededa-cli $version " || fail "vededa-cli --version: $("$cli" --version)"
    if [ -e "$gui" ]; then
        QT_QPA_PLATFORM=offscreen "$gui" --version | grep -q "^Vededa $version " ||
            fail "vededa --version: $(QT_QPA_PLATFORM=offscreen "$gui" --version 2>&1)"
    fi

    # The bundled examples: both projects, a reference engine and a design file of every engine type,
    # the picture; every project loads with the installed program, from another directory.
    for f in Vededa.RUZ Vededa_deck.RUZ R119ize.ROZ README.md; do
        [ -f "$examples/$f" ] || fail "example $f not installed in $examples"
    done
    local refs=("$examples"/*.REF) designs=("$examples"/*.design)
    [ "${#refs[@]}" -ge 7 ] || fail "only ${#refs[@]} reference engines in $examples"
    [ "${#designs[@]}" -ge 7 ] || fail "only ${#designs[@]} design files in $examples"
    local work
    work=$(mktemp -d)
    (
        cd "$work"
        for project in "$examples"/*.RUZ; do
            "$cli" show "$project" >/dev/null || fail "installed vededa-cli cannot show $project"
        done
        # The cycle-deck project names its reference engine beside itself.
        "$cli" mission "$examples/Vededa_deck.RUZ" --date 1/2/2027 >mission.txt ||
            fail "installed vededa-cli cannot run the mission of Vededa_deck.RUZ"
        grep -q "Mission Analysis" mission.txt || fail "no mission report from the installed examples"
        "$cli" constraints "$examples/Vededa.RUZ" --svg diagram.svg >/dev/null ||
            fail "installed vededa-cli cannot run the constraints of Vededa.RUZ"
        grep -q "<svg" diagram.svg || fail "no constraint diagram from the installed examples"
        "$cli" design-engine "$examples/turbojet.design" -o turbojet.REF >/dev/null ||
            fail "installed vededa-cli cannot design the installed turbojet"
        "$cli" engine turbojet.REF --mach 0.8 --alt 30000 >/dev/null ||
            fail "installed vededa-cli cannot run the designed turbojet"
    ) || { rm -rf "$work"; exit 1; }
    rm -rf "$work"

    # Desktop integration: the entry validates, the file types parse and map *.RUZ and *.REF, the
    # icon exists in the theme sizes.
    if [ -e "$gui" ]; then
        local entry=$prefix/share/applications/vededa.desktop
        [ -f "$entry" ] || fail "no desktop entry"
        if command -v desktop-file-validate >/dev/null; then
            desktop-file-validate "$entry" || fail "desktop entry does not validate"
        fi
        grep -q "^Exec=vededa %f$" "$entry" || fail "desktop entry does not pass the file to vededa"
        local mime=$prefix/share/mime/packages/vededa.xml
        [ -f "$mime" ] || fail "no shared MIME info"
        if command -v xmllint >/dev/null; then
            xmllint --noout "$mime" || fail "MIME XML does not parse"
        else
            python3 -c "import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])" "$mime" ||
                fail "MIME XML does not parse"
        fi
        if command -v update-mime-database >/dev/null; then
            local db
            db=$(mktemp -d)
            mkdir -p "$db/packages"
            cp "$mime" "$db/packages/"
            update-mime-database "$db" >/dev/null 2>&1 || fail "update-mime-database refuses the MIME XML"
            grep -q "application/x-vededa-project:\*\.ruz" "$db/globs2" || fail "*.RUZ is not a Vededa project"
            grep -q "application/x-vededa-reference-engine:\*\.ref" "$db/globs2" ||
                fail "*.REF is not a Vededa reference engine"
            rm -rf "$db"
        fi
        for type in application/x-vededa-project application/x-vededa-reference-engine; do
            grep -q "^MimeType=.*$type;" "$entry" || fail "desktop entry does not open $type"
        done
        for size in 16 32 48 64 128 256; do
            local icon=$prefix/share/icons/hicolor/${size}x${size}/apps/vededa.png
            [ -f "$icon" ] || fail "no ${size}px icon"
            if command -v file >/dev/null; then
                file "$icon" | grep -q "$size x $size" || fail "icon $icon is not ${size}x${size}: $(file "$icon")"
            fi
        done
    fi

    # The manual, the file formats and the manual pages.
    for f in manual.md project-file.md reference-engine-file.md; do
        [ -f "$doc/$f" ] || fail "$f not installed in $doc"
    done
    if [ -f "$doc/manual.html" ]; then
        grep -q "<h2" "$doc/manual.html" || fail "manual.html has no sections"
        for png in $(grep -o 'src="[^"]*\.png"' "$doc/manual.html" | sed 's/src="//; s/"$//'); do
            [ -f "$doc/$png" ] || fail "manual.html shows $png, which is not installed"
        done
    fi
    for png in $(grep -o '([^()]*\.png)' "$doc/manual.md" | tr -d '()'); do
        [ -f "$doc/$png" ] || fail "manual.md shows $png, which is not installed"
    done
    local page=$prefix/share/man/man1/vededa-cli.1.gz
    [ -f "$page" ] || fail "no manual page vededa-cli.1.gz"
    local roff
    roff=$(gzip -dc "$page") || fail "vededa-cli.1.gz is not gzip"
    # Every command the installed program has is described on its page.
    local commands
    commands=$("$cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && /^  [a-z]/ {print $1}')
    [ -n "$commands" ] || fail "no subcommands in vededa-cli --help"
    for c in $commands; do
        grep -q "^\.SS $c$" <<<"$roff" || fail "the manual page does not describe vededa-cli $c"
    done
    return 0
}
