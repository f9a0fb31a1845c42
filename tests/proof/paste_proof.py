#!/usr/bin/env python3
"""Pastes every command of the library into an interactive root bash of the
proof root, booted with systemd, as a user pastes it: bracketed paste into
bash on a terminal, then Enter.

An entry with placeholders is pasted twice in one shell: unedited, which must
change nothing (a snapshot of /etc, /root, /home, /srv, /var/www, /usr/local,
the users and the databases is compared before and after), then with the
samples of recipes.tsv in its placeholders, which must end with the expected
status and pass the entry's probe. An entry without placeholders is pasted
once, as it is. recipes.tsv says for each entry how it is run, or why it
cannot be run in the root; an entry it does not know fails. An entry may have
several rows, each pasted into a server state of STATES (a bash file whose
make_NAME makes the state and undo_NAME takes it away again).

    paste_proof.py ROOT LEADER LIBRARY CASES STATES TABLE

LEADER is the process id of the booted root's systemd: shells and checks
enter its namespaces.
"""
import difflib
import os
import pty
import re
import select
import signal
import subprocess
import sys
import time

PLACEHOLDER = re.compile(r'<([^<>\s]*[\u3400-\u9fff][^<>\s]*)>')
STATUS = re.compile(rb'@@STATUS (\d+)@@')
PASTE_START, PASTE_END = b'\x1b[200~', b'\x1b[201~'
ENTER, CTRL_C = b'\r', b'\x03'
ACCEPTED = re.compile(re.escape(b'\x1b[?2004l'))
COMMAND_SECONDS = 120   # the longest a pasted command may take
FOLLOW_SECONDS = 2      # how long a command that follows a log runs before Ctrl-C
PROBE_SECONDS = 30
SHELL_ENV = {
    'TERM': 'xterm', 'HOME': '/root', 'LANG': 'C.UTF-8', 'USER': 'root',
    'PATH': '/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin',
}
BASHRC = r'''cd /root
PS1='# '
PROMPT_COMMAND='printf "\n@@STATUS %s@@\n" "$?"'
'''
SNAPSHOT = r'''
find /etc /root /home /srv /var/www /usr/local /mnt -xdev \( -type f -o -type l -o -type d \) \
     ! -path /etc/tovanu-proof.bashrc -printf '%p %m %u %g %s %l\n' 2>/dev/null | sort
find /etc /root /home /srv /var/www /usr/local -xdev -type f -print0 2>/dev/null | sort -z | xargs -0 md5sum
find / -mindepth 1 -maxdepth 1 \( -name proc -o -name sys -o -name dev -o -name run -o -name tmp \) -prune \
     -o -printf '%p %y %m %u %g %l\n' | sort
getent passwd; getent group
mysql -N -e 'SELECT user, host FROM mysql.user ORDER BY 1, 2; SHOW DATABASES; SELECT * FROM shop.items' 2>&1
cat /proc/mounts /proc/swaps | grep -v ' /dev/pts '
'''


def entries(library):
    found = []
    for line in open(library, encoding='utf-8').read().split('\n'):
        if not line or line.startswith('#') or '\t' not in line:
            continue
        name, code = line.split('\t')[:2]  # a third field holds search words
        found.append((name, code.replace('%', '\n')))
    return found


class Case:
    """One line of recipes.tsv: name, how, samples, probe, before, after."""

    AS_IT_COMES = 'as it comes'

    def __init__(self, fields):
        fields += [''] * (6 - len(fields))
        self.name, how, samples, self.probe, self.before, self.after = fields[:6]
        self.skip = how[5:] if how.startswith('skip:') else None
        self.follow = how == 'follow'
        self.twice = 'twice' in how.split(',')
        m = re.search(r'state=(\w+)', how)
        self.state = m.group(1) if m else None
        m = re.search(r'status=(\d+)', how)
        self.status = int(m.group(1)) if m else (130 if self.follow else 0)
        m = re.search(r'talk=(.*)', how)
        # "regex=>keys;;regex=>keys": keys typed once the output shows regex.
        self.talk = [tuple(step.split('=>', 1)) for step in m.group(1).split(';;')] if m else []
        self.samples = dict(pair.split('=', 1) for pair in samples.split('  ') if '=' in pair)


