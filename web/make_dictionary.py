#!/usr/bin/env python3
"""Writes the page's English as a script: every finished translation of the given Qt Linguist
catalogues, keyed by its Chinese source text, so that the page speaks as the window does. With
an OUTPUT ending in .h, the same pairs as a C++ table, for the Windows window.

    make_dictionary.py OUTPUT.js CATALOGUE.ts...
    make_dictionary.py OUTPUT.h CATALOGUE.ts...
"""
import json
import sys
import xml.etree.ElementTree as ElementTree


def translations(path):
    for message in ElementTree.parse(path).getroot().iter('message'):
        translation = message.find('translation')
        if translation is None or translation.get('type') in ('unfinished', 'vanished', 'obsolete'):
            continue
        yield message.findtext('source'), translation.text or ''


def write_header(output, english):
    with open(output, 'w', encoding='utf-8') as header:
        header.write('// Generated from the Qt Linguist catalogues; do not edit.\n#pragma once\n\n')
        header.write('#include <string_view>\n#include <utility>\n\nnamespace tarnivel {\n\n')
        header.write('// Each Chinese text of the program with its English, sorted by the Chinese.\n')
        header.write('inline constexpr std::pair<std::string_view, std::string_view> kEnglish[] = {\n')
        for chinese, text in sorted(english.items()):
            header.write('    {%s, %s},\n' % (json.dumps(chinese, ensure_ascii=False),
                                              json.dumps(text, ensure_ascii=False)))
        header.write('};\n\n}  // namespace tarnivel\n')


def main():
    output, catalogues = sys.argv[1], sys.argv[2:]
    english = {}
    for path in catalogues:
        english.update(translations(path))
    if output.endswith('.h'):
        write_header(output, english)
        return
    with open(output, 'w', encoding='utf-8') as script:
        script.write('// Generated from the Qt Linguist catalogues; do not edit.\n')
        script.write('var TARNIVEL_ENGLISH = ')
        json.dump(english, script, ensure_ascii=False, sort_keys=True, indent=0)
        script.write(';\n')


if __name__ == '__main__':
    main()
