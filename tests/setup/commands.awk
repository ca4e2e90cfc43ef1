# Reads one bash script and prints what check-packages needs of it, one
# record a line: LINE <TAB> TAG <TAB> FUNCTION <TAB> KIND <TAB> TEXT, where
# FUNCTION names the function whose body holds the line, "-" for none.
#   KIND cmd:   the first word of a simple command, as written (quotes kept)
#   KIND group: an argument of install_packages
#   KIND set:   an assignment NAME=VALUE made as a command
#   KIND func:  a function the script defines
#   KIND arg:   a later word that may name a function to run (trap, a launcher)
# TAG says which runs of the script reach the line. A script that starts
# with `if [ "${1:-}" = "--MODE" ]; then ... fi` blocks (each ending in exec
# or exit) runs a block only for its mode: its lines are "in:MODE"; the
# other lines are "out:,MODE,..." listing the modes whose block ended above.
# Single-quoted text is never read as code; bash -c payloads are not seen.
{ source = source $0 "\n" }

END {
    count = split(source, lines, "\n")
    mode = ""; ended = ","
    for (n = 1; n <= count; n++) {
        if (mode == "" && lines[n] ~ /^if \[ "\$\{1:-\}" = "--[a-z]+" \]; then/) {
            mode = lines[n]; sub(/^if \[ "\$\{1:-\}" = "--/, "", mode); sub(/".*/, "", mode)
        }
        tag[n] = mode != "" ? "in:" mode : "out:" ended
        if (mode != "" && lines[n] == "fi") { ended = ended mode ","; mode = "" }
    }
    Lex()
}

function Emit(kind, text) { printf "%d\t%s\t%s\t%s\t%s\n", line, tag[line], body == "" ? "-" : body, kind, text }

function Peek(offset) { return substr(source, at + offset, 1) }

# Skips to the brace that closes the one at `at`; returns the text read.
function Braced(   depth, start, c) {
    start = at; depth = 0
    for (; at <= length(source); at++) {
        c = Peek(0)
        if (c == "\\") { at++; continue }
        if (c == "{") depth++
        if (c == "}" && --depth == 0) break
    }
    return substr(source, start, at - start + 1)
}

# Word boundaries and command boundaries, per nesting depth of $( ).
function EndWord(   word) {
    word = buffer[depth]; buffer[depth] = ""
    if (word == "") return
    if (redirect[depth]) { redirect[depth] = 0; return }
    if (word == "{" && (defined != "" || body != "")) { if (body == "") body = defined; defined = ""; braces++ }
    if (word == "}" && body != "" && --braces == 0) body = ""
    if (word ~ /^-DCMAKE_[A-Z_]*COMPILER=/) { sub(/^[^=]*=/, "", word); Emit("cmd", word) }
    if (!expect[depth]) {
        if (word == "in" && cases[depth] == "subject") cases[depth] = "patterns"
        if (installing[depth]) Emit("group", word)
        else if (word ~ /^[A-Za-z_][A-Za-z_0-9-]*$/) Emit("arg", word)
        return
    }
    if (prefix[depth] && word ~ /^-/) return
    if (word ~ /^[A-Za-z_][A-Za-z_0-9]*(\[[^]]*\])?\+?=/) { Emit("set", word); return }
    if (word ~ /^(if|then|else|elif|do|while|until|!|\{|time)$/) return
    if (word == "case") cases[depth] = "subject"
    if (word == "esac") cases[depth] = ""
    if (word ~ /^(for|case|select|function|fi|done|esac|\})$/) { expect[depth] = 0; return }
    if (substr(source, at) ~ /^[ \t]*\(\)/) { Emit("func", word); defined = word; expect[depth] = 0; return }
    Emit("cmd", word)
    prefix[depth] = word ~ /^(exec|env|sudo|nice|nohup|source|\.)$/ || word ~ /^"?\$\{[A-Za-z_]+\[@\]\}"?$/
    expect[depth] = prefix[depth]
    installing[depth] = word == "install_packages"
}