def cases(path):
    """Each entry's rows, in the order of the file."""
    found = {}
    for line in open(path, encoding='utf-8').read().split('\n'):
        if line and not line.startswith('#'):
            case = Case(line.split('\t'))
            found.setdefault(case.name, []).append(case)
    return found


def entered(leader, *command):
    """A command line that runs command inside the booted root."""
    return ['nsenter', '--target', leader, '--all', '--wdns=/root', *command]


def in_root(leader, script, seconds=PROBE_SECONDS):
    return subprocess.run(entered(leader, '/bin/bash', '-c', script), env=SHELL_ENV,
                          capture_output=True, timeout=seconds)


class Shell:
    """An interactive root bash on a terminal of its own."""

    def __init__(self, leader):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execvpe('nsenter', entered(leader, '/bin/bash', '--rcfile', '/etc/tovanu-proof.bashrc', '-i'), SHELL_ENV)
        self.output = b''
        self.wait_for(STATUS, 10)

    def read(self, seconds):
        ready, _, _ = select.select([self.fd], [], [], seconds)
        if not ready:
            return False
        try:
            chunk = os.read(self.fd, 65536)
        except OSError:
            return False
        self.output += chunk
        return bool(chunk)

    def wait_for(self, pattern, seconds, start=0):
        """The match of pattern in the output after start, or None at the deadline."""
        deadline = time.monotonic() + seconds
        while True:
            m = re.compile(pattern).search(self.output, start) if isinstance(pattern, bytes) else pattern.search(self.output, start)
            if m:
                return m
            left = deadline - time.monotonic()
            if left <= 0 or not self.read(left):
                if left <= 0:
                    return None

    def paste(self, text, case=None, follow=False):
        """Pastes text, presses Enter; returns the status the shell reports, or None."""
        start = len(self.output)
        os.write(self.fd, PASTE_START + text.encode() + PASTE_END)
        os.write(self.fd, ENTER)
        # Readline leaves bracketed-paste mode when it hands the line to bash:
        # what follows is the command's own output, not the echo of the paste.
        accepted = self.wait_for(ACCEPTED, 10, start)
        if not accepted:
            return None
        start = accepted.end()
        for regex, keys in (case.talk if case else []):
            # A question that does not come (apt asks only when there is
            # something to do) is passed over once the command has ended.
            m = self.wait_for(re.compile(regex.encode() + b'|' + STATUS.pattern), 20, start)
            if not m or STATUS.fullmatch(m.group(0)):
                break
            start = m.end()
            os.write(self.fd, keys.encode('latin-1', 'backslashreplace').decode('unicode_escape').encode())
        if follow:
            if self.wait_for(STATUS, FOLLOW_SECONDS, start):
                return int(self.wait_for(STATUS, 0, start).group(1))
            os.write(self.fd, CTRL_C)
        m = self.wait_for(STATUS, COMMAND_SECONDS, start)
        return int(m.group(1)) if m else None

    def close(self):
        try:
            os.write(self.fd, b'exit\r')
        except OSError:
            pass
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            if os.waitpid(self.pid, os.WNOHANG)[0]:
                break
            self.read(0.1)
        else:
            os.kill(self.pid, signal.SIGKILL)
            os.waitpid(self.pid, 0)
        os.close(self.fd)


def step(leader, what, script):
    """None when a bash command of recipes.tsv ends with 0 in the root, else why not."""
    done = in_root(leader, script)
    if done.returncode == 0:
        return None
    return '%s failed: %s %s' % (what, script, (done.stdout + done.stderr).decode(errors='replace')[-200:])


def snapshot(leader):
    return in_root(leader, SNAPSHOT, 120).stdout.decode(errors='replace').split('\n')


def difference(before, after):
    """The first few lines that differ between two snapshots."""
    changed = [line for line in difflib.unified_diff(before, after, lineterm='', n=0)
               if line[:1] in '+-' and line[:3] not in ('+++', '---')]
    return ' | '.join(changed[:4])


def tail(shell):
    text = shell.output.decode(errors='replace')
    text = re.sub(r'\x1b\[[0-9;?]*[a-zA-Z]|\r', '', text)
    return " | ".join(line for line in text.split("\n")[-12:] if line.strip())[-900:]


