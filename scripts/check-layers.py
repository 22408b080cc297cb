#!/usr/bin/env python3
# Checks the layers of the tree against the dependency table in docs/architecture.md: every
# quoted include must name its file's path from the repository's top, and every include
# and every link line between the project's own libraries must be an edge the table
# allows.  Only a view folder's libraries (and tests) may link Qt Widgets.  Prints each
# fault as file:line and exits 1 when there is any; `--edges` prints the edges the tree has.
import os
import re
import subprocess
import sys

TABLE_PAGE = 'docs/architecture.md'
WIDGET_TARGETS = {'Qt6::Widgets', 'Qt6::PrintSupport'}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
COMMAND = re.compile(r'\b(add_library|add_executable|target_link_libraries|link_libraries)\s*\(([^)]*)\)', re.S)
KEYWORDS = {'PUBLIC', 'PRIVATE', 'INTERFACE', 'STATIC', 'SHARED', 'OBJECT', 'MODULE', 'IMPORTED',
            'ALIAS', 'EXCLUDE_FROM_ALL', 'GLOBAL'}


def read_table(root):
    """Returns {module: set of modules it may use} from the ```layers block of the page."""
    text = open(os.path.join(root, TABLE_PAGE), encoding='utf-8').read()
    block = re.search(r'^```layers\n(.*?)^```', text, re.S | re.M)
    if not block:
        sys.exit(f'{TABLE_PAGE}: no ```layers block')
    table = {}
    for line in block.group(1).splitlines():
        line = line.split('#', 1)[0].strip()
        if not line:
            continue
        module, _, uses = line.partition(':')
        table[module.strip()] = set(uses.split()) - {'-'}
    return table


def module_of(path, table):
    """The module a repository path belongs to: its top folder, or top/view for a file
    beneath a view folder of a subsystem that has views."""
    parts = path.split('/')
    if 'view' in parts[1:-1] and parts[0] + '/view' in table:
        return parts[0] + '/view'
    return parts[0]


def allowed(table, user, used):
    uses = table.get(user, set())
    return user == used or used in uses or '*' in uses


def check_includes(root, files, table, faults, edges):
    present = set(files)
    for path in files:
        if not re.search(r'\.(h|hpp|c|cpp)$', path):
            continue
        with open(os.path.join(root, path), encoding='utf-8', errors='replace') as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = match.group(1)
                where = f'{path}:{number}'
                if target not in present:
                    faults.append(f'{where}: "{target}" is not a path from the repository\'s top')
                    continue
                user, used = module_of(path, table), module_of(target, table)
                edges.add((user, used))
                if not allowed(table, user, used):
                    faults.append(f'{where}: {user} may not include {target} ({used})')


def cmake_commands(root, path):
    """Yields (command, arguments, line) of the target commands in one CMakeLists.txt."""
    text = open(os.path.join(root, path), encoding='utf-8').read()
    text = re.sub(r'#[^\n]*', '', text)
    for match in COMMAND.finditer(text):
        line = text.count('\n', 0, match.start()) + 1
        yield match.group(1), match.group(2).split(), line


def check_links(root, files, table, faults, edges):
    lists = [f for f in files if os.path.basename(f) == 'CMakeLists.txt' and '/' in f]
    owner = {}
    for path in lists:
        for command, args, _ in cmake_commands(root, path):
            if command in ('add_library', 'add_executable') and args:
                owner[args[0]] = module_of(os.path.dirname(path) + '/CMakeLists.txt', table)
    for path in lists:
        folder_module = module_of(os.path.dirname(path) + '/CMakeLists.txt', table)
        for command, args, line in cmake_commands(root, path):
            if command == 'target_link_libraries':
                user, linked = owner.get(args[0], folder_module), args[1:]
            elif command == 'link_libraries':
                user, linked = folder_module, args
            else:
                continue
            for name in linked:
                if name in KEYWORDS or name.startswith('$'):
                    continue
                where = f'{path}:{line}'
                if name in WIDGET_TARGETS and not (user.endswith('/view') or '*' in table.get(user, set())):
                    faults.append(f'{where}: {args[0]} links {name} outside a view folder')
                if name in owner:
                    edges.add((user, owner[name]))
                    if not allowed(table, user, owner[name]):
                        faults.append(f'{where}: {user} may not link {name} ({owner[name]})')


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    listed = subprocess.run(['git', 'ls-files', '--cached', '--others', '--exclude-standard'], cwd=root,
                            check=True, capture_output=True, text=True).stdout.splitlines()
    # A file deleted from the work tree but still in the index is no longer part of it.
    files = [path for path in listed if os.path.isfile(os.path.join(root, path))]
    table = read_table(root)
    faults, edges = [], set()
    for path in files:
        if re.search(r'\.(h|hpp|c|cpp)$|CMakeLists\.txt$', path) and '/' in path \
                and module_of(path, table) not in table:
            faults.append(f'{path}: the module {module_of(path, table)} is not in the table of {TABLE_PAGE}')
    check_includes(root, files, table, faults, edges)
    check_links(root, files, table, faults, edges)
    if '--edges' in sys.argv:
        for user, used in sorted(edges):
            if user != used:
                print(f'{user} -> {used}')
    for fault in sorted(set(faults)):
        print(fault)
    if faults:
        print(f'check-layers: {len(set(faults))} fault(s); the table is in {TABLE_PAGE}', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
