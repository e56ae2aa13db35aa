#!/usr/bin/env python3
"""Writes the page as one file: the template with emscripten's script inlined, the core's
tables (TABLES.json, from write_tables.cpp) at the head of the script and its title as the
page's, and the core's WebAssembly as base64 in an inert <template> element ahead of it.

The bytes sit outside the script on purpose: the JavaScript parser would have to read a string
of 90 KB before anything runs. A template's text is plain character data to the HTML parser,
which it reads a third faster than the same text in a <script> of an unknown type (0.5 ms
against 0.8 ms in Chromium). web/core_start.js compiles them when the core is first needed.

The file is written in ASCII alone, every other character escaped (a character reference in
the document, \\u in the script): one Chinese character anywhere makes the browser decode and
parse the whole file, the base64 included, as 16-bit text, about 2 ms more before ready.

    make_page.py TEMPLATE.html SCRIPT.js TABLES.json CORE.wasm OUTPUT.html
"""
import base64
import html
import json
import re
import sys


def escape_script(code):
    """The script with each character beyond ASCII as \\u escapes (a surrogate pair beyond the
    first plane), which mean the same in strings, templates, regular expressions and names."""
    def escape(match):
        encoded = match.group().encode('utf-16-be')
        return ''.join(f'\\u{encoded[i]:02x}{encoded[i + 1]:02x}'
                       for i in range(0, len(encoded), 2))
    return re.sub(r'[^\x00-\x7f]', escape, code)


def escape_document(page, template):
    """The template with each character beyond ASCII as a character reference. A style or
    script element would read the reference as it stands, so none may hold such a character."""
    for element in re.finditer(r'<(style|script)\b.*?</\1>', page, flags=re.S | re.I):
        if re.search(r'[^\x00-\x7f]', element.group()):
            sys.exit(f'{template}: a character beyond ASCII inside a <{element[1]}> element')
    return re.sub(r'[^\x00-\x7f]', lambda match: f'&#x{ord(match.group()):x};', page)


def main():
    template, script, tables_json, wasm, output = sys.argv[1:]
    with open(template, encoding='utf-8') as file:
        page = file.read()
    with open(script, encoding='utf-8') as file:
        code = file.read()
    with open(tables_json, encoding='utf-8') as file:
        tables = json.load(file)
    with open(wasm, 'rb') as file:
        encoded = base64.b64encode(file.read()).decode('ascii')
    for placeholder in ('{{{ SCRIPT }}}', '{{{ TITLE }}}'):
        if placeholder not in page:
            sys.exit(f'{template}: no {placeholder} placeholder')
    code = f'const TARNIVEL_TABLES = {json.dumps(tables, ensure_ascii=False)};\n{code}'
    if '</script' in code.lower():
        sys.exit(f'{script}: the script would end its own element early')
    body = (f'<template id="wasm">{encoded}</template>\n'
            f'<script>\n{escape_script(code)}</script>')
    page = page.replace('{{{ TITLE }}}', html.escape(tables['window']['title']))
    page = escape_document(page, template).replace('{{{ SCRIPT }}}', body, 1)
    with open(output, 'w', encoding='ascii') as file:
        file.write(page)


if __name__ == '__main__':
    main()
