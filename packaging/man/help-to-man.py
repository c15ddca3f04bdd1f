#!/usr/bin/env python3
"""Makes a program's manual page from its --help, so the two cannot differ.

    help-to-man.py PROGRAM LANGUAGE INCLUDE VERSION OUT.1.gz

Runs PROGRAM --help in LANGUAGE (ja or en: the programs choose the language
of --help by the locale) and turns the text into a man(7) page, compressed as
Debian wants it (gzip -9n). --help is laid out alike in both languages: a
heading line "使い方:"/"Usage:" over the command lines, paragraphs, the
options (two spaces, the option, its text in a column), more paragraphs, and
"例:"/"Examples:" over examples. INCLUDE gives the page's name line and the
sections --help has no place for (files, see also, copyright), help2man's way:
"[SECTION]" lines, each followed by its roff text; the first is the name.
"""

import gzip
import os
import re
import subprocess
import sys
import time

# What each language calls the parts of a page, and the locale that makes the
# programs speak it.
LANGUAGES = {
    "ja": {
        "locale": "ja_JP.UTF-8",
        "manual": "ユーザーコマンド",
        "synopsis": "書式",
        "description": "説明",
        "options": "オプション",
        "examples": "例",
        "date": "{year}年{month}月",
    },
    "en": {
        "locale": "en_US.UTF-8",
        "manual": "User Commands",
        "synopsis": "SYNOPSIS",
        "description": "DESCRIPTION",
        "options": "OPTIONS",
        "examples": "EXAMPLES",
        "date": "{month_name} {year}",
    },
}

MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]

# The headings of --help and the part of the page each begins.
HELP_HEADINGS = {"使い方:": "synopsis", "Usage:": "synopsis", "例:": "examples", "Examples:": "examples"}

OPTION_LINE = re.compile(r"^  (-\S.*?)(?: {2,}(.*))?$")
# Japanese lines break between any two characters, but not before closing
# punctuation nor after opening brackets.
NO_BREAK_BEFORE = set("、。，．）」』】〕：；？！ー…・")
NO_BREAK_AFTER = set("（「『【〔")


def escape(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def wide(char):
    return ord(char) > 0x7F


def join_lines(lines):
    """One line of text: Japanese runs on without a space, other text with one."""
    text = ""
    for line in (l.strip() for l in lines):
        if text and line:
            text += "" if wide(text[-1]) and wide(line[0]) else " "
        text += line
    return text


def with_break_points(text):
    """Lets groff break Japanese text, which has no spaces to break at."""
    out = []
    for i, char in enumerate(text):
        out.append(char)
        following = text[i + 1] if i + 1 < len(text) else ""
        if (wide(char) and following and wide(following) and following not in NO_BREAK_BEFORE
                and char not in NO_BREAK_AFTER):
            out.append("\\:")
    return "".join(out)


def roff_text(lines):
    return with_break_points(escape(join_lines(lines)))


def option_term(term):
    """-h, --help → bold options, italic values."""
    parts = re.split(r"(,\s*|\s+)", term)
    out = []
    for part in parts:
        if not part or re.fullmatch(r",\s*|\s+", part):
            out.append(escape(part))
        elif part.startswith("-"):
            out.append("\\fB" + escape(part) + "\\fR")
        else:
            out.append("\\fI" + escape(part) + "\\fR")
    return "".join(out)


def parse_help(text):
    """The parts of --help: synopsis and example lines, paragraphs, options."""
    parts = {"synopsis": [], "examples": [], "paragraphs": [], "options": []}
    block = None  # "synopsis" or "examples" while in one
    paragraph = None
    option = None
    for line in text.splitlines():
        if line in HELP_HEADINGS:
            block, paragraph, option = HELP_HEADINGS[line], None, None
            continue
        if not line.strip():
            block, paragraph, option = None, None, None
            continue
        if block:
            parts[block].append(line[2:] if line.startswith("  ") else line)
            continue
        match = OPTION_LINE.match(line)
        if match:
            option = [match.group(1), [match.group(2) or ""]]
            parts["options"].append(option)
            paragraph = None
        elif line.startswith(" ") and option:
            option[1].append(line)
        elif line.endswith(":") and not line.startswith(" "):
            sys.exit(f"help-to-man: unknown heading in --help: {line}")
        else:
            if paragraph is None:
                paragraph = []
                parts["paragraphs"].append(paragraph)
            paragraph.append(line)
    if not parts["synopsis"] or not parts["options"]:
        sys.exit("help-to-man: --help has no usage lines or no options")
    return parts


def parse_include(text):
    """[SECTION] headings with their roff text, in order."""
    sections = []
    for line in text.splitlines():
        heading = re.fullmatch(r"\[(.+)\]", line)
        if heading:
            sections.append([heading.group(1), []])
        elif sections:
            sections[-1][1].append(line)
    if not sections:
        sys.exit("help-to-man: the include file has no sections")
    return [(name, "\n".join(body).strip("\n")) for name, body in sections]


def page_date(words):
    seconds = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
    day = time.gmtime(seconds)
    return words["date"].format(year=day.tm_year, month=day.tm_mon,
                                month_name=MONTHS[day.tm_mon - 1])


def nofill(lines):
    return [".nf"] + [escape(line) for line in lines] + [".fi"]


def man_page(program, language, help_text, include_text, version):
    words = LANGUAGES[language]
    parts = parse_help(help_text)
    sections = parse_include(include_text)
    name_heading, name_line = sections[0]
    out = [
        f'.\\" Made from `{program} --help` by help-to-man.py: change --help, not this page.',
        f'.TH {program.upper()} 1 "{page_date(words)}" "{program} {version}" "{words["manual"]}"',
    ]
    if language == "ja":
        out.append(".ad l")
    out += [f".SH {name_heading}", name_line, f".SH {words['synopsis']}"]
    out += nofill(parts["synopsis"])
    out.append(f".SH {words['description']}")
    for paragraph in parts["paragraphs"]:
        out += [".PP", roff_text(paragraph)]
    out.append(f".SH {words['options']}")
    for term, lines in parts["options"]:
        out += [".TP", option_term(term), roff_text(lines)]
    if parts["examples"]:
        out += [f".SH {words['examples']}", ".RS"] + nofill(parts["examples"]) + [".RE"]
    for heading, body in sections[1:]:
        # Roff already; only its lines of text get the break points.
        lines = body.split("\n")
        out += [f".SH {heading}"] + [l if l.startswith(".") else with_break_points(l) for l in lines]
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 6 or sys.argv[2] not in LANGUAGES:
        sys.exit(__doc__.split("\n\n")[1])
    executable, language, include, version, output = sys.argv[1:]
    program = os.path.basename(executable)
    environment = dict(os.environ, LC_ALL=LANGUAGES[language]["locale"])
    help_text = subprocess.run([executable, "--help"], env=environment, check=True,
                               capture_output=True, text=True, encoding="utf-8").stdout
    with open(include, encoding="utf-8") as f:
        page = man_page(program, language, help_text, f.read(), version)
    # Level 9 and no name or time stamp in the header, as Debian wants.
    with open(output, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0) as f:
            f.write(page.encode("utf-8"))


if __name__ == "__main__":
    main()