function EndCommand() {
    EndWord()
    expect[depth] = 1; prefix[depth] = 0; installing[depth] = 0; redirect[depth] = 0
}

function Open(kind) {
    kinds[++depth] = kind; buffer[depth] = ""
    expect[depth] = 1; prefix[depth] = 0; installing[depth] = 0; redirect[depth] = 0
}

function Lex(   c, quoted, end) {
    line = 1; depth = 0; Open("top")
    quoted = 0  # inside double quotes at this depth
    for (at = 1; at <= length(source); at++) {
        c = Peek(0)
        # A case pattern, up to its ")": not a command.
        if (cases[depth] == "patterns" && buffer[depth] == "" && c !~ /[ \t\n]/ && substr(source, at) !~ /^esac[ \t\n;)]/) {
            for (; at <= length(source) && Peek(0) != ")"; at++) if (Peek(0) == "\n") line++
            cases[depth] = "commands"; EndCommand(); continue
        }
        # [[ ... ]] holds a test, with its own meaning of ( | < >.
        if (c == "[" && buffer[depth] == "" && expect[depth] && substr(source, at) ~ /^\[\[[ \t]/) {
            end = index(substr(source, at), " ]]")
            for (n = at; n < at + end; n++) if (substr(source, n, 1) == "\n") line++
            at += end + 1; continue
        }
        if (c == "\\") {
            if (Peek(1) == "\n") { if (!quoted) EndWord(); at++; line++; continue }
            buffer[depth] = buffer[depth] c Peek(1); at++; continue
        }
        if ((c == "$" || buffer[depth] == "") && substr(source, at) ~ /^\$?\(\(/) {  # arithmetic
            end = index(substr(source, at), "))"); at += end; buffer[depth] = buffer[depth] "0"; continue
        }
        if (c == "$" && Peek(1) == "{") { at++; buffer[depth] = buffer[depth] "$" Braced(); continue }
        if ((c == "$" || (!quoted && (c == "<" || c == ">"))) && Peek(1) == "(") {
            if (c != "$") EndWord()
            held[depth] = quoted; at++; Open("sub"); quoted = 0; continue
        }
        if (c == "\"") { quoted = !quoted; buffer[depth] = buffer[depth] c; continue }
        if (quoted) { buffer[depth] = buffer[depth] c; if (c == "\n") line++; continue }
        if (c == "'") {
            end = index(substr(source, at + 1), "'")
            for (n = at + 1; n < at + end; n++) if (substr(source, n, 1) == "\n") line++
            buffer[depth] = buffer[depth] "''"; at += end; continue
        }
        if (c == "#" && buffer[depth] == "") { while (at < length(source) && Peek(1) != "\n") at++; continue }
        if (c == " " || c == "\t") { EndWord(); continue }
        if (c == ";" && Peek(1) == ";" && cases[depth] == "commands") { EndCommand(); cases[depth] = "patterns"; at++; continue }
        if (c == "\n" || c == ";" || c == "|") { EndCommand(); if (c == "\n") line++; continue }
        if (c == "&") {
            if (Peek(1) == ">") { EndWord(); redirect[depth] = 1; at++; continue }
            EndCommand(); continue
        }
        if (c == "<" || c == ">") {
            if (buffer[depth] ~ /^[0-9]*$/) buffer[depth] = ""; else EndWord()
            while (Peek(1) ~ /[<>&]/) at++
            redirect[depth] = 1; continue
        }
        if (c == "(" && buffer[depth] ~ /\+?=$/) {  # an array: name=(words)
            end = index(substr(source, at), ")"); buffer[depth] = buffer[depth] substr(source, at, end); at += end - 1
            continue
        }
        if (c == "(" && Peek(1) == ")") { EndWord(); at++; continue }  # name() of a function
        if (c == "(") { EndCommand(); Open("group"); continue }
        if (c == ")") {
            EndCommand(); depth--
            if (kinds[depth + 1] == "sub") { quoted = held[depth]; buffer[depth] = buffer[depth] "$()" }
            else expect[depth] = 0
            continue
        }
        buffer[depth] = buffer[depth] c
    }
    EndCommand()
}
