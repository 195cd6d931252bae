#!/usr/bin/python3
"""The Python module against the public header, which is the one list of public names.

  python_api.py names HEADER          every public name of the header, one a line
  python_api.py stub HEADER OUT.pyi   writes the stub: the module's own signatures (it must be
                                      importable: PYTHONPATH) with the header's comments
  python_api.py check HEADER STUB     fails loudly for a name of the header that the module or
                                      the stub lacks, a parameter named otherwise than in the
                                      header, a record field or constant value that differs
"""
import ast
import importlib
import re
import sys

MODULE = "stangenspiel"

# Calls whose Python form differs from the C++ one on purpose, with the stub's lines for them.
PYTHON_FORMS = {
    "runprogram": '''\
def runprogram(program: Callable[[], object], argv: Optional[List[str]] = None, name: str = "",
               version: str = "", description: str = "") -> int:
    """Runs the application with program() on the program thread (argv: sys.argv when None;
    name, version and description as t_ProgramInfo). Answers the exit code for --help,
    --version and a bad command line; after a run the process ends with its code when the user
    quits, after the terminate handler: code after runprogram and Python's exit handlers do not
    run. An exception that leaves program() goes to the log with its traceback and ends the
    program as t_QuitProgram does."""
''',
    "g_Scrn": '''\
@overload
def g_Scrn(window: int, x: int, y: int, result: Type[int] = ...) -> int:
    """Palette index of the pixel (depths 1, 4 and 32; else 0); 0 outside the window."""
@overload
def g_Scrn(window: int, x: int, y: int, result: Type[t_RGBColor]) -> t_RGBColor:
    """Colour of the pixel; opaque black outside the window."""
''',
    "stringtonumber": '''\
def stringtonumber(text: str) -> Optional[float]:
    """Strict decimal parse: "-12.5e3" with blanks around, nothing else; None for any other text."""
''',
    "g_GraphicMemory": '''\
def g_GraphicMemory(window: int) -> memoryview:
    """The window's pixel bytes, writable (numpy.frombuffer draws into them); empty after
    "g_GraphicMemory: ..." for a window that is not there. Valid until any window is created
    again; call g_PictureChanged after writing so that the refresh shows it."""
''',
}

# Names only Python has.
PYTHON_ONLY = {
    "ProgramQuit": '''\
class ProgramQuit(BaseException):
    """Raised by t_QuitProgram to end the thread; not an Exception, so 'except Exception' lets
    it pass to the thread's entry."""
''',
}

CPP_TYPES = {"bool": "bool", "double": "float", "std::string": "str", "std::vector<uint8_t>": "bytes"}


# --- the header ------------------------------------------------------------------------------

def statements(text):
    """(section, doc, statement) for each top-level declaration, its /// lines as doc."""
    section, doc, pending = "", [], []
    lines = iter(text.splitlines())
    for line in lines:
        stripped = line.strip()
        heading = re.match(r"// === (.+?) =+$", stripped)
        if heading:
            section = heading.group(1)
        code = re.sub(r"\s*///<.*$", "", stripped)  # a trailing comment belongs to the statement
        if pending:
            pending.append(stripped)
            if code.endswith(";"):
                yield section, doc, " ".join(pending)
                pending, doc = [], []
            continue
        if stripped.startswith("///") and not stripped.startswith("///<"):
            doc.append(stripped[3:].strip())
        elif re.match(r"(struct |constexpr |template <> STANGENSPIEL_API |STANGENSPIEL_API )", stripped):
            if stripped.startswith("struct "):
                body = [stripped]
                for inner in lines:
                    body.append(inner.strip())
                    if inner.startswith("};"):
                        break
                yield section, doc, "\n".join(body)
                doc = []
            else:
                pending = [stripped]
                if code.endswith(";"):
                    yield section, doc, stripped
                    pending, doc = [], []
        elif not stripped.startswith("template"):
            doc = [] if not stripped.startswith("//") else doc


def splitparameters(text):
    parts, depth, current = [], 0, ""
    for c in text:
        depth += (c in "<([") - (c in ">)]")
        if c == "," and depth == 0:
            parts.append(current.strip())
            current = ""
        else:
            current += c
    if current.strip():
        parts.append(current.strip())
    return parts


