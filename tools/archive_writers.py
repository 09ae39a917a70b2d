"""Archive writing for fixtures and the sample disc: the packaged tools
(lha from jlha-utils, zip, gcab) driven with files staged under the wanted
name bytes, and minimal writers of stored (uncompressed) LZH, ZIP and CAB archives with
entry names taken as raw bytes, for fixtures the packaged tools cannot write:
hostile names, Shift-JIS CAB names and LZX CAB folders (uncompressed LZX
blocks). They lay out headers; no compression.
"""
import os
import struct
import subprocess
import tempfile
import zlib

DOS_TIME = 0x6000  # 12:00:00
DOS_DATE = (2024 - 1980) << 9 | 1 << 5 | 1


def dos_stub():
    """A minimal DOS program (MZ header and 'exit' code), 128 bytes."""
    header = bytearray(64)
    struct.pack_into("<2sHHHHHHHHHHHHH", header, 0, b"MZ", 128, 1, 0, 4, 0, 0xFFFF, 0, 0xB8, 0, 0, 0, 0x40, 0)
    code = b"\xb8\x00\x4c\xcd\x21"  # mov ax,4C00h; int 21h
    return bytes(header) + code + bytes(128 - 64 - len(code))


def zip_stored(entries):
    out = bytearray()
    central = bytearray()
    for name, data in entries:
        crc = zlib.crc32(data) & 0xFFFFFFFF
        offset = len(out)
        out += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 0, DOS_TIME, DOS_DATE, crc, len(data), len(data),
                           len(name), 0) + name + data
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 0, DOS_TIME, DOS_DATE, crc, len(data),
                               len(data), len(name), 0, 0, 0, 0, 0, offset) + name
    cd_offset = len(out)
    out += central
    out += struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(central), cd_offset, 0)
    return bytes(out)


def crc16(data):
    crc = 0
    for b in data:
        crc ^= b
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def lzh_level0_stored(entries):
    out = bytearray()
    for name, data in entries:
        body = struct.pack("<5sIIHHBBB", b"-lh0-", len(data), len(data), DOS_TIME, DOS_DATE, 0x20, 0, len(name))
        body += name + struct.pack("<H", crc16(data))
        out += struct.pack("<BB", len(body), sum(body) & 0xFF) + body + data
    out += b"\0"
    return bytes(out)


def cab_stored(entries):
    """One stored folder; names flagged neither UTF-8 nor anything else."""
    return _cab_folder(entries, 0, lambda index, frame: frame)


class _Bits:
    """LZX bit writer: 16-bit little-endian words, each filled from its top bit."""

    def __init__(self):
        self.out = bytearray()
        self.word = 0
        self.count = 0

    def put(self, value, width):
        for shift in range(width - 1, -1, -1):
            self.word = self.word << 1 | (value >> shift & 1)
            self.count += 1
            if self.count == 16:
                self.out += struct.pack("<H", self.word)
                self.word = self.count = 0

    def pad(self):
        """Zero bits up to the next word; none when already there."""
        if self.count:
            self.put(0, 16 - self.count)


def _lzx_uncompressed_frame(index, frame):
    """One 32 KB frame of an LZX folder as a single uncompressed block.

    Uncompressed blocks are plain LZX: the block header in the bit stream
    (the first frame starts with the "no call translation" bit), zero bits
    to the next 16-bit word, the three repeated offsets (1, 1, 1), the bytes
    themselves and one filler byte after an odd count. The headers are laid
    so that they never end on a word boundary, where decoders differ on
    whether a whole padding word follows.
    """
    bits = _Bits()
    if index == 0:
        bits.put(0, 1)  # no E8 call translation
    bits.put(3, 3)  # uncompressed block
    bits.put(len(frame), 24)
    bits.pad()
    out = bits.out + struct.pack("<III", 1, 1, 1) + frame
    if len(frame) & 1:
        out += b"\0"
    return bytes(out)


def cab_lzx_uncompressed(entries, window_bits=15):
    """One LZX folder (window 2^window_bits) whose frames are uncompressed
    LZX blocks: legal LZX that a decoder must read, written without an
    encoder."""
    return _cab_folder(entries, 3 | window_bits << 8, _lzx_uncompressed_frame)


def _cab_folder(entries, type_compress, encode_frame):
    """A cabinet with one folder: the entries' bytes cut into 32 KB frames,
    each frame encoded by encode_frame(index, bytes) into one data block."""
    files = bytearray()
    blob = bytearray()
    for name, data in entries:
        files += struct.pack("<IIHHHH", len(data), len(blob), 0, DOS_DATE, DOS_TIME, 0x20) + name + b"\0"
        blob += data
    blocks = [bytes(blob[i:i + 32768]) for i in range(0, len(blob), 32768)] or [b""]
    header_size, folder_size = 36, 8
    files_offset = header_size + folder_size
    data_offset = files_offset + len(files)
    data = bytearray()
    for index, block in enumerate(blocks):
        encoded = encode_frame(index, block)
        data += struct.pack("<IHH", 0, len(encoded), len(block)) + encoded
    total = data_offset + len(data)
    header = struct.pack("<4sIIIIIBBHHHHH", b"MSCF", 0, total, 0, files_offset, 0, 3, 1, 1, len(entries), 0,
                         0x1234, 0)
    folder = struct.pack("<IHH", data_offset, len(blocks), type_compress)
    return header + folder + bytes(files) + bytes(data)


def stage(files, root, encoding):
    """Writes the files below root with names in the given encoding."""
    names = []
    for name, data in files.items():
        raw = name.encode(encoding)
        path = os.path.join(root.encode(), raw)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        names.append(raw)
    return names


def run(args, cwd, env=None):
    subprocess.run(args, cwd=cwd, check=True, stdout=subprocess.DEVNULL, env=env)


def make_lzh(out, files, flags):
    """lha writes CP932 names when given UTF-8 names under a Japanese locale."""
    with tempfile.TemporaryDirectory() as tmp:
        names = stage(files, tmp, "utf-8")
        env = dict(os.environ, LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8")
        if os.path.exists(out):
            os.remove(out)
        run(["lha", "a" + flags, os.path.abspath(out)] + [n.decode() for n in names], tmp, env)


def make_zip(out, files, level):
    """zip stores name bytes as given: stage the files with CP932 names."""
    with tempfile.TemporaryDirectory() as tmp:
        names = stage(files, tmp, "cp932")
        if os.path.exists(out):
            os.remove(out)
        run([b"zip", b"-q", b"-X", ("-%d" % level).encode(), os.path.abspath(out).encode()] + names, tmp)


def make_gcab(out, files, compress):
    """gcab flags non-ASCII names as UTF-8, which is a valid CAB too."""
    with tempfile.TemporaryDirectory() as tmp:
        names = stage(files, tmp, "utf-8")
        if os.path.exists(out):
            os.remove(out)
        run(["gcab", "-c"] + (["-z"] if compress else []) + [os.path.abspath(out)] + [n.decode() for n in names], tmp)
