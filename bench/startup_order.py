"""Reads callgrind's output over a start of the program and prints the
sections of the program's functions that ran, for gold's
--section-ordering-file: the start's code is then laid out together.

    startup_order.py PROGRAM CALLGRIND_FILE...
"""
import re
import sys

COST_LINE = re.compile(r"^(c?ob|c?fn)=\((\d+)\)(?: (.*))?$")
# A constructor or destructor runs under its complete-object name (C1, D1),
# an alias of the base-object body (C2, D2), which gives the section its name.
COMPLETE_OBJECT = re.compile(r"(?<=[0-9A-Za-z_])([CD])1(?=[EI])")


def functions_run(program, paths):
    """The (mangled) names of the functions of program that ran."""
    run = set()
    for path in paths:
        objects, names, current = {}, {}, None
        with open(path, errors="replace") as lines:
            for line in lines:
                found = COST_LINE.match(line.rstrip("\n"))
                if not found:
                    continue
                kind, number, name = found.groups()
                table = objects if kind.endswith("ob") else names
                if name:
                    table[number] = name
                if kind == "ob":
                    current = objects.get(number)
                elif kind == "fn" and current == program:
                    run.add(names[number])
    return run


def sections_of(name):
    if name.endswith(".cold"):  # the rarely run part, split off by the compiler
        return [".text.unlikely." + name[:-len(".cold")]]
    sections = [".text." + name]
    for found in COMPLETE_OBJECT.finditer(name):
        sections.append(".text." + name[:found.start(1) + 1] + "2" + name[found.end(1) + 1:])
    return sections


def main():
    program, paths = sys.argv[1], sys.argv[2:]
    sections = set()
    for name in functions_run(program, paths):
        # Unnamed code, and the static initializers (listed as a group below).
        if name.startswith(("0x", "(", "_GLOBAL__sub_I")) or " " in name or "__static_initialization" in name:
            continue
        sections.update(sections_of(name))
    # Every file's static initializers run before main: scattered, they
    # would touch a page in every part of the program.
    print(".text.startup*")
    for section in sorted(sections):
        print(section)


if __name__ == "__main__":
    main()
