#!/usr/bin/env python3
"""Writes the page as one file: the template with emscripten's script inlined, and the core's
WebAssembly as base64 in an inert element ahead of it.

The bytes sit outside the script on purpose: the HTML parser skims an element of an unknown
type at memory speed, while the JavaScript parser would have to read a string of 90 KB before
anything runs. web/wasm_binary.js hands them to emscripten.

    make_page.py TEMPLATE.html SCRIPT.js CORE.wasm OUTPUT.html
"""
import base64
import sys


def main():
    template, script, wasm, output = sys.argv[1:]
    with open(template, encoding='utf-8') as file:
        page = file.read()
    with open(script, encoding='utf-8') as file:
        code = file.read()
    with open(wasm, 'rb') as file:
        encoded = base64.b64encode(file.read()).decode('ascii')
    if page.count('{{{ SCRIPT }}}') != 1:
        sys.exit(f'{template}: expected one {{{{{{ SCRIPT }}}}}} placeholder')
    if '</script' in code.lower():
        sys.exit(f'{script}: the script would end its own element early')
    body = (f'<script type="application/octet-stream" id="wasm">{encoded}</script>\n'
            f'<script>\n{code}</script>')
    with open(output, 'w', encoding='utf-8') as file:
        file.write(page.replace('{{{ SCRIPT }}}', body))


if __name__ == '__main__':
    main()
