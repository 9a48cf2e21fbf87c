#!/usr/bin/env python3
# Fails when a module includes a header of a module in its own layer or above it.
#
# Usage: check_layers.py ROOT. The layers are the table under "## Layers" in docs/DESIGN.md,
# rows of the form "| N | module, module |", lowest layer first; a module may include its own
# headers and those of modules in lower layers. Every folder with code must be in the table.
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
for folder in ('src', 'tools', 'bench'):
    for source in sorted((root / folder).rglob('*')):
        if source.suffix not in ('.h', '.cpp'):
            continue
        rel = source.relative_to(root).as_posix()
        own = module_of(rel)
        if own is None:
            faults.append(f'{rel}: its folder is not in the layer table')
            continue
        for number, line in enumerate(source.read_text().splitlines(), 1):
            include = re.match(r'\s*#\s*include\s+"([^"]+/[^"]+)"', line)
            if not include:
                continue  # headers of the same folder, and the resources' header
            target = module_of('src/' + include.group(1))
            if target is None:
                faults.append(f'{rel}:{number}: includes {include.group(1)}, outside every module')
            elif target != own and layer_of[target] >= layer_of[own]:
                faults.append(f'{rel}:{number}: {own} (layer {layer_of[own]}) includes '
                              f'{include.group(1)} of {target} (layer {layer_of[target]})')
print('\n'.join(faults) or f'layers kept: {len(layer_of)} modules')
sys.exit(1 if faults else 0)
