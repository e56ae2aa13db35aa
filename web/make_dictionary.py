#!/usr/bin/env python3
"""Writes the page's English as a script: every finished translation of the given Qt Linguist
catalogues, keyed by its Chinese source text, so that the page speaks as the window does.

    make_dictionary.py OUTPUT.js CATALOGUE.ts...
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


def main():
    output, catalogues = sys.argv[1], sys.argv[2:]
    english = {}
    for path in catalogues:
        english.update(translations(path))
    with open(output, 'w', encoding='utf-8') as script:
        script.write('// Generated from the Qt Linguist catalogues; do not edit.\n')
        script.write('var TARNIVEL_ENGLISH = ')
        json.dump(english, script, ensure_ascii=False, sort_keys=True, indent=0)
        script.write(';\n')


if __name__ == '__main__':
    main()
