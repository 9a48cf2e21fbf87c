#!/usr/bin/env python3
# The part of the layer rules that the build cannot see. The build fails on an include of a
# module that the including library does not link, since every library exports only its own
# include directory (cmake/SpirandelTargets.cmake). Linked is not yet allowed, though: a module
# sees every module of its PUBLIC chain, and a link can be added by mistake. So this checks that
#  - every include "module/Header.h" names a module of a lower layer, or the module itself;
#  - no include climbs out of its folder with "..", which would pass by the include directories;
#  - every folder with code is in the layer table.
#
# Usage: check_layers.py ROOT. The layers are the table under "## Layers" in docs/DESIGN.md,
# rows whose first two cells are "| N | module, module |", lowest layer first.
import pathlib, re, sys

root = pathlib.Path(sys.argv[1])
layer_of = {}
for n, modules in re.findall(r'^\| *(\d+) *\| *([^|]+?) *\|', (root / 'docs/DESIGN.md').read_text(), re.M):
    for module in re.split(r'[,\s]+', modules.replace('`', '')):
        if module:
            layer_of[module.rstrip('/')] = int(n)


# The table's name for a path below the root: 'engine', 'platform/x11', 'tools', ...
def module_of(path):
    parts = pathlib.PurePosixPath(path).parts
    if parts[0] == 'src':
        parts = parts[1:]
    name = '/'.join(parts[:2]) if parts[0] == 'platform' else parts[0]
    return name if name in layer_of else None


faults = []
for folder in ('src', 'tools', 'bench', 'fuzz'):
    for source in sorted((root / folder).rglob('*')):
        if source.suffix not in ('.h', '.cpp'):
            continue
        rel = source.relative_to(root).as_posix()
        own = module_of(rel)
        if own is None:
            faults.append(f'{rel}: its folder is not in the layer table')
            continue
        for number, line in enumerate(source.read_text().splitlines(), 1):
            include = re.match(r'\s*#\s*include\s+[<"]([^">]+)[">]', line)
            if not include:
                continue
            path = include.group(1)
            if '..' in pathlib.PurePosixPath(path).parts:
                faults.append(f'{rel}:{number}: includes {path}, outside the include directories')
                continue
            target = module_of('src/' + path) if '/' in path else None
            if target is not None and target != own and layer_of[target] >= layer_of[own]:
                faults.append(f'{rel}:{number}: {own} (layer {layer_of[own]}) includes '
                              f'{path} of {target} (layer {layer_of[target]})')
print('\n'.join(faults) or f'layers kept: {len(layer_of)} modules')
sys.exit(1 if faults else 0)
