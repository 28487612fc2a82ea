#!/usr/bin/env python3
"""Lists C++ functions longer than a limit; exits 1 when there is one.

usage: function_lengths.py LIMIT [--file-limit LINES] FILE_OR_FOLDER...

With --file-limit, a file longer than LINES lines is listed too.

A function runs from the line its header starts on to the line of its closing brace. Lambdas
and local classes count towards the function around them.
"""
import os
import re
import sys

CONTROL = re.compile(r"^\s*(if|for|while|switch|catch|do|else|try)\b")
TYPE_BLOCK = re.compile(r"\b(namespace|struct|class|enum|union)\b[^()]*$")


def strip(text):
    """Blanks out comments, strings and character literals, keeping the line breaks."""
    pattern = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)
    return pattern.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)


def is_function_header(header):
    header = " ".join(header.split())
    if "(" not in header or TYPE_BLOCK.search(header) or CONTROL.match(header):
        return False
    return not header.endswith("=") and not header.startswith("=") and ")" in header


def functions(text):
    """Yields (name, first line, last line) of every function defined in `text`."""
    stack = []  # per open brace: (is_function, first line, name)
    header, header_line, line = "", 1, 1
    for c in strip(text):
        if c == "\n":
            line += 1
        if c == "{":
            inside = any(entry[0] for entry in stack)
            is_function = not inside and is_function_header(header)
            name = header.split("(")[0].split()[-1] if is_function and header.split("(")[0].split() else ""
            stack.append((is_function, header_line, name))
            header = ""
        elif c == "}":
            if stack:
                is_function, first, name = stack.pop()
                if is_function:
                    yield name, first, line
            header = ""
        elif c == ";":
            header = ""
        else:
            if not header.strip() and not c.isspace():
                header_line = line
            header += c


def sources(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
            continue
        for folder, _, names in os.walk(path):
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    yield os.path.join(folder, name)


def main():
    if len(sys.argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    limit = int(sys.argv[1])
    paths = sys.argv[2:]
    file_limit = None
    if paths[0] == "--file-limit":
        file_limit = int(paths[1])
        paths = paths[2:]
    too_long = 0
    for path in sources(paths):
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        lines = text.count("\n")
        if file_limit is not None and lines > file_limit:
            print(f"{path}: {lines} lines, more than {file_limit}")
            too_long += 1
        for name, first, last in functions(text):
            if last - first + 1 > limit:
                print(f"{path}:{first}: {name} has {last - first + 1} lines")
                too_long += 1
    return 1 if too_long else 0


if __name__ == "__main__":
    sys.exit(main())
