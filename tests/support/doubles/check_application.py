#!/usr/bin/env python3
"""The application's executable holds the application's own code and nothing made for the tests.

No test double, stand-in or hook is named here: the executable is held to three rules of what it
may be made of, read from what the linker wrote (its map, GNU ld's format) and from the symbol
tables (nm), so that a new one fails whatever it is called.

1. Made of src/ only. Every input of the link that lies in the project (its source or build
   tree) is one of the application's layer libraries (cmake/layers.cmake) or an object file, and
   every object file the link takes, given on its command line or as a member of a layer library,
   was compiled from a source below src/ or from one generated for src/ in the build tree (moc,
   rcc), as the compilation database says. A double, a fake or any other object built from tests/
   or bench/ fails, and so does a library of theirs on the link line, used or not. Inputs outside
   the project (the system's and Qt's libraries, the compiler's start files and runtimes) are not
   looked at, nor are the symbols they bring.

2. Every file of src/ is part of the application. Each object file of a layer library that
   defines anything is one the executable's link takes. A source file of src/ that only tests or
   benchmarks use (a recording graphics, say) fails.

3. Every function of src/ is reached by the application. The layers are compiled with a section
   for each function and datum and the executable is linked with --gc-sections, so the linker
   keeps only what the application reaches from main, its static initialisers and the tables it
   keeps (vtables, Qt's meta-objects). A strong function or datum that a layer library defines in
   an object the application links, that the executable does not keep, and whose name src/ writes
   at most twice (its declaration and its definition; comments and strings left out) is there for
   the tests or benchmarks alone: a hook, and it fails unless its line is in the list of the
   layers' interface that only tests and benchmarks use (the last argument). A function the
   application uses only where the compiler has inlined it is named a third time, at the call, so
   the rule does not depend on the compiler's inlining.

What it does not catch: a hook whose name src/ writes more than twice (an overload of a name in
use, a name that other classes use too, a function named only by dead code of src/, whose root is
reported instead), a hook the application keeps by calling it, behaviour switched on by the
environment or by a file, and inline functions defined in headers (they are weak symbols, and the
application links none it does not use). Listed lines that the application now reaches, or that
no longer exist, are reported as a note and can go.

Usage: check_application.py EXECUTABLE MAP SOURCE_DIR BUILD_DIR INTERFACE_LIST LAYER_LIBRARY...
"""
import json
import os
import re
import shlex
import subprocess
import sys

NAME = "no_test_doubles"


def fail(message):
    print(f"{NAME}: {message}")
    sys.exit(1)


def run(*command):
    done = subprocess.run(command, capture_output=True, text=True, check=False)
    if done.returncode != 0:
        fail(f"{' '.join(command)} failed: {done.stderr.strip()}")
    return done.stdout


def inside(path, folder):
    return os.path.commonpath([path, folder]) == folder


class Link:
    """What the linker's map says the executable is made of."""

    def __init__(self, map_path, build_dir):
        self.inputs = []  # every LOAD line, as an absolute path
        self.members = set()  # (archive, member) for every archive member taken
        try:
            with open(map_path, encoding="utf-8", errors="replace") as f:
                text = f.read()
        except OSError as e:
            fail(f"cannot read the link map {map_path}: {e.strerror}")
        if "Archive member included" not in text or "\nLOAD " not in text:
            fail(f"{map_path} is no map of GNU ld's that lists the link's inputs")
        # Relative names are the linker's, from the folder it ran in: the map's or the build's.
        bases = [os.path.dirname(map_path), build_dir]

        def absolute(name):
            for base in bases:
                candidate = os.path.realpath(os.path.join(base, name))
                if os.path.exists(candidate):
                    return candidate
            return os.path.realpath(os.path.join(bases[0], name))

        taken = text.split("\nDiscarded input sections", 1)[0]
        for line in taken.splitlines():
            # "library.a(member.o)" at the line's start, what needed it after it or on the next line
            m = re.match(r"^(\S+?\.a)\(([^()\s]+)\)(?:\s|$)", line)
            if m:
                self.members.add((absolute(m.group(1)), m.group(2)))
        for line in text.splitlines():
            if line.startswith("LOAD "):
                self.inputs.append(absolute(line[5:].strip()))


