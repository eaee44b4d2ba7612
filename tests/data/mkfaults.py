#!/usr/bin/env python3
"""Writes the faulty metafiles that once stopped or froze the program, rebuilt by hand:
glyph_index.emf   an EMF whose text record uses glyph indices, some far beyond any font's table;
slow.wmf          a WMF that fills a 6000 x 6000 picture thousands of times (plays for minutes);
slow.emf          the same drawn through an EMF;
big_record.wmf    a WMF whose largest-record field asks for 0x77000174 words;
big_bitmap.wmf    a WMF with an embedded bitmap that claims 60000 x 60000 pixels in a few bytes;
huge.wmf          a 170-byte-like WMF asking for a 10944 x 10464 picture.
fuzz_*.wmf and fuzz_*.emf next to them are inputs found by fuzzing, kept as found."""
import struct

def wmf_rec(func, *words):
    return struct.pack('<IH', 3 + len(words), func) + struct.pack('<%dh' % len(words), *words)

def wmf(width, height, body_records, maxrec=None):
    body = b''.join(body_records) + wmf_rec(0x0000)
    if maxrec is None:
        maxrec = max(struct.unpack_from('<I', r)[0] for r in body_records + [wmf_rec(0)])
    header = struct.pack('<HHHIHIH', 1, 9, 0x0300, (18 + len(body)) // 2, 2, maxrec, 0)
    placeable = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, 0, 0, width, height, 96, 0)
    chk = 0
    for (w,) in struct.iter_unpack('<H', placeable[:20]):
        chk ^= w
    return placeable + struct.pack('<H', chk) + header + body

def filled_wmf(side, repeats):
    recs = [wmf_rec(0x020B, 0, 0), wmf_rec(0x020C, side, side),
            wmf_rec(0x02FC, 0, 0x00FF, 0x0000, 0),      # red solid brush
            wmf_rec(0x012D, 0)]
    recs += [wmf_rec(0x041B, side, side, 0, 0)] * repeats
    return wmf(side, side, recs)

def big_bitmap_wmf():
    # DIBSTRETCHBLT: rop, src h, src w, y src, x src, dest h, dest w, y dest, x dest, then the DIB
    info = struct.pack('<IiiHHIIiiII', 40, 60000, 60000, 1, 24, 0, 0, 0, 0, 0, 0)
    params = struct.pack('<I8h', 0x00CC0020, 10, 10, 0, 0, 100, 100, 0, 0)
    words = (len(params) + len(info) + 16) // 2
    rec = struct.pack('<IH', 3 + words, 0x0B41) + params + info + b'\0' * 16
    return wmf(100, 100, [wmf_rec(0x020B, 0, 0), wmf_rec(0x020C, 100, 100), rec])

def emr(t, payload):
    return struct.pack('<II', t, 8 + len(payload)) + payload

def emf(width, height, recs):
    recs = recs + [emr(14, struct.pack('<III', 0, 16, 20))]
    body = b''.join(recs)
    frame = (width * 2540 // 96, height * 2540 // 96)
    payload = struct.pack('<4i4iIIIIHHIIIiiii', 0, 0, width - 1, height - 1, 0, 0, frame[0], frame[1],
                          0x464D4520, 0x10000, 0, 0, 3, 0, 0, 0, 0, 1024, 768, 270, 203)
    header = emr(1, payload)
    total = len(header) + len(body)
    header = header[:8] + payload[:40] + struct.pack('<II', total, len(recs) + 1) + payload[48:]
    return header + body

def glyph_index_emf():
    face = 'DejaVu Sans'.encode('utf-16-le').ljust(64, b'\0')
    logfont = struct.pack('<5i8B', -24, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0) + face
    font = emr(82, struct.pack('<I', 1) + logfont)            # EXTCREATEFONTINDIRECTW, handle 1
    glyphs = [36, 72, 79, 79, 82, 0x7FFF, 0xFFF0, 3]
    text = struct.pack('<%dH' % len(glyphs), *glyphs)
    fixed = struct.pack('<4iIff', 0, 0, 100, 50, 1, 1.0, 1.0)
    emrtext = struct.pack('<iiIIIiiiiI', 10, 30, len(glyphs), 8 + len(fixed) + 40, 0x10, 0, 0, 0, 0, 0)
    textout = emr(84, fixed + emrtext + text)                   # EXTTEXTOUTW with ETO_GLYPH_INDEX
    return emf(100, 50, [font, emr(37, struct.pack('<I', 1)), textout])

def slow_emf(side, repeats):
    recs = [emr(39, struct.pack('<IIIi', 1, 0, 0x000000FF, 0)), emr(37, struct.pack('<I', 1))]
    recs += [emr(43, struct.pack('<4i', 0, 0, side, side))] * repeats
    return emf(side, side, recs)

files = {
    'glyph_index.emf': glyph_index_emf(),
    'slow.wmf': filled_wmf(6000, 3000),
    'slow.emf': slow_emf(6000, 3000),
    'big_record.wmf': wmf(100, 100, [wmf_rec(0x020C, 100, 100)], maxrec=0x77000174),
    'big_bitmap.wmf': big_bitmap_wmf(),
    'huge.wmf': wmf(10944, 10464, [wmf_rec(0x020B, 0, 0), wmf_rec(0x020C, 10464, 10944),
                                                          wmf_rec(0x02FC, 0, 0x00FF, 0, 0), wmf_rec(0x012D, 0),
                                                          wmf_rec(0x041B, 10464, 10944, 0, 0)]),
}
for name, data in files.items():
    open(name, 'wb').write(data)
