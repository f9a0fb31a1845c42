# shellcheck shell=bash
# Reading recipes out of the command library (data/commands.txt): one
# command a line, its name, a tab, its text with "%" for each line break,
# and, after another tab, its search words.
# Sourced by the proof tests.

# The text of the one entry whose name starts with $2, one line a line.
entry_text() {
  local file=$1 name=$2 lines
  lines=$(grep -F -- "$name" "$file" | grep -v '^#' | grep -P '^[^\t]*\t' | awk -F '\t' -v n="$name" 'index($1, n) == 1')
  [ "$(printf '%s\n' "$lines" | grep -c .)" = 1 ] || { echo "no single entry named '$name…'" >&2; return 1; }
  printf '%s\n' "$lines" | cut -f2 | tr '%' '\n'
}

# The body of the first quoted here-document (<<'EOF' … EOF) of a text.
heredoc_body() {
  awk '/<<'"'"'EOF'"'"'/ { inside = 1; next } inside && /^EOF$/ { exit } inside { print }'
}

# The file the first here-document is written to ("cat > FILE <<'EOF'").
heredoc_target() {
  sed -n "s/^.*cat > \([^ ]*\) <<'EOF'.*\$/\1/p" | head -n 1
}
