# Turns one help text of odbdiff (CLI11's layout) into roff for the manual
# page. mode=synopsis prints the usage line; mode=entries prints the usage
# as a subsection heading (commands only), the description, and every
# positional and option as a tagged paragraph.

# Escapes for roff: backslashes, and a leading dot or quote.
function text(s) {
  gsub(/\\/, "\\e", s)
  if (s ~ /^[.']/) s = "\\&" s
  return s
}
# Minus signs for the hyphens of option names, after the escapes of text().
function minus(s) {
  s = text(s)
  gsub(/-/, "\\-", s)
  return s
}
# An option's or positional's names in bold, the rest of its first column
# (type, Needs:, Excludes:) in roman; every positional is required, as the
# synopsis shows, so REQUIRED is left out.
function tag(s,    first, rest) {
  sub(/ REQUIRED$/, "", s)
  first = s; rest = ""
  if (index(s, " ") > 0) { first = substr(s, 1, index(s, " ") - 1); rest = substr(s, index(s, " ")) }
  gsub(/,/, ", ", first)
  return "\\fB" minus(first) "\\fR" minus(rest)
}
function flush() {
  if (name != "") { print ".TP"; print tag(name); print text(description) }
  name = ""; description = ""
}

NR == 1 { summary = $0; next }
/^Usage: / {
  usage = substr($0, 8)
  is_command = usage !~ /SUBCOMMAND$/
  if (mode == "synopsis") { print ".br"; print minus(usage) }
  else if (is_command) { print ".SS \"" text(usage) "\""; print text(summary) }
  next
}
mode != "entries" { next }
/^[A-Z][A-Za-z]*:$/ { flush(); next }
/^Exit status:/ { flush(); next }
/^  [^ ]/ {
  flush()
  line = substr($0, 3)
  split_at = index(line, "  ")
  if (split_at == 0) { name = line; description = "" }
  else {
    name = substr(line, 1, split_at - 1)
    description = substr(line, split_at); sub(/^ +/, "", description)
  }
  next
}
/^ +[^ ]/ {
  continued = $0; sub(/^ +/, "", continued)
  description = description == "" ? continued : description " " continued
  next
}
END { flush() }
