#!/usr/bin/env python3
"""Reads the version block of Tarnivel.exe as Windows would and compares it with the one the
program must carry: names, versions, the language and code page, the numeric versions.

    version_block.py TARNIVEL_EXE
"""
import sys

import pefile

EXPECTED_STRINGS = {
    'ProductName': 'Tarnivel',
    'InternalName': 'Tarnivel',
    'FileVersion': '1.00',
    'ProductVersion': '1.00',
    'OriginalFilename': 'Tarnivel.exe',
}


def main():
    pe = pefile.PE(sys.argv[1], fast_load=False)
    problems = []
    fixed = pe.VS_FIXEDFILEINFO[0]
    numeric = (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
               fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF)
    product = (fixed.ProductVersionMS >> 16, fixed.ProductVersionMS & 0xFFFF,
               fixed.ProductVersionLS >> 16, fixed.ProductVersionLS & 0xFFFF)
    for name, got in (('FILEVERSION', numeric), ('PRODUCTVERSION', product)):
        if got != (1, 0, 0, 0):
            problems.append(f'{name} is {got}, not 1,0,0,0')
    tables, translations = {}, []
    for info in pe.FileInfo[0]:
        if info.Key == b'StringFileInfo':
            for table in info.StringTable:
                tables[table.LangID.decode()] = {k.decode(): v.decode() for k, v in table.entries.items()}
        elif info.Key == b'VarFileInfo':
            for var in info.Var:
                translations.extend(var.entry.values())
    if list(tables) != ['080404b0'] and list(tables) != ['080404B0']:
        problems.append(f'string tables {list(tables)}, not the one of 080404B0')
    strings = next(iter(tables.values()), {})
    for key, want in EXPECTED_STRINGS.items():
        if strings.get(key) != want:
            problems.append(f'{key} is {strings.get(key)!r}, not {want!r}')
    if not strings.get('FileDescription'):
        problems.append('no FileDescription')
    if [t.lower() for t in translations] != ['0x0804 0x04b0']:
        problems.append(f'translation {translations}, not 0x0804 0x04b0')
    for problem in problems:
        print('FAIL', problem)
    print(f'{len(EXPECTED_STRINGS) + 5 - len(problems)} passed, {len(problems)} failed')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
