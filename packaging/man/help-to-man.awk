# Fills a manual page template from a program's --help text.
# Usage: awk -v version=V -v date=D -f help-to-man.awk HELP TEMPLATE
#
# The help text: a line "Name:" opens a list that runs to the next blank line;
# in it, a line indented by two spaces starts an entry (its term, then its
# description after two or more blanks), and a line indented further continues
# the entry's description. A line "Name: text" is a one-line field.
# The template: a line "@HELP name@" (name in lower case) is replaced by the
# list, as .TP paragraphs, or by the field's text ("usage" set as a synopsis).

function esc(s) {
  gsub(/\\/, "\\e", s)
  gsub(/-/, "\\-", s)
  if (s ~ /^[.']/)
    s = "\\&" s
  return s
}

# An entry's term in bold, its placeholders (DIR, FILE, N ...) in italics.
function termText(s,    n, t, i, out, w) {
  n = split(s, t, " ")
  out = ""
  for (i = 1; i <= n; i++) {
    w = esc(t[i])
    if (t[i] ~ /^[[(]*[A-Z][A-Z0-9_]*[])]*$/ && match(w, /[A-Z][A-Z0-9_]*/))
      w = substr(w, 1, RSTART - 1) "\\fI" substr(w, RSTART, RLENGTH) "\\fB" substr(w, RSTART + RLENGTH)
    out = out (i > 1 ? " " : "") w
  }
  return "\\fB" out "\\fR"
}

function flush() {
  if (term != "")
    part[list] = part[list] ".TP\n" termText(term) "\n" desc "\n"
  term = ""
  desc = ""
}

FNR == NR {
  line = $0
  sub(/[ \t]+$/, "", line)
  if (line == "") {
    flush()
    list = ""
    next
  }
  if (line ~ /^[A-Z][A-Za-z ]*:$/) {
    flush()
    list = tolower(substr(line, 1, length(line) - 1))
    part[list] = ""
    next
  }
  if (line ~ /^[A-Z][A-Za-z ]*: /) {
    flush()
    list = ""
    name = tolower(substr(line, 1, index(line, ":") - 1))
    text = substr(line, index(line, ":") + 2)
    sub(/^ +/, "", text)
    part[name] = name == "usage" ? termText(text) : esc(text)
    next
  }
  if (list == "")
    next
  if (line ~ /^  [^ ]/) {
    flush()
    entry = substr(line, 3)
    if (match(entry, /  +/)) {
      term = substr(entry, 1, RSTART - 1)
      desc = esc(substr(entry, RSTART + RLENGTH))
    } else {
      term = entry
    }
    next
  }
  if (line ~ /^    / && term != "") {
    sub(/^ +/, "", line)
    desc = desc (desc == "" ? "" : "\n.br\n") esc(line)
  }
  next
}

/^@HELP [a-z ]+@$/ {
  flush()
  name = substr($0, 7, length($0) - 7)
  if (!(name in part) || part[name] == "") {
    print "help-to-man: the help text has no \"" name "\"" > "/dev/stderr"
    failed = 1
    exit 1
  }
  printf "%s", part[name]
  if (part[name] !~ /\n$/)
    printf "\n"
  next
}

{
  gsub(/@VERSION@/, version)
  gsub(/@DATE@/, date)
  print
}

END {
  if (failed)
    exit 1
}
