#!/usr/bin/env python3
"""Writes kartoval-convert(1) from the program's own --help, so the manual and
the help never disagree, followed by the hand-written sections of EXTRA
(examples, environment, files).

    help_to_man.py PROGRAM EXTRA OUTPUT
"""
import datetime
import os
import re
import subprocess
import sys


def roff(text):
    """Text safe in roff: backslashes, hyphens of options, a leading dot or quote."""
    text = text.replace("\\", "\\e").replace("-", "\\-").replace("°", "\\(de")
    return re.sub(r"^([.'])", r"\\&\1", text)


def paragraphs(lines):
    block = []
    for line in lines:
        if line.strip():
            block.append(line)
        elif block:
            yield block
            block = []
    if block:
        yield block


def options(block):
    """`  --name ARG   text` entries with deeper-indented continuation lines."""
    out = []
    for line in block[1:]:
        parts = re.split(r"\s{3,}", line.strip())
        if line.startswith("  --") and len(parts) > 1 and all(p.startswith("--") for p in parts):
            # A line of options without descriptions: one entry each.
            out += [".TP\n" + roff(p) for p in parts]
            continue
        m = re.match(r"^  (\S.*?)(?:\s{2,}(\S.*))?$", line)
        if m and line.startswith("  --"):
            out.append(".TP\n" + roff(m.group(1)))
            if m.group(2):
                out.append(roff(m.group(2)))
        else:
            out.append(roff(line.strip()))
    return out


def main(program, extra, output):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    help_text = subprocess.run([program, "--help"], capture_output=True, text=True, check=True, env=env).stdout
    version = subprocess.run([program, "--version"], capture_output=True, text=True, check=True, env=env).stdout
    name = os.path.basename(program)
    date = datetime.datetime.fromtimestamp(int(os.environ.get("SOURCE_DATE_EPOCH", "0")) or
                                           os.path.getmtime(extra), datetime.timezone.utc)
    lines = help_text.splitlines()
    usage = lines[0].removeprefix("Usage: ")
    out = [f'.TH {name.upper()} 1 "{date:%Y-%m-%d}" "{roff(version.strip())}" "User Commands"',
           ".SH NAME",
           roff(f"{name} - convert point files between latitude/longitude, UTM and US State Plane grids"),
           ".SH SYNOPSIS", ".B " + roff(name), roff(usage.removeprefix(name).strip()),
           ".SH DESCRIPTION"]
    after_options = False
    for block in paragraphs(lines[1:]):
        first = block[0]
        if first.startswith("CRS:"):
            out += [".SH CRS SPELLINGS", ".nf"] + [roff(line[6:] if line.startswith(" " * 6) else line[5:].lstrip())
                                                   for line in block] + [".fi"]
        elif first.startswith("Options:"):
            out += [".SH OPTIONS"] + options(block)
            after_options = True
        elif first.startswith("Exit status:"):
            out += [".SH EXIT STATUS", roff(" ".join(block).removeprefix("Exit status: "))]
        else:
            if after_options:
                out.append(".SH NUMBERS AND FILES")
                after_options = False
            out += [".PP", roff(" ".join(line.strip() for line in block))]
    with open(extra, encoding="utf-8") as f:
        out.append(f.read().rstrip("\n"))
    with open(output, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