class Compiled:
    """The compilation database: which source each object file is compiled from."""

    def __init__(self, build_dir):
        path = os.path.join(build_dir, "compile_commands.json")
        try:
            with open(path, encoding="utf-8") as f:
                entries = json.load(f)
        except (OSError, ValueError) as e:
            fail(f"cannot read {path}: {e}")
        self.source_of = {}
        for e in entries:
            words = e["arguments"] if "arguments" in e else shlex.split(e["command"])
            if "-o" not in words:
                continue
            output = os.path.join(e["directory"], words[words.index("-o") + 1])
            self.source_of[os.path.realpath(output)] = os.path.realpath(os.path.join(e["directory"], e["file"]))

    def sources_of_member(self, archive, member):
        """The sources of the objects that can be this member of a library made by CMake."""
        target = re.sub(r"^lib|\.a$", "", os.path.basename(archive))
        folder = os.path.join(os.path.dirname(archive), "CMakeFiles", target + ".dir") + os.sep
        return [s for o, s in self.source_of.items() if o.startswith(folder) and os.path.basename(o) == member]


def defined_symbols(path, strong_only):
    """nm's defined symbols of a file, demangled, by archive member (None for an object or the
    executable): every one, or only the strong external ones (functions and data)."""
    symbols = {}
    for line in run("nm", "-A", "-C", "--defined-only", path).splitlines():
        # path:[member:]address type name
        location, _, rest = line.partition(" ")
        kind, _, name = rest.partition(" ")
        if not name or (strong_only and kind not in ("T", "D", "B", "R")):
            continue
        where = location.rsplit(":", 1)[0]
        member = where[len(path) + 1:] if path.endswith(".a") and where.startswith(path + ":") else None
        symbols.setdefault(member, set()).add(name)
    return symbols


def written_names(source_dir):
    """How often each word is written in src/, comments and string literals left out."""
    counts = {}
    comment_or_string = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
    for folder, _, files in os.walk(os.path.join(source_dir, "src")):
        for file in files:
            if file.endswith((".h", ".cpp")):
                with open(os.path.join(folder, file), encoding="utf-8", errors="replace") as f:
                    code = comment_or_string.sub(" ", f.read())
                for word in re.findall(r"[A-Za-z_]\w*", code):
                    counts[word] = counts.get(word, 0) + 1
    return counts


def unqualified_name(symbol):
    """The function's or datum's own name: "A::B::F(int) const" gives F; None for what belongs to
    a class as a whole (vtables, type information, thunks) or to the compiler."""
    if " for " in symbol or symbol.startswith(("non-virtual thunk", "virtual thunk", "covariant")):
        return None
    depth = 0
    end = len(symbol)
    for i, c in enumerate(symbol):  # the parameter list opens at the first "(" outside "<...>"
        if c == "<":
            depth += 1
        elif c == ">":
            depth -= 1
        elif c == "(" and depth == 0 and not symbol[:i].endswith("operator"):
            end = i
            break
    qualified = re.sub(r"<.*>", "", symbol[:end]).strip()
    name = qualified.split("::")[-1].split(" ")[-1]
    return None if name.startswith("operator") or not re.fullmatch(r"[A-Za-z_]\w*", name) else name


