"""Reading Windows program files (PE32 and PE32+) for the release checks."""

import struct


class PeImage:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        (sections, self.time_stamp, self.symbol_table, self.symbol_count,
         optional_size) = struct.unpack_from("<HIIIH", data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        self.pe32_plus = magic == 0x20B
        directories = optional + (112 if self.pe32_plus else 96)
        self.import_rva = struct.unpack_from("<I", data, directories + 8)[0]
        self.debug_directory_rva = struct.unpack_from("<I", data, directories + 8 * 6)[0]
        self.sections = []
        table = optional + optional_size
        self.section_names = []
        for i in range(sections):
            name = data[table + 40 * i:table + 40 * i + 8].rstrip(b"\0").decode("ascii", "replace")
            vsize, vaddr, rsize, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.section_names.append(name)
            self.sections.append((vaddr, max(vsize, rsize), raw))

    def offset(self, rva):
        for vaddr, size, raw in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raw
        raise ValueError(f"address {rva:#x} outside every section")

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        """(dll, function or '#ordinal') of every import."""
        if self.import_rva == 0:
            return
        at = self.offset(self.import_rva)
        thunk_size, by_ordinal = (8, 1 << 63) if self.pe32_plus else (4, 1 << 31)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
            if name == 0:
                return
            dll = self.text(name)
            thunk = self.offset(lookup or first)
            while True:
                value = struct.unpack_from("<Q" if self.pe32_plus else "<I", self.data, thunk)[0]
                if value == 0:
                    break
                if value & by_ordinal:
                    yield dll, f"#{value & 0xFFFF}"
                else:
                    yield dll, self.text((value & 0x7FFFFFFF) + 2)
                thunk += thunk_size
            at += 20