def prove(leader, name, code, case):
    """'passed', or the reason it failed. An entry the root cannot run is
    pasted unedited only."""
    words = list(dict.fromkeys(m.group(1) for m in PLACEHOLDER.finditer(code)))
    missing = [w for w in words if w not in case.samples]
    if case.skip:
        if not words:
            return 'passed'
    elif missing:
        return 'recipes.tsv has no sample for <%s>' % '>, <'.join(missing)
    shell = Shell(leader)
    try:
        if words:
            before = snapshot(leader)
            status = shell.paste(code)
            if status is None:
                return 'unedited: no prompt came back: ' + tail(shell)
            after = snapshot(leader)
            if after != before:
                return 'unedited: the paste changed the server (status %d): %s' % (status, difference(before, after))
        if case.skip:
            return 'passed'
        failed = case.before and step(leader, 'before', case.before)
        if failed:
            return failed
        filled = PLACEHOLDER.sub(lambda m: case.samples[m.group(1)], code)
        for _ in range(2 if case.twice else 1):
            status = shell.paste(filled, case, case.follow)
            if status != case.status:
                return 'filled: status %s, not %d: %s' % (status, case.status, tail(shell))
    finally:
        shell.close()
    return (case.probe and not case.skip and step(leader, 'probe', case.probe)) or 'passed'


def run_row(leader, states, name, code, case):
    """The result of one row of recipes.tsv, in its state."""
    made = case.state and step(leader, 'state ' + case.state, states + '\nmake_' + case.state)
    result = made or prove(leader, name, code, case)
    # What the row's "before" and its state made is undone even when it failed.
    after = case.after and not case.skip and step(leader, 'after', case.after)
    undone = case.state and step(leader, 'undo ' + case.state, states + '\nundo_' + case.state)
    undone = after or undone
    return undone if undone and result == 'passed' else result


def table(rows):
    """Entries, passed, failed and not runnable for each state, then the faults."""
    lines = []
    for state in dict.fromkeys(state for state, _, _, _ in rows):
        mine = [kind for s, kind, _, _ in rows if s == state]
        lines.append('%-28s entries: %3d   passed: %3d   failed: %3d   not runnable: %3d' % (
            state, len(mine), mine.count('passed'), mine.count('FAILED'), mine.count('NOT RUNNABLE')))
    lines.append('')
    for wanted in ('FAILED', 'NOT RUNNABLE'):
        lines += ['%-14s %s%s: %s' % (kind, name, '' if state == Case.AS_IT_COMES else ' [%s]' % state, why)
                  for state, kind, name, why in rows if kind == wanted]
    return '\n'.join(lines) + '\n'


def main():
    root, leader, library, cases_file, states_file, table_file = sys.argv[1:7]
    with open(os.path.join(root, 'etc/tovanu-proof.bashrc'), 'w') as f:
        f.write(BASHRC)
    env = dict(line.split('=', 1) for line in open(os.path.join(root, 'etc/tovanu-proof.env')).read().split())
    states = open(states_file, encoding='utf-8').read()
    known = cases(cases_file)
    rows = []  # (state, kind, name, why)
    for name, code in entries(library):
        if name not in known:
            rows.append((Case.AS_IT_COMES, 'FAILED', name, 'not in recipes.tsv'))
            continue
        for case in known[name]:
            for key, value in env.items():
                case.samples = {word: sample.replace('{%s}' % key, value) for word, sample in case.samples.items()}
                case.probe = case.probe.replace('{%s}' % key, value)
            state = case.state or Case.AS_IT_COMES
            started = time.monotonic()
            result = run_row(leader, states, name, code, case)
            if case.skip and result == 'passed':
                rows.append((state, 'NOT RUNNABLE', name, case.skip + (
                    ' (pasted unedited: nothing changed)' if PLACEHOLDER.search(code) else '')))
                continue
            print('%-6s %5.1fs %s%s%s' % ('ok' if result == 'passed' else 'FAIL', time.monotonic() - started, name,
                                          case.state and ' [%s]' % case.state or '',
                                          '' if result == 'passed' else ': ' + result), flush=True)
            rows.append((state, 'passed' if result == 'passed' else 'FAILED', name, result))
    text = table(rows)
    open(table_file, 'w').write(text)
    print('\n' + text)
    return 1 if any(kind == 'FAILED' for _, kind, _, _ in rows) else 0


if __name__ == '__main__':
    sys.exit(main())