def main(argv):
    if len(argv) < 7:
        fail(__doc__.strip().splitlines()[-1])
    exe, map_path, source_dir, build_dir, interface_list = (os.path.realpath(a) for a in argv[1:6])
    layers = [os.path.realpath(a) for a in argv[6:]]
    src = os.path.join(source_dir, "src")
    generated = os.path.join(build_dir, "src")
    link = Link(map_path, build_dir)
    compiled = Compiled(build_dir)
    problems = []

    def from_src(source):
        return inside(source, src) or inside(source, generated)

    # 1. Made of src/ only.
    for path in link.inputs:
        if not (inside(path, source_dir) or inside(path, build_dir)):
            continue
        if path in layers:
            continue
        if path.endswith(".o"):
            source = compiled.source_of.get(path)
            if source is None:
                problems.append(f"the link takes {path}, which the compilation database does not know")
            elif not from_src(source):
                problems.append(f"the link takes {os.path.relpath(path, build_dir)}, compiled from "
                                f"{os.path.relpath(source, source_dir)}, which is not in src/")
        else:
            problems.append(f"the link takes {os.path.relpath(path, build_dir)}, a library of the project "
                            "that is none of the application's layers")
    for archive, member in sorted(link.members):
        if not (inside(archive, source_dir) or inside(archive, build_dir)):
            continue  # the system's
        sources = compiled.sources_of_member(archive, member)
        if archive not in layers:  # the library is named above; this is what it brought
            shown = ", ".join(os.path.relpath(s, source_dir) for s in sources) or "a source it does not know"
            problems.append(f"the link takes {member} from {os.path.basename(archive)}, compiled from {shown}")
            continue
        if not sources:
            problems.append(f"the link takes {member} from {os.path.basename(archive)}, and the compilation "
                            "database does not say what it is compiled from")
        for source in sources:
            if not from_src(source):
                problems.append(f"the link takes {member} from {os.path.basename(archive)}, compiled from "
                                f"{os.path.relpath(source, source_dir)}, which is not in src/")

    # 2. Every file of src/ is part of the application.
    kept = defined_symbols(exe, strong_only=False).get(None, set())
    if len(kept) < 100:
        fail(f"{exe} has no symbol table to check")
    linked_strong = {}
    for archive in layers:
        for member in defined_symbols(archive, strong_only=False):
            if (archive, member) not in link.members:
                sources = [os.path.relpath(s, source_dir) for s in compiled.sources_of_member(archive, member)]
                problems.append(f"{', '.join(sources) or member} ({os.path.basename(archive)}) is never part of the "
                                "application: what only tests or benchmarks use belongs in tests/ or bench/")
        for member, symbols in defined_symbols(archive, strong_only=True).items():
            if (archive, member) in link.members:
                for symbol in symbols:
                    linked_strong[symbol] = member

    # 3. Every function of src/ is reached by the application.
    try:
        with open(interface_list, encoding="utf-8") as f:
            listed = {line.strip() for line in f if line.strip() and not line.startswith("#")}
    except OSError as e:
        fail(f"cannot read {interface_list}: {e.strerror}")
    dropped = {s: m for s, m in linked_strong.items() if s not in kept}
    if not dropped:
        fail("the executable keeps every function of the layers: is it linked without --gc-sections?")
    names = written_names(source_dir)
    hooks = []
    for symbol, member in sorted(dropped.items()):
        name = unqualified_name(symbol)
        if symbol in listed or name is None or names.get(name, 0) > 2:
            continue
        hooks.append(f"  {symbol}    ({member})")
    if hooks:
        problems.append("these functions of src/ are never reached by the application, and nothing in src/ calls "
                        "them: move them to tests/ or bench/ (or use the public interface there), or, when one "
                        "belongs to its layer's interface although only tests use it, add its line to "
                        f"{os.path.relpath(interface_list, source_dir)}:\n" + "\n".join(hooks))
    stale = sorted(s for s in listed if s not in dropped)
    if stale:
        print(f"{NAME}: note: listed in {os.path.relpath(interface_list, source_dir)} but reached by the application "
              "or gone, so the line can go:\n" + "\n".join(f"  {s}" for s in stale))

    with open(exe, "rb") as f:
        if b"HARMONOTE_SMOKE" in f.read():
            problems.append("the executable reads HARMONOTE_SMOKE, the switch of an old smoke run")
    if problems:
        print("\n".join(f"{NAME}: {p}" for p in problems))
        fail(f"{os.path.relpath(exe, build_dir)} holds what is not the application's own (above)")
    print(f"{NAME}: passed ({len(link.members)} objects of src/ linked, {len(dropped)} functions only tests use, "
          "all listed)")


if __name__ == "__main__":
    main(sys.argv)
