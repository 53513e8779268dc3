#!/usr/bin/env python3
# Writes the seed corpus of each fuzz target: a few hand-built cases each,
# laid out as the targets read their input. Run from anywhere.
import os, struct
root = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
STX, ETX, ENQ, ACK, NAK = b'\x02', b'\x03', b'\x05', b'\x06', b'\x15'

def cks(b):
    return bytes('%02X' % (0xFF - (sum(b) & 0xFF)), 'ascii')
def reply(data, lower=False):
    f = STX + data + ETX
    c = cks(f)
    return f + (c.lower() if lower else c)

def put(name, files):
    d = os.path.join(root, name)
    os.makedirs(d, exist_ok=True)
    for fn, content in files.items():
        assert len(content) <= 400, (fn, len(content))
        open(os.path.join(d, fn), 'wb').write(content)

# --- operations, shared by camera_bytes and cameralink
def read_row(r): return bytes([0, r])
def read26(): return bytes([1])
def write_row(r, v): return bytes([2, r]) + struct.pack('<i', v)
def command(p): return bytes([3, len(p)]) + p
def query(p): return bytes([4, len(p)]) + p
def ops(*o): return bytes([len(o) - 1]) + b''.join(o)

# camera_bytes: one record per write of the program; byte = action<<5 | len
def ans(b, action=0, arg=None):
    assert len(b) < 32
    r = bytes([action << 5 | len(b)])
    if arg is not None: r += bytes([arg])
    return r + b
silent = b''
cb = {
 'write_gain': ops(write_row(5, 300)) + ans(ACK) + ans(ACK),
 'read_gain': ops(read_row(5)) + ans(ACK) + ans(ACK + reply(b'012C00')) + ans(b''),
 'read_white_spot': ops(read26()) + ans(ACK) + ans(ACK + reply(b'010000')) + ans(b''),
 'query_noise_then_nak': ops(query(b'01FF810C000000')) + ans(ACK)
     + ans(ACK + b'zz' + reply(b'012C00')[:-1] + b'0') + ans(reply(b'012C00', True)) + ans(b''),
 'command_line_trouble': ops(command(b'0123')) + ans(NAK, 4, 3) + ans(ACK, 5, 2)
     + ans(ACK) + ans(ACK, 3, 20),
 'four_ops_dead_line': ops(read_row(7), write_row(13, 40), command(b'01FF0117002800'), query(b'00'))
     + ans(ACK, 6, 10) + ans(ACK + reply(b'039500'), 6, 40) + ans(b'')
     + ans(ACK) + ans(ACK) + ans(ACK, 7),
 'long_payload_and_bad_data': ops(query(b'0' * 23), read_row(31)) + ans(ACK)
     + ans(ACK + reply(b'4G4H00')) + ans(b''),
}
put('camera_bytes', cb)

# cameralink: setup byte, operations, then one record per library call:
# record byte (size mode in bits 0-1, time share in bits 2-7), size byte,
# and for reads the bytes delivered.
def rd(b, mode=0, n=0, t=0): return bytes([t << 2 | mode, n]) + b
def wr(mode=0, n=0, t=0): return bytes([t << 2 | mode, n])
def rdreply(r):  # STX alone, then the other 9 bytes in one call
    return rd(r[:1]) + rd(r[1:])
cl = {
 'write_gain': bytes([0]) + ops(write_row(5, 300)) + wr() + rd(ACK) + wr() + rd(ACK),
 'read_gain': bytes([0]) + ops(read_row(5)) + wr() + rd(ACK) + wr() + rd(ACK)
     + rdreply(reply(b'012C00')) + wr(),
 'read_white_spot_slow': bytes([0]) + ops(read26()) + wr(t=63) + rd(ACK, t=30) + wr() + rd(ACK)
     + rd(b'x', t=10) + rdreply(reply(b'010000')) + wr(),
 'short_and_long_counts': bytes([0]) + ops(command(b'0123'), query(b'01FF811C000000'))
     + wr(1, 0) + wr(2, 5) + rd(ACK, 3, 1) + wr() + rd(ACK) + wr() + rd(ACK)
     + wr() + rd(ACK) + wr() + rd(ACK) + rdreply(reply(b'FF0300')[:-1] + b'0') + wr()
     + rdreply(reply(b'FF0300')) + wr(),
 'init_fails': bytes([2]) + ops(read_row(5), command(b'0' * 30)),
 'init_without_port': bytes([1]) + ops(write_row(5, 1)),
 'endless_acks': bytes([4 | 8 << 3]) + ops(query(b'01FF8102000000')),
 'silent_after_ack': bytes([0]) + ops(read_row(0)) + wr() + rd(ACK) + wr() + rd(ACK),
}
put('cameralink', cl)

# reply_decoding: count byte, bytes; then flags, memory, area, address,
# lower, upper, six data characters, checksum characters, a value.
def rdcase(count, bytes_, flags, mem, area, addr, lo, up, data, ck=b'', any_=0):
    return (bytes([count]) + bytes_ + bytes([flags, mem, area, addr]) + struct.pack('<ii', lo, up)
            + data + ck + struct.pack('<I', any_))
rdc = {
 'good_gain': rdcase(10, reply(b'012C00'), 0, 1, 0x81, 0x0C, 0, 503, b'012C00', any_=300),
 'lower_case_info': rdcase(10, reply(b'4a4b00', True), 1, 1, 0x90, 0x00, 0, 65535, b'4a4b00', any_=0x12345678),
 'bad_checksum': rdcase(10, reply(b'012C00')[:8] + b'00', 2, 1, 0x81, 0x0C, 0, 503, b'012C00', b'00'),
 'non_hex_data': rdcase(10, STX + b'01G200' + ETX + b'zz', 0, 0, 0x81, 0x4D, 0, 1, b'01G200'),
 'three_bytes': rdcase(10, reply(b'123456'), 0x80, 0, 0x01, 0x20, 0, 0x10000, b'123456', any_=0xABCDEF),
 'short_count': rdcase(9, reply(b'000000')[:9], 2, 1, 0x91, 0x01, -1, 0, b'0a0B0c', b'g1'),
 'no_etx': rdcase(10, STX + b'012C00' + b'\x04' + b'AA', 0, 1, 0x11, 0x05, 255, 256, b'ffffff'),
}
put('reply_decoding', rdc)

# settings_file
hdr = bytes([23]) + b'ZQ-B40 Data Version1.00'
defaults = [1,0,0,0,0,0,0,917,0,0,0,1,1,0,0,0,0,0,1,2058,0,2,32,128,1,20,0,0,0,0,176] + [0]*24
vals = b''.join(struct.pack('<i', v) for v in defaults)
assert len(hdr + vals) == 244
sf = {
 'defaults': hdr + vals,
 'negative_and_out_of_range': hdr + struct.pack('<i', 600) + struct.pack('<i', -1) + vals[8:],
 'trailing_bytes': hdr + vals + b'tail after the last value',
 'header_case': bytes([23]) + b'ZQ-B40 data Version1.00' + vals,
 'truncated_100': (hdr + vals)[:100],
 'header_only_part': hdr[:10],
 'empty': b'',
}
put('settings_file', sf)
