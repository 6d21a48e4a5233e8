#!/usr/bin/env python3
"""Checks the built i686 product folder without running anything (for hosts that cannot run 32-bit code):
Sorvik.exe and Tavisk.exe are 32-bit GUI programs, Nettrel.dll and Scoura.dll are 32-bit libraries that
export exactly their nine undecorated entry points, and every file imports system libraries only. The
libraries loaded at the first call are system libraries too, none of them is also loaded at start, and each
function is named as the library exports it: plainly, and, where Wine's 32-bit libraries are installed,
found among their exports.
Usage: check_product_files.py <i686 product folder>"""
import os
import re
import struct
import sys

SYSTEM_LIBRARIES = {
    "kernel32", "user32", "gdi32", "advapi32", "shell32", "ole32", "oleaut32", "comctl32", "gdiplus", "msimg32",
    "ws2_32", "crypt32", "bcrypt", "secur32", "wldap32", "normaliz", "wininet", "iphlpapi", "shlwapi", "msvcrt",
    "version", "psapi", "urlmon", "uxtheme", "comdlg32", "winmm", "rpcrt4", "userenv", "ntdll", "imm32",
}
EXPORTS = {
    "Nettrel.dll": ["vo_connect_interface_first", "vo_connect_interface_last", "vo_connect_interface_next"],
    "Scoura.dll": ["vo_clear_ie_interface", "vo_clear_varnio_interface", "vo_get_init_dirtory_size",
                   "vo_get_state_interface", "vo_init_var_interface", "vo_terminate_interface"],
}
PROGRAMS = ["Sorvik.exe", "Tavisk.exe"]
WINE_LIBRARIES = "/usr/lib/i386-linux-gnu/wine/i386-windows"


class Pe:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", self.data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", self.data, optional)[0]
        self.subsystem = struct.unpack_from("<H", self.data, optional + 68)[0]
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directory = [struct.unpack_from("<II", self.data, directories + 8 * i) for i in range(2)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", self.data, table + 40 * i + 8) for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise ValueError("address outside every section")

    def rva(self, offset):
        for virtual_size, address, raw_size, raw in self.sections:
            if raw <= offset < raw + raw_size:
                return address + offset - raw
        return None

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def exports(self):
        rva, size = self.directory[0]
        if not size:
            return []
        count, _, names = struct.unpack_from("<III", self.data, self.offset(rva) + 24)
        return [self.text(struct.unpack_from("<I", self.data, self.offset(names) + 4 * i)[0]) for i in range(count)]

    def imports(self):
        rva, size = self.directory[1]
        found, at = [], self.offset(rva) if size else None
        while at is not None:
            name = struct.unpack_from("<IIIII", self.data, at)[3]
            if name == 0:
                break
            found.append(self.text(name))
            at += 20
        return found

    def delay_imports(self):
        """{library: [function names]} from the delay-load descriptors. The linker leaves their directory
        empty, so each is found by the library name it points at: attributes 1, then that name's address."""
        found = {}
        for match in re.finditer(rb"(?<=\0)[\w.-]+\.dll\0", self.data, re.IGNORECASE):
            rva = self.rva(match.start())
            at = self.data.find(struct.pack("<II", 1, rva)) if rva is not None else -1
            if at < 0:
                continue
            names, entry = [], self.offset(struct.unpack_from("<I", self.data, at + 16)[0])
            while struct.unpack_from("<I", self.data, entry)[0]:
                thunk = struct.unpack_from("<I", self.data, entry)[0]
                names.append(f"#{thunk & 0xFFFF}" if thunk & 0x80000000 else self.text(thunk + 2))
                entry += 4
            found[match.group()[:-1].decode("ascii")] = names
        return found


def library_exports(dll):
    path = os.path.join(WINE_LIBRARIES, dll.lower())
    return set(Pe(path).exports()) if os.path.isfile(path) else None


def check_delay_imports(name, pe):
    failures = []
    at_start = {os.path.splitext(dll.lower())[0] for dll in pe.imports()}
    for dll, functions in pe.delay_imports().items():
        library = os.path.splitext(dll.lower())[0]
        if library not in SYSTEM_LIBRARIES or library in at_start:
            failures.append(f"{name}: delay-loads {dll}, not a system library or loaded at start as well")
        exports = library_exports(dll)
        wrong = [f for f in functions if "@" in f or (exports is not None and f not in exports)]
        if wrong:
            failures.append(f"{name}: {dll} does not export {wrong}")
        print(f"{name}: loads {dll} at the first call of {len(functions)} functions"
              + ("" if exports is not None else " (its exports not checked: no Wine library)"))
    return failures


def check(folder):
    failures = []
    for name in PROGRAMS + sorted(EXPORTS):
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            failures.append(f"{name}: missing")
            continue
        pe = Pe(path)
        if pe.machine != 0x14C or pe.magic != 0x10B:
            failures.append(f"{name}: not a 32-bit x86 file (machine {pe.machine:#x}, magic {pe.magic:#x})")
        if name in PROGRAMS and pe.subsystem != 2:
            failures.append(f"{name}: subsystem {pe.subsystem}, not a GUI program")
        if name in EXPORTS and sorted(pe.exports()) != EXPORTS[name]:
            failures.append(f"{name}: exports {sorted(pe.exports())}, expected {EXPORTS[name]}")
        foreign = [dll for dll in pe.imports() if os.path.splitext(dll.lower())[0] not in SYSTEM_LIBRARIES]
        if foreign:
            failures.append(f"{name}: imports non-system libraries {foreign}")
        failures += check_delay_imports(name, pe)
        print(f"{name}: machine {pe.machine:#x}, subsystem {pe.subsystem}, imports {', '.join(pe.imports())}")
    return failures


if __name__ == "__main__":
    problems = check(sys.argv[1])
    for problem in problems:
        print("FAILED: " + problem)
    print("product files: " + ("FAILED" if problems else "all checks passed"))
    sys.exit(1 if problems else 0)