def parseheader(path):
    """{name: entry} in header order; entry: kind, section, and docs/overloads/fields/value."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    api = {}
    for section, doc, statement in statements(text):
        record = re.match(r"struct (\w+) \{", statement)
        constant = re.match(r"constexpr ([\w:]+) (\w+) = ([^;]+);\s*(?:///<\s*(.*))?", statement)
        function = re.match(r"(?:template <> )?STANGENSPIEL_API (.+?)\b(\w+)(?:<[^>]*>)?\((.*)\)\s*;", statement)
        if record:
            fields = []
            for line in statement.splitlines()[1:]:
                field = re.match(r"([\w:<>, ]+?)\s+(\w+)\s*(?:=[^;]*|\{[^;]*\})?;\s*///<\s*(.*)", line)
                if field and "operator" not in line:
                    fields.append((field.group(2), field.group(1), field.group(3)))
            api[record.group(1)] = {"kind": "record", "section": section, "doc": " ".join(doc), "fields": fields}
        elif constant:
            value = re.sub(r"(?<=\d)(LL|ULL|U|L)\b", "", constant.group(3))
            if not re.fullmatch(r"[\dxA-Fa-f\s<>*+()-]+", value):
                continue
            api[constant.group(2)] = {"kind": "constant", "section": section, "value": eval(value, {}, {}),
                                      "doc": constant.group(4) or " ".join(doc)}
        elif function:
            name = function.group(2)
            parameters = []
            for parameter in splitparameters(function.group(3)):
                words = re.match(r"(.+?)\s*\b(\w+)\s*(?:=\s*(.+))?$", parameter)
                parameters.append(words.group(2))
            entry = api.setdefault(name, {"kind": "function", "section": section, "overloads": []})
            entry["overloads"].append((tuple(parameters), " ".join(doc)))
    return api


# --- the module ------------------------------------------------------------------------------

def signatures(function):
    """[(parameter names, 'name(...) -> result')] of a pybind11 function, one per overload."""
    found = []
    for line in (function.__doc__ or "").splitlines():
        line = re.sub(r"^\d+\. ", "", line.strip())
        match = re.match(rf"{function.__name__}\((.*)\) -> (.+)$", line)
        if match and match.group(1) != "*args, **kwargs":
            names = tuple(p.split(":")[0].strip() for p in splitparameters(match.group(1)))
            line = re.sub(r": function\b", ": Callable[[], object]", line.replace(MODULE + ".", ""))
            found.append((names, line))
    return found


def fieldtype(record, field):
    match = re.search(r"-> (.+)$", getattr(record, field).fget.__doc__.splitlines()[0])
    return match.group(1).replace(MODULE + ".", "") if match else "object"


def docstring(text, indent):
    text = text.replace("\\", "\\\\").replace('"""', '\\"\\"\\"')
    if text.endswith('"'):
        text = text[:-1] + '\\"'  # four quotes in a row would end the string early
    return f'{indent}"""{text}"""\n'


def writestub(api, module, path):
    out = ['"""Stangenspiel: a window framework with the working conditions of a classic home computer."""\n',
           "from typing import Callable, List, Optional, Type, overload\n"]
    section = None
    for name, entry in api.items():
        if entry["section"] != section:
            section = entry["section"]
            out.append(f"\n# --- {section or 'Records and constants'} ---\n")
        if name in PYTHON_FORMS:
            out.append(PYTHON_FORMS[name])
        elif entry["kind"] == "constant":
            out.append(f"{name}: int\n" + docstring(entry["doc"], ""))
        elif entry["kind"] == "record":
            record = getattr(module, name)
            out.append(f"class {name}:\n" + docstring(entry["doc"], "    "))
            for field, _, doc in entry["fields"]:
                out.append(f"    {field}: {fieldtype(record, field)}\n" + docstring(doc, "    "))
            arguments = ", ".join(f"{f}: {fieldtype(record, f)} = ..." for f, _, _ in entry["fields"])
            out.append(f"    def __init__(self, {arguments}) -> None: ...\n")
        else:
            docs = dict(entry["overloads"])
            overloads = signatures(getattr(module, name))
            for names, line in overloads:
                prefix = "@overload\n" if len(overloads) > 1 else ""
                out.append(f"{prefix}def {line}:\n" + docstring(docs.get(names, ""), "    "))
    out.append("\n# --- Python's own ---\n")
    out.extend(PYTHON_ONLY.values())
    with open(path, "w", encoding="utf-8") as f:
        f.write("".join(out))


# --- the check ---------------------------------------------------------------------------------

def check(api, module, stubpath):
    problems = []
    for name, entry in api.items():
        if not hasattr(module, name):
            problems.append(f"{name}: not in the module")
            continue
        bound = getattr(module, name)
        if entry["kind"] == "constant" and bound != entry["value"]:
            problems.append(f"{name}: {bound!r} in the module, {entry['value']!r} in the header")
        elif entry["kind"] == "record":
            fields = [f for f, _, _ in entry["fields"]]
            if list(getattr(bound, "_fields", ())) != fields:
                problems.append(f"{name}: fields {getattr(bound, '_fields', ())} in the module, {fields} in the header")
        elif entry["kind"] == "function" and name not in PYTHON_FORMS:
            header = sorted(names for names, _ in entry["overloads"])
            python = sorted(names for names, _ in signatures(bound))
            if header != python:
                problems.append(f"{name}: parameters {python} in the module, {header} in the header")
    public = {n for n in dir(module) if not n.startswith("_")}
    for extra in sorted(public - set(api) - set(PYTHON_ONLY)):
        problems.append(f"{extra}: in the module but not in the header")
    with open(stubpath, encoding="utf-8") as f:
        tree = ast.parse(f.read())
    stubbed = {}
    for node in tree.body:
        if isinstance(node, (ast.FunctionDef, ast.ClassDef)):
            stubbed.setdefault(node.name, ast.get_docstring(node))
        elif isinstance(node, ast.AnnAssign):
            stubbed.setdefault(node.target.id, "")
    for name in list(api) + list(PYTHON_ONLY):
        if name not in stubbed:
            problems.append(f"{name}: not in the stub")
        elif stubbed[name] is None or (api.get(name, {}).get("kind") != "constant" and not stubbed[name]):
            problems.append(f"{name}: no docstring in the stub")
    return problems


def main(argv):
    if len(argv) < 3 or argv[1] not in ("names", "stub", "check"):
        sys.exit(__doc__)
    api = parseheader(argv[2])
    if argv[1] == "names":
        print("\n".join(api))
        return
    module = importlib.import_module(MODULE)
    if argv[1] == "stub":
        writestub(api, module, argv[3])
        return
    problems = check(api, module, argv[3])
    for problem in problems:
        print(f"python_api: {problem}")
    if problems:
        sys.exit(1)
    print(f"python_api: all {len(api)} public names of the header bound, with the header's parameters, and in the stub")


if __name__ == "__main__":
    main(sys.argv)
